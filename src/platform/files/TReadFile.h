#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

/**
 * A file opened for reading that is surely a regular file. Devices, pipes (FIFOs), sockets and
 * folders are refused before anything is read from them, and opening never waits: a reader that
 * knows the largest file it accepts reads no more than that plus one byte, so no name handed to
 * the program can make it read without end or hang. File names are byte strings in the system's
 * local encoding.
 */
class TReadFile {
public:
    explicit TReadFile(const std::string& fileName);
    ~TReadFile();
    TReadFile(const TReadFile&) = delete;
    TReadFile& operator=(const TReadFile&) = delete;

    bool IsOpen() const { return Descriptor >= 0; }
    /** Why the file could not be opened or read, in words for the player. */
    const std::string& Error() const { return Why; }
    /** The file's size when it was opened. */
    std::int64_t Size() const { return FileSize; }
    /**
     * Reads up to count bytes into into, fewer only at the end of the file. The number read,
     * or -1 on an error (Error says which).
     */
    long long Read(char* into, std::size_t count);
    /**
     * Reads the whole file into out, but never more than limit + 1 bytes, so that a caller that
     * knows the largest file it accepts sees a longer one as too long without reading it all.
     */
    bool ReadAll(std::string& out, std::size_t limit);

private:
    int Descriptor = -1;
    std::int64_t FileSize = 0;
    std::string Why;
};
