#pragma once

#include "IndexedImage.h"

/**
 * Draws the 256 x 256 splash screen shown while the program starts: a dimmed piece of the
 * game map with the program's name on a dark band across it and two counters, one of each
 * side, beneath.
 */
class SplashPainter {
public:
    static constexpr int Size = 256;

    static IndexedImage Paint(const IndexedImage& map);
};
