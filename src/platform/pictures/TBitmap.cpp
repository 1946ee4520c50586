#include "TBitmap.h"

#include "TDib.h"

#include <algorithm>

TBitmap::TBitmap(int width, int height)
    : W(std::max(0, width)), H(std::max(0, height)),
      Pixels(std::size_t(W) * std::size_t(H), TColor::Black.Pixel()) {}

TBitmap::TBitmap(const TDC& dc, int width, int height) : TBitmap(width, height) {
    (void)dc;
}

TBitmap::TBitmap(const TDib& dib, const TPalette* palette)
    : W(dib.Width()), H(dib.Height()), Pixels(dib.Pixels()) {
    (void)palette;
}

TBitmap::TBitmap(TDib&& dib) : W(dib.Width()), H(dib.Height()), Pixels(dib.TakePixels()) {}

TColor TBitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= W || y >= H)
        return TColor::Black;
    return TColor::FromPixel(Pixels[std::size_t(y) * std::size_t(W) + std::size_t(x)]);
}

void TBitmap::SetPixel(int x, int y, const TColor& c) {
    if (x < 0 || y < 0 || x >= W || y >= H)
        return;
    Pixels[std::size_t(y) * std::size_t(W) + std::size_t(x)] = c.Pixel();
}
