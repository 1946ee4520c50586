#pragma once

#include <string>

/**
 * The name of a turn's companion file (combat file, movement report) from the unit file's
 * name: everything from the last ".kvk" of the file's own name on is replaced by the
 * extension. A file name without ".kvk" gets the extension appended to the whole name; a
 * ".kvk" in a folder's name never counts, so a companion always lies beside its unit file.
 */
inline std::string CompanionFileName(const std::string& unitFile, const std::string& extension) {
    const std::size_t separator = unitFile.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t at = unitFile.rfind(".kvk");
    return (at == std::string::npos || at < nameStart ? unitFile : unitFile.substr(0, at)) +
           extension;
}

/**
 * The name of a hidden file that the program keeps beside a turn's unit file:
 * ".<unit file's name><suffix>" in the same folder, hidden from file dialogs and listings and
 * not ending like any turn file, so that no other program takes it for one.
 */
inline std::string HiddenCompanionFileName(const std::string& unitFile, const std::string& suffix) {
    const std::size_t separator = unitFile.find_last_of('/');
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    return unitFile.substr(0, nameStart) + "." + unitFile.substr(nameStart) + suffix;
}
