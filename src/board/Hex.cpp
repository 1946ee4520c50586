#include "Hex.h"

#include "TMemoryDC.h"

TSize Hex::BackgroundSize{24, 40};

Hex::Hex(const TPoint& origin) : Origin(origin) {}

Hex::~Hex() {
    Clear();
}

void Hex::SetBackgroundSize(int width, int height) {
    BackgroundSize = TSize(width, height);
}

void Hex::SaveBackground(TDC& source) {
    Background = std::make_unique<TBitmap>(source, BackgroundSize.cx, BackgroundSize.cy);
    TMemoryDC patch(source);
    patch.SelectObject(*Background);
    patch.BitBlt(0, 0, BackgroundSize.cx, BackgroundSize.cy, source, Origin.x, Origin.y);
}

void Hex::Erase(TDC& surface, TDC& window, const TPoint& screenOrigin) {
    if (!Background)
        return;
    surface.BitBlt(Origin.x, Origin.y, BackgroundSize.cx, BackgroundSize.cy, *Background, 0, 0);
    window.BitBlt(screenOrigin.x, screenOrigin.y, BackgroundSize.cx, BackgroundSize.cy, *Background,
                  0, 0);
}

void Hex::DrawStack(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                    const TPoint& screenOrigin) {
    TPoint offset;
    for (Counter* c : Stack) {
        c->Draw(module, surface, offset, true);
        offset += spread;
    }
    TPoint at = screenOrigin;
    for (Counter* c : Stack) {
        c->Draw(module, window, at, false);
        at += spread;
    }
}

void Hex::Redraw(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                 const TPoint& scroll) {
    const TPoint screenOrigin = Origin - scroll;
    Erase(surface, window, screenOrigin);
    DrawStack(module, surface, window, spread, screenOrigin);
}

void Hex::Rotate(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                 const TPoint& scroll) {
    if (Stack.empty())
        return;
    Counter* bottom = Stack.front();
    Stack.erase(Stack.begin());
    Stack.push_back(bottom);
    Redraw(module, surface, window, spread, scroll);
}

void Hex::CycleTopMark(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                       const TPoint& scroll) {
    if (Stack.empty())
        return;
    Stack.back()->AdvanceMark();
    Redraw(module, surface, window, spread, scroll);
}

void Hex::EraseOn(TDC& dc) {
    if (Background)
        dc.BitBlt(Origin.x, Origin.y, BackgroundSize.cx, BackgroundSize.cy, *Background, 0, 0);
}

void Hex::DrawOnSurface(HINSTANCE module, TDC& dc, const TPoint& spread) {
    if (!Background)
        SaveBackground(dc);
    TPoint offset;
    for (Counter* c : Stack) {
        c->Draw(module, dc, offset, true);
        offset += spread;
    }
}

bool Hex::TopCanMove() {
    return !Stack.empty() && Stack.back()->CanMove();
}

void Hex::Place(Counter* counter, HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                const TPoint& scroll) {
    if (!Background)
        SaveBackground(surface);
    const TPoint screenOrigin = Origin - scroll;
    Erase(surface, window, screenOrigin);
    counter->MoveTo(Origin);
    Stack.push_back(counter);
    DrawStack(module, surface, window, spread, screenOrigin);
}

Counter* Hex::TakeTop(HINSTANCE module, TDC& surface, TDC& window, const TPoint& spread,
                      const TPoint& scroll) {
    if (Stack.empty())
        return nullptr;
    Counter* top = Stack.back();
    Stack.pop_back();
    Redraw(module, surface, window, spread, scroll);
    if (Stack.empty())
        Background.reset();
    return top;
}

void Hex::Clear() {
    Background.reset();
    Stack.clear();
}

void Hex::Add(Counter* counter) {
    Stack.push_back(counter);
}

bool Hex::TopHasMoved() const {
    return !Stack.empty() && Stack.back()->HasMoved();
}

TPoint Hex::TopStart() const {
    return Stack.empty() ? TPoint(-1, -1) : Stack.back()->Start;
}

TResId Hex::TopPicture() const {
    return Stack.empty() ? TResId(0) : Stack.back()->GetPicture();
}
