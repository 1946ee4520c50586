#pragma once

#include <cstdio>

/**
 * Stops the fuzz target with a message when a property of the reader does not hold, so that
 * libFuzzer keeps the input as a crash and the replay test fails on it.
 */
inline void FuzzRequire(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n", what);
    __builtin_trap();
}
