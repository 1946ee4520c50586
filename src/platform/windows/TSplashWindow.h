#pragma once

#include "TDib.h"
#include "TModule.h"

#include <memory>

class QWidget;

/**
 * A picture shown on its own while the program starts, centred on the screen and above the
 * other windows, outside the window manager's care. With ShrinkToFit the window takes the
 * picture's size; with CaptureMouse a click on it dismisses it; after timeout milliseconds it
 * goes by itself. Deleting it closes it.
 */
class TSplashWindow {
public:
    static constexpr unsigned ShrinkToFit = 1;
    static constexpr unsigned CaptureMouse = 8;

    TSplashWindow(const TDib& dib, int width, int height, unsigned style, unsigned timeout,
                  const char* title, HINSTANCE module);
    ~TSplashWindow();
    TSplashWindow(const TSplashWindow&) = delete;
    TSplashWindow& operator=(const TSplashWindow&) = delete;

    void Create();
    /** Shows it and paints it at once, before anything else is built. */
    void UpdateWindow();
    bool IsVisible() const;
    QWidget* GetWidget() const;

private:
    class View;
    std::unique_ptr<View> Widget;
};
