#pragma once

#include <stdexcept>
#include <string>

/**
 * Raised when a picture or a dialog template (a file or a resource) cannot be read. The
 * message names the file and says what is wrong with it.
 */
class TXBadFile : public std::runtime_error {
public:
    TXBadFile(const std::string& fileName, const std::string& reason)
        : std::runtime_error(fileName + ": " + reason), FileName(fileName), Reason(reason) {}

    const std::string FileName;
    const std::string Reason;
};
