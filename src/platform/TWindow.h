#pragma once

#include "TModule.h"
#include "TPoint.h"
#include "TRect.h"

class QWidget;

/**
 * A window as the game code sees it: something that has a client area, a scroll position,
 * can be invalidated and repainted, can capture the mouse, and belongs to the program module.
 * The base answers as a window that is not on screen (nothing to repaint, scroll position
 * (0, 0)); the map window overrides it with a real widget. Dialogs and message boxes use the
 * widget behind a window as their parent.
 */
class TWindow {
public:
    virtual ~TWindow() = default;

    /** The widget behind this window, or null for a window that is not on screen. */
    virtual QWidget* GetWidget() const { return nullptr; }
    /** The scroll position in map pixels: map point = client point + scroll position. */
    virtual TPoint GetScrollPos() const { return {}; }
    virtual TRect GetClientRect() const { return {}; }
    /** Marks a client rectangle for repainting; erase asks to clear it first. */
    virtual void InvalidateRect(const TRect& r, bool erase = true) {
        (void)r;
        (void)erase;
    }
    virtual void Invalidate(bool erase = true) { (void)erase; }
    /** Repaints what is marked for repainting, at once. */
    virtual void UpdateWindow() {}
    virtual void SetCapture() {}
    virtual void ReleaseCapture() {}
    /** The module holding the program's pictures. */
    virtual HINSTANCE GetModule() const { return &TModule::Application(); }
};
