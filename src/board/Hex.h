#pragma once

#include "Counter.h"
#include "TBitmap.h"
#include "TDC.h"
#include "TModule.h"
#include "TPoint.h"
#include "TSize.h"

#include <memory>
#include <vector>

/**
 * One hex of the grid with the stack of counters standing in it, bottom first. The stack
 * refers to counters; the board owns them. Every change redraws the stack twice: into the map
 * surface at map coordinates and into the window at client coordinates. To wipe the old
 * picture the hex keeps the map patch under its body, saved before the first counter of a
 * run of occupation was drawn.
 */
class Hex {
public:
    explicit Hex(const TPoint& origin);
    virtual ~Hex();
    Hex(const Hex&) = delete;
    Hex& operator=(const Hex&) = delete;

    /** The size of the patch every hex saves under its stack: the hex body. */
    static void SetBackgroundSize(int width, int height);
    static TSize GetBackgroundSize() { return BackgroundSize; }

    virtual void Erase(TDC& surface, TDC& window, const TPoint& screenOrigin);
    virtual void DrawStack(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                           const TPoint& screenOrigin);
    /** Moves the bottom counter to the top and redraws. */
    virtual void Rotate(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                        const TPoint& scroll);
    /** Advances the top counter's mark and redraws. */
    virtual void CycleTopMark(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                              const TPoint& scroll);
    virtual void EraseOn(TDC& dc);
    /** Saves the background if there is none, then draws the stack into dc. */
    virtual void DrawOnSurface(HINSTANCE module, TDC& dc, const TPoint& spread);
    virtual bool TopCanMove();
    virtual void Place(Counter* counter, HINSTANCE module, TDC& surface, TDC& window,
                       const TPoint& spread, const TPoint& scroll);
    /** Removes and returns the top counter, or null when the stack is empty. */
    virtual Counter* TakeTop(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                             const TPoint& scroll);
    virtual int Count() const { return int(Stack.size()); }

    /** Drops the saved background and empties the stack, drawing nothing. */
    void Clear();
    /** Puts a counter on top without drawing and without moving it. */
    void Add(Counter* counter);

    // The top counter's state; an empty hex answers as if nothing had moved or could.
    bool TopHasMoved() const;
    TPoint TopStart() const;
    TResId TopPicture() const;
    Counter* Top() const { return Stack.empty() ? nullptr : Stack.back(); }

    const std::vector<Counter*>& Counters() const { return Stack; }
    bool HasBackground() const { return Background != nullptr; }
    const TPoint& GetOrigin() const { return Origin; }

private:
    void SaveBackground(TDC& source);
    void Redraw(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                const TPoint& scroll);

    static TSize BackgroundSize;

    const TPoint Origin;
    std::unique_ptr<TBitmap> Background;
    std::vector<Counter*> Stack;
};
