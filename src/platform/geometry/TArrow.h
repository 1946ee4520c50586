#pragma once

#include "TColor.h"
#include "TPoint.h"

/**
 * An arrow drawn over a window's client area, between two map points, with its head at To.
 * A dashed arrow has a dashed shaft; a highlighted one is drawn wider with a light outline.
 * An arrow whose ends are the same point is drawn as a ring around that point.
 */
struct TArrow {
    TPoint From;
    TPoint To;
    TColor Color;
    bool Dashed = false;
    bool Highlighted = false;
    bool operator==(const TArrow&) const = default;
};
