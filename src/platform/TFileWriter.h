#pragma once

#include <string>

/**
 * Whole-file access for the turn files. A file is written safely: the bytes go to a temporary
 * file in the same folder, which replaces the old file only once everything has been written,
 * so a failed save never leaves a half-written or emptied turn file behind. File names are byte
 * strings in the system's local encoding, as the file dialogs give them.
 */
class TFileWriter {
public:
    /**
     * Writes bytes as the whole content of the file, creating or replacing it. False when the
     * file cannot be created or written; an existing file of that name is then left as it was.
     */
    static bool WriteAll(const std::string& fileName, const std::string& bytes);
    /** Reads the whole file into out. False when it cannot be read; out is then unchanged. */
    static bool ReadAll(const std::string& fileName, std::string& out);
    /** True when a file (not a folder) of that name exists. */
    static bool Exists(const std::string& fileName);
};
