#pragma once

#include "IndexedImage.h"

#include <cstdint>
#include <string>

/**
 * Draws the 24 x 24 counter pictures: each unit's side colour with a darker border, its unit
 * type symbol in the upper half and its printed factors in the lower half, all read from the
 * unit's roster label; and the locomotive picture shared by the rail units.
 */
class CounterPainter {
public:
    static constexpr int Size = 24;

    enum class Symbol {
        Infantry,
        Armour,
        Mechanised,
        Cavalry,
        Mountain,
        Parachute,
        Headquarters,
        Fortified,
        Partisan,
        Aircraft,
        Leader,
        Locomotive
    };

    /** What a unit's counter shows, as read from its roster label. */
    struct Face {
        Symbol Type = Symbol::Infantry;
        std::string Factors; // "10-7", "3", or empty for a label without factors
        std::uint8_t Background = 0;
        std::uint8_t Border = 0;
        std::uint8_t Emblem = 0; // colour of a leader's star or a headquarters' flag
    };

    static Face FaceOf(int unit);
    static IndexedImage Counter(int unit);
    static IndexedImage Locomotive();

private:
    static void DrawSymbol(IndexedImage& image, const Face& face);
};
