#pragma once

#include "TArrow.h"
#include "TRect.h"

#include <vector>

class QPainter;
class TBitmap;

/**
 * Draws arrows between map points onto a client area: each map point is multiplied by the
 * scale and the scroll position is taken off. The shaft and head are outlined in black (in
 * white when highlighted) so that they stand out over terrain and counters alike; line widths
 * and the head follow the scale, never below what stays visible on a zoomed map. Arrows are
 * filled as plain convex shapes, without smoothing, so that a window full of them repaints
 * about as fast as the map under them.
 */
class TArrowPainter {
public:
    struct Placement {
        double ScaleX = 1;
        double ScaleY = 1;
        TPoint Scroll;
    };

    /** The client area an arrow covers, outline and head included. */
    static TRect Area(const TArrow& arrow, const Placement& at);
    /** Draws the arrows that meet clip, in order, with the painter's own clipping as it is. */
    static void Paint(QPainter& painter, const std::vector<TArrow>& arrows, const Placement& at,
                      const TRect& clip);
    /** Draws the arrows into a bitmap, as a window draws them over its client pixels. */
    static void Paint(TBitmap& target, const std::vector<TArrow>& arrows, const Placement& at);
};
