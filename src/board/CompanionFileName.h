#pragma once

#include <string>

/**
 * The name of a turn's companion file (combat file, movement report) from the unit file's
 * name: everything from the last ".kvk" on is replaced by the extension. A name without
 * ".kvk" gets the extension appended to the whole name.
 */
inline std::string CompanionFileName(const std::string& unitFile, const std::string& extension) {
    const std::size_t at = unitFile.rfind(".kvk");
    return (at == std::string::npos ? unitFile : unitFile.substr(0, at)) + extension;
}
