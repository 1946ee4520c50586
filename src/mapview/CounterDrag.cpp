#include "CounterDrag.h"

#include "ShowCursor.h"
#include "TWindow.h"

CounterDrag::~CounterDrag() {
    if (Active())
        End();
}

bool CounterDrag::Begin(HINSTANCE module, TResId picture, const TPoint& origin, const TPoint& p) {
    if (Active())
        return false;
    const int w = module->GetBitmap(picture).Width();
    auto image = std::make_unique<TImageList>(module, picture, w, 1, Mask);
    if (image->GetImageCount() == 0)
        return false;
    Image = std::move(image);
    OriginPoint = origin;
    ShowCursor(false);
    Window.SetCapture();
    Window.InvalidateRect(TRect(0, 0, w, w), false);
    Window.UpdateWindow();
    Image->BeginDrag(0, w / 2, w / 2);
    Image->DragEnter(Window, p.x, p.y);
    return true;
}

void CounterDrag::Move(const TPoint& p) {
    if (Active())
        Image->DragMove(p.x, p.y);
}

TPoint CounterDrag::End() {
    const TPoint origin = OriginPoint;
    if (!Active())
        return origin;
    Image->DragLeave(Window);
    Image->EndDrag();
    Window.ReleaseCapture();
    ShowCursor(true);
    Window.Invalidate(false);
    Image.reset();
    OriginPoint = MapBoard::NoPoint;
    return origin;
}
