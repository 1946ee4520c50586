#pragma once

#include "MapBoard.h"
#include "TColor.h"
#include "TImageList.h"
#include "TModule.h"
#include "TPoint.h"
#include "TResId.h"

#include <memory>

class TWindow;

/**
 * A counter being dragged across the map window: where it was picked up, its picture floating
 * under the hidden mouse cursor, and the window's hold on the mouse. The counter itself stays
 * on its hex until the drag ends; the window then moves it, or leaves it where it was when the
 * drag is cancelled. Between Begin and End or Cancel the drag is active, and the window takes
 * no other action.
 */
class CounterDrag {
public:
    /** Pixels of this colour in a counter picture are transparent in the drag image. */
    static constexpr TColor Mask{0, 0, 0};

    explicit CounterDrag(TWindow& window) : Window(window) {}
    ~CounterDrag();
    CounterDrag(const CounterDrag&) = delete;
    CounterDrag& operator=(const CounterDrag&) = delete;

    /**
     * Picks up the counter with this picture from the hex at the map point origin, the mouse
     * pressed at client point p. False, with nothing started, when its image cannot be made.
     */
    bool Begin(HINSTANCE module, TResId picture, const TPoint& origin, const TPoint& p);
    /** The picture follows the mouse to client point p. */
    void Move(const TPoint& p);
    /** Lets go: the picture and the hold on the mouse go. Returns where the drag began. */
    TPoint End();
    /** Lets go without a move: the same as End, for a drag given up. */
    void Cancel() { End(); }

    bool Active() const { return Image != nullptr; }
    /** The map point where the counter was picked up; the no point when no drag is active. */
    const TPoint& Origin() const { return OriginPoint; }

private:
    TWindow& Window;
    std::unique_ptr<TImageList> Image;
    TPoint OriginPoint = MapBoard::NoPoint;
};
