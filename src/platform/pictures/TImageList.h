#pragma once

#include "TBitmap.h"
#include "TColor.h"
#include "TModule.h"
#include "TPoint.h"
#include "TResId.h"

#include <memory>

class TWindow;

/**
 * A picture cut into images of equal width, used as the drag image that follows the mouse
 * over a window. The image is drawn over the window's contents, transparent where it has the
 * mask colour, and never changes what the window shows underneath.
 */
class TImageList {
public:
    /** Images imageWidth pixels wide cut from bitmap resource id; growBy is not used. */
    TImageList(HINSTANCE module, TResId id, int imageWidth, int growBy, const TColor& mask);
    ~TImageList();

    int GetImageCount() const;
    /** Starts dragging image index with its hot spot at (hotX, hotY) of the image. */
    bool BeginDrag(int index, int hotX, int hotY);
    /** Shows the image on window with the hot spot at client point (x, y). */
    bool DragEnter(TWindow& window, int x, int y);
    bool DragMove(int x, int y);
    bool DragLeave(TWindow& window);
    void EndDrag();

private:
    std::unique_ptr<TBitmap> Image;
    int ImageWidth;
    TColor Mask;
    std::unique_ptr<TBitmap> Dragged;
    TPoint HotSpot;
    TWindow* Window = nullptr;
};
