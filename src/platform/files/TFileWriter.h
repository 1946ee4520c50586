#pragma once

#include <cstddef>
#include <limits>
#include <string>

/**
 * Whole-file access for the turn files. A file is written safely (see TFileBatch): the bytes
 * go to a temporary file in the same folder, which replaces the old file only once everything
 * has been written, so a failed save never leaves a half-written or emptied turn file behind.
 * File names are byte strings in the system's local encoding, as the file dialogs give them.
 */
class TFileWriter {
public:
    /**
     * Writes bytes as the whole content of the file, creating or replacing it. False when the
     * file cannot be created or written; an existing file of that name is then left as it was.
     */
    static bool WriteAll(const std::string& fileName, const std::string& bytes);
    /**
     * Reads the whole file into out, but never more than limit + 1 bytes, so that a caller
     * that knows the size it wants sees a longer file as too long without reading all of it.
     * False when it cannot be read, or is no regular file (a folder, device or pipe is refused
     * without waiting on it); out is then unchanged and why (if given) says what failed.
     */
    static bool ReadAll(const std::string& fileName, std::string& out, std::string* why = nullptr,
                        std::size_t limit = std::numeric_limits<std::size_t>::max() - 1);
    /** True when a file (not a folder) of that name exists. */
    static bool Exists(const std::string& fileName);
    /** The name made absolute against the working folder. */
    static std::string AbsolutePath(const std::string& fileName);
    /** True when anything of that name exists: a file, a folder or something else. */
    static bool PathExists(const std::string& fileName);
};
