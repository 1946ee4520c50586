#pragma once

#include <cstdint>
#include <string>

/**
 * What the file open and save dialogs share: flags, filter, default extension and the file
 * name. One value serves both dialogs, so the name chosen in one is the default of the other.
 */
class TOpenSaveData {
public:
    static constexpr std::uint32_t OverwritePrompt = 0x00000002;
    static constexpr std::uint32_t ExtensionDifferent = 0x00000400;
    static constexpr std::uint32_t NoTestFileCreate = 0x00010000;

    TOpenSaveData(std::uint32_t flags, std::string filter, std::string defaultExtension)
        : Flags(flags), Filter(std::move(filter)), DefExt(std::move(defaultExtension)) {}

    std::uint32_t Flags = 0;
    std::string Filter;
    std::string CustomFilter;
    std::string InitialDir;
    std::string DefExt;
    std::string FileName;
    int MaxPath = 0;
    int FilterIndex = 0;
};
