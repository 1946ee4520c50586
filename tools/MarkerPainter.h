#pragma once

#include "IndexedImage.h"

#include <cstdint>

/**
 * Draws the small markers laid on the map: the 12 x 12 stack marks (a letter on a pale
 * ground) and the 8 x 8 combat markers (a die result on a red or green ground).
 */
class MarkerPainter {
public:
    static constexpr int MarkSize = 12;
    static constexpr int CombatSize = 8;

    /** letter is one of the heavy letters 'S', 'R' or 'r'. */
    static IndexedImage Mark(char letter, std::uint8_t colour);
    static IndexedImage CombatMarker(int digit, std::uint8_t background);
};
