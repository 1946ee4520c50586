#pragma once

#include "TDC.h"
#include "TWindow.h"

/**
 * A drawing context on a window's client area, in client coordinates. What is drawn shows in
 * the window at once; for a window that is not on screen the drawing goes nowhere.
 */
class TClientDC : public TDC {
public:
    explicit TClientDC(TWindow& window) : Window(window) {}

    TBitmap* GetBitmap() const override { return Window.GetClientBitmap(); }

protected:
    void Changed(const TRect& r) override { Window.ClientChanged(r); }

private:
    TWindow& Window;
};
