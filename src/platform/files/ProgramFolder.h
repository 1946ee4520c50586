#pragma once

#include <string>

/**
 * Where the running program lies on disk, so that it can find the files installed beside it
 * wherever the installed tree was put.
 */
class ProgramFolder {
public:
    /**
     * The folder that holds the running executable, every symbolic link resolved; empty when
     * the system cannot tell. Needs no application object, so it serves before one exists.
     */
    static std::string Path();
};
