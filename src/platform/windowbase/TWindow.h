#pragma once

#include "TColor.h"
#include "TCommandEnabler.h"
#include "TModule.h"
#include "TPoint.h"
#include "TRect.h"
#include "TResId.h"

#include <functional>
#include <string>

class QWidget;
class TBitmap;

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
    /**
     * Shows the cursor resource cursorId (0: the system arrow) while the mouse is over the
     * window; module is the program module that holds it.
     */
    virtual void SetCursor(HINSTANCE module, TResId cursorId) {
        (void)module;
        (void)cursorId;
    }
    /** Runs the command of a menu item or tool-bar button; false when it has none of that id. */
    virtual bool RunCommand(int id) {
        (void)id;
        return false;
    }
    /** Answers whether a command is enabled and checked; the default leaves it enabled. */
    virtual void EnableCommand(TCommandEnabler& ce) { (void)ce; }
    /**
     * Called by the window after it handled something that may change what its commands
     * show (a command, a mouse action); the frame around it then refreshes its menu and tool
     * bar. listener is the frame's.
     */
    void SetCommandListener(std::function<void()> listener) {
        CommandListener = std::move(listener);
    }
    void CommandsChanged() {
        if (CommandListener)
            CommandListener();
    }
    /** Asked before the window closes with the program; false keeps it open. */
    virtual bool CanClose() { return true; }
    /** Sets the caption of the main window this window belongs to (file-name encoding). */
    virtual void SetMainCaption(const std::string& caption) { (void)caption; }
    /** The module holding the program's pictures. */
    virtual HINSTANCE GetModule() const { return &TModule::Application(); }

    /**
     * The pixels of the client area as they were last drawn, which a client drawing context
     * draws into; null for a window that is not on screen.
     */
    virtual TBitmap* GetClientBitmap() { return nullptr; }
    /** Shows client pixels that a client drawing context changed (client coordinates). */
    virtual void ClientChanged(const TRect& r) { (void)r; }
    /**
     * Shows image over the client area with its top-left corner at the client point at,
     * transparent where it has the mask colour, without changing the client pixels beneath;
     * a null image removes it.
     */
    virtual void SetDragImage(const TBitmap* image, const TPoint& at, const TColor& mask) {
        (void)image;
        (void)at;
        (void)mask;
    }

private:
    std::function<void()> CommandListener;
};
