#pragma once

#include "Image16.h"

#include <cstdint>
#include <filesystem>
#include <vector>

/**
 * The program's icon at any size, from one drawing: a green hex of the map with a red
 * infantry counter on it. Drawn smooth (four by four samples a pixel) with a transparent
 * ground, written as PNG for the desktop's icon theme, or reduced to 16 colours on a silver
 * ground for the frame's own icons.
 */
class IconPainter {
public:
    /** size x size pixels as 0xAARRGGBB, top row first. */
    static std::vector<std::uint32_t> Render(int size);
    static Image16 Render16(int size);
    static void WritePng(const std::vector<std::uint32_t>& pixels, int size,
                         const std::filesystem::path& file);
};
