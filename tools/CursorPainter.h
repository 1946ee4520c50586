#pragma once

#include <array>
#include <filesystem>
#include <string>

/**
 * Draws the map window's three mouse cursors, 32 x 32 and monochrome: white shapes with a
 * black outline on a transparent ground, written as Windows cursor files that carry their hot
 * spots. 1450 (Combat): a pointer with a gun sight; 1451 (Move All): a pointer with a stack of
 * counters; 1452 (Return to Start Hex): an arrow that turns back, its tip the hot spot.
 */
class CursorPainter {
public:
    static constexpr int Size = 32;
    /** Rows top first; '.' transparent, 'X' black, 'o' white. */
    using Grid = std::array<std::string, Size>;

    static Grid Combat();
    static Grid MoveAll();
    static Grid Return();

    /** Writes grid as a one-image cursor file with its hot spot. */
    static void WriteCur(const Grid& grid, int hotX, int hotY, const std::filesystem::path& file);
};
