#pragma once

#include "MapBoard.h"

/** A board with no counters: enough to exercise the map surface and the grid. */
class BareBoard : public MapBoard {
public:
    using MapBoard::MapBoard;
    bool HasCounters(const TPoint&) override { return false; }
    TResId TopCounterPicture(const TPoint&) override { return 0; }
    bool TopCounterHasMoved(const TPoint&) override { return false; }
    bool TopCounterCanMove(const TPoint&) override { return false; }
    bool MoveTopCounter(const TPoint&, const TPoint&, const TPoint&, TDC&) override {
        return false;
    }
    TPoint ReturnToStart(const TPoint&, const TPoint&, TDC&) override { return NoPoint; }
    void RotateStack(const TPoint&, const TPoint&, TDC&) override {}
    void CycleMark(const TPoint&, const TPoint&, TDC&) override {}
};
