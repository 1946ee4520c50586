#pragma once

#include "TArrow.h"
#include "TBitmap.h"
#include "TCursor.h"
#include "TDC.h"
#include "TWindow.h"

#include <memory>
#include <vector>

class QWidget;

/**
 * A window on screen with a client area behind two scroll bars whose units are pixels: the
 * base of the map window. The client pixels are kept as a bitmap, so a client drawing
 * context draws into them directly and they show at once; Paint redraws the parts that were
 * invalidated, with the context's origin moved to the scroll position. A drag image floats
 * over the client area without touching its pixels, and so do arrows between map points,
 * drawn over the client pixels at the scroll position and the map scale. Mouse presses,
 * releases and moves arrive at the Ev handlers in client coordinates.
 */
class TScrollWindow : public TWindow {
public:
    TScrollWindow();
    ~TScrollWindow() override;
    TScrollWindow(const TScrollWindow&) = delete;
    TScrollWindow& operator=(const TScrollWindow&) = delete;

    QWidget* GetWidget() const override;
    TPoint GetScrollPos() const override;
    TRect GetClientRect() const override;
    void InvalidateRect(const TRect& r, bool erase = true) override;
    void Invalidate(bool erase = true) override;
    void UpdateWindow() override;
    void SetCapture() override;
    void ReleaseCapture() override;
    TBitmap* GetClientBitmap() override;
    void ClientChanged(const TRect& r) override;
    void SetDragImage(const TBitmap* image, const TPoint& at, const TColor& mask) override;
    void SetCursor(HINSTANCE module, TResId cursorId) override;
    void SetMainCaption(const std::string& caption) override;
    /** What reached the screen: frames shown and their pixels, and Paint calls and theirs. */
    struct PaintStats {
        long long Frames = 0;
        long long FramePixels = 0;
        long long Paints = 0;
        long long PaintPixels = 0;
    };
    const PaintStats& GetPaintStats() const;
    /** The cursor resource shown over the window; 0 for the system arrow. */
    TResId GetCursorId() const;

    /**
     * The arrows drawn over the client area, in map points; only the areas of the arrows that
     * differ from the ones shown before are repainted.
     */
    void SetArrows(std::vector<TArrow> arrows);
    const std::vector<TArrow>& GetArrows() const;
    /**
     * How map points reach the client area: multiplied by the scale (1 for the map at full
     * size), then the scroll position taken off. Repaints the arrows when it changes.
     */
    void SetArrowScale(double sx, double sy);
    /** The client area of an arrow, its head and outline included, at the present scale. */
    TRect ArrowArea(const TArrow& arrow) const;

    /** Sets the scroll ranges in pixels; a range of 0 hides that scroll bar. */
    void SetScrollRange(int xRange, int yRange);
    void ScrollTo(int x, int y);

    /** Draws the client area; the context's origin is at the scroll position. */
    virtual void Paint(TDC& dc, bool erase, const TRect& rect);
    virtual void EvLButtonDown(unsigned keys, const TPoint& p);
    virtual void EvLButtonUp(unsigned keys, const TPoint& p);
    virtual void EvRButtonDown(unsigned keys, const TPoint& p);
    virtual void EvMouseMove(unsigned keys, const TPoint& p);
    /** A key pressed while the window has the keyboard (VK_ESCAPE...); true when taken. */
    virtual bool EvKeyDown(unsigned key);
    /** The client area changed size; sizeType is SIZE_MINIMIZED when the window was minimized. */
    virtual void EvSize(unsigned sizeType, const TSize& size);

    static constexpr unsigned SIZE_RESTORED = 0;
    static constexpr unsigned SIZE_MINIMIZED = 1;
    static constexpr unsigned VK_ESCAPE = 0x1B;

private:
    class View;
    std::unique_ptr<TCursor> Cursor;
    friend class View;
    View* Widget; // owned unless a frame adopted it
};
