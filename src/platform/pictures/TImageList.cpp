#include "TImageList.h"

#include "TMemoryDC.h"
#include "TWindow.h"

#include <algorithm>

TImageList::TImageList(HINSTANCE module, TResId id, int imageWidth, int growBy, const TColor& mask)
    : ImageWidth(std::max(1, imageWidth)), Mask(mask) {
    (void)growBy;
    const TModule& m = module ? *module : TModule::Application();
    Image = std::make_unique<TBitmap>(m.GetBitmap(id));
}

TImageList::~TImageList() {
    if (Window)
        Window->SetDragImage(nullptr, {}, Mask);
}

int TImageList::GetImageCount() const {
    return Image->Width() / ImageWidth;
}

bool TImageList::BeginDrag(int index, int hotX, int hotY) {
    if (index < 0 || index >= GetImageCount())
        return false;
    Dragged = std::make_unique<TBitmap>(ImageWidth, Image->Height());
    TMemoryDC to(*Dragged), from(*Image);
    to.BitBlt(0, 0, ImageWidth, Image->Height(), from, index * ImageWidth, 0);
    HotSpot = {hotX, hotY};
    return true;
}

bool TImageList::DragEnter(TWindow& window, int x, int y) {
    if (!Dragged)
        return false;
    Window = &window;
    return DragMove(x, y);
}

bool TImageList::DragMove(int x, int y) {
    if (!Dragged || !Window)
        return false;
    Window->SetDragImage(Dragged.get(), TPoint(x, y) - HotSpot, Mask);
    return true;
}

bool TImageList::DragLeave(TWindow& window) {
    window.SetDragImage(nullptr, {}, Mask);
    if (Window == &window)
        Window = nullptr;
    return true;
}

void TImageList::EndDrag() {
    if (Window)
        Window->SetDragImage(nullptr, {}, Mask);
    Window = nullptr;
    Dragged.reset();
}
