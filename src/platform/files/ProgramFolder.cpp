#include "ProgramFolder.h"

#include <filesystem>
#include <system_error>

std::string ProgramFolder::Path() {
    // The kernel keeps the executable's real path as this link, already resolved through any
    // link the program was started by (a ~/bin/kurvask pointing into the installed tree).
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !executable.is_absolute())
        return {};
    return executable.parent_path().string();
}
