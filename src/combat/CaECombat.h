#pragma once

#include "Combat.h"

/** A combat of the game: declared by the moving player, or read from a combat file. */
class CaECombat : public Combat {
public:
    /** For reading: the marker gets its place and picture from the record read later. */
    CaECombat(TDC& mapSurface, HINSTANCE module);
    /**
     * For declaring: runs the combat dialog for a combat against the hex, then makes the red
     * marker of the rolled digit at the marker position, which the file gets in green, 34
     * pixels further right.
     */
    CaECombat(int hexIndex, const TPoint& markerPosition, TDC& mapSurface, HINSTANCE module,
              TWindow* parent);

    void ShowResult(TWindow* parent, int hexIndex) override;
};
