#pragma once

#include "KVKWindow.h"

/**
 * What the tests look at inside the map window and set up in it: the unsaved mark, the zoom,
 * the modes and the status hex. The window keeps these to itself; only tests reach them, here.
 */
class MapWindowProbe {
public:
    static bool Modified(const KVKWindow& w) { return w.Modified; }
    static void SetModified(KVKWindow& w, bool modified) { w.Modified = modified; }
    static bool Zoomed(const KVKWindow& w) { return w.Zoomed; }
    static bool MoveAll(const KVKWindow& w) { return w.MoveAllMode; }
    /** The command ids of the left and right button's modes. */
    static int LeftMode(const KVKWindow& w) { return w.LeftMode; }
    static int RightMode(const KVKWindow& w) { return w.RightMode; }
};
