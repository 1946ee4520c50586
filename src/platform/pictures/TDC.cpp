#include "TDC.h"

#include "TBitmap.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

TRect BoundsOf(const TBitmap& b) {
    return {0, 0, b.Width(), b.Height()};
}

} // namespace

bool TDC::BitBlt(int x, int y, int w, int h, const TDC& src, int srcX, int srcY,
                 std::uint32_t rop) {
    const long long sx = (long long)srcX - src.Org.x, sy = (long long)srcY - src.Org.y;
    if (sx < INT32_MIN || sx > INT32_MAX || sy < INT32_MIN || sy > INT32_MAX)
        return true; // a source that far off holds no pixels
    return Copy(x, y, w, h, src.GetBitmap(), int(sx), int(sy), rop);
}

bool TDC::BitBlt(int x, int y, int w, int h, const TBitmap& src, int srcX, int srcY,
                 std::uint32_t rop) {
    return Copy(x, y, w, h, &src, srcX, srcY, rop);
}

bool TDC::Copy(int x, int y, int w, int h, const TBitmap* from, int sx, int sy, std::uint32_t rop) {
    TBitmap* to = GetBitmap();
    if (rop != SRCCOPY || !to || !from)
        return false;
    if (w <= 0 || h <= 0)
        return true;

    // Device coordinates of both rectangles, then the part that lies inside both bitmaps.
    // Worked out in 64 bits, so coordinates far outside any bitmap clip to nothing instead of
    // overflowing.
    using Wide = long long;
    const Wide dx = Wide(x) - Org.x, dy = Wide(y) - Org.y;
    const Wide shiftX = dx - sx, shiftY = dy - sy; // destination minus source position
    const Wide left = std::max({dx, shiftX, Wide(0)});
    const Wide top = std::max({dy, shiftY, Wide(0)});
    const Wide right = std::min({dx + w, Wide(from->Width()) + shiftX, Wide(to->Width())});
    const Wide bottom = std::min({dy + h, Wide(from->Height()) + shiftY, Wide(to->Height())});
    if (right <= left || bottom <= top)
        return true;
    const TRect area{int(left), int(top), int(right), int(bottom)};

    const int rowPixels = area.Width();
    const int fromX = int(left - shiftX);
    const int fromY = int(top - shiftY);
    const std::size_t bytes = std::size_t(rowPixels) * sizeof(std::uint32_t);
    const std::uint32_t* s = from->Bits() + std::ptrdiff_t(fromY) * from->Stride() + fromX;
    std::uint32_t* d = to->Bits() + std::ptrdiff_t(area.top) * to->Stride() + area.left;
    if (to == from && area.top > fromY) {
        // Copying downward within one bitmap: walk the rows bottom up so no row is overwritten
        // before it has been read.
        for (int row = area.Height() - 1; row >= 0; --row)
            std::memmove(d + std::ptrdiff_t(row) * to->Stride(),
                         s + std::ptrdiff_t(row) * from->Stride(), bytes);
    } else {
        for (int row = 0; row < area.Height(); ++row)
            std::memmove(d + std::ptrdiff_t(row) * to->Stride(),
                         s + std::ptrdiff_t(row) * from->Stride(), bytes);
    }
    Changed(area);
    return true;
}

void TDC::FillRect(const TRect& r, const TColor& c) {
    TBitmap* to = GetBitmap();
    if (!to)
        return;
    using Wide = long long;
    const Wide left = std::max(Wide(r.left) - Org.x, Wide(0));
    const Wide top = std::max(Wide(r.top) - Org.y, Wide(0));
    const Wide right = std::min(Wide(r.right) - Org.x, Wide(to->Width()));
    const Wide bottom = std::min(Wide(r.bottom) - Org.y, Wide(to->Height()));
    if (right <= left || bottom <= top)
        return;
    const std::uint32_t pixel = c.Pixel();
    for (Wide y = top; y < bottom; ++y) {
        std::uint32_t* row = to->Bits() + std::ptrdiff_t(y) * to->Stride();
        std::fill(row + left, row + right, pixel);
    }
    Changed({int(left), int(top), int(right), int(bottom)});
}

bool TDC::BitBlt(const TRect& dst, const TDC& src, const TPoint& srcPos, std::uint32_t rop) {
    return BitBlt(dst.left, dst.top, dst.Width(), dst.Height(), src, srcPos.x, srcPos.y, rop);
}

bool TDC::StretchBlt(const TRect& dstRect, const TDC& src, const TRect& srcRect,
                     std::uint32_t rop) {
    TBitmap* to = GetBitmap();
    const TBitmap* from = src.GetBitmap();
    if (rop != SRCCOPY || !to || !from)
        return false;
    const int dw = dstRect.Width(), dh = dstRect.Height();
    const int sw = srcRect.Width(), sh = srcRect.Height();
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return true;

    const TRect dev = dstRect.OffsetBy(-Org.x, -Org.y);
    const TRect area = dev & BoundsOf(*to);
    if (area.IsEmpty())
        return true;
    const int sLeft = srcRect.left - src.Org.x, sTop = srcRect.top - src.Org.y;

    // Each destination pixel takes the source pixel under its centre. The source column of
    // every destination column is worked out once; -1 marks a column outside the source.
    std::vector<int> column(std::size_t(area.Width()));
    for (int x = area.left; x < area.right; ++x) {
        long long fx = sLeft + ((2LL * (x - dev.left) + 1) * sw) / (2LL * dw);
        column[std::size_t(x - area.left)] = (fx >= 0 && fx < from->Width()) ? int(fx) : -1;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        long long fy = sTop + ((2LL * (y - dev.top) + 1) * sh) / (2LL * dh);
        if (fy < 0 || fy >= from->Height())
            continue;
        const std::uint32_t* s = from->Bits() + std::ptrdiff_t(fy) * from->Stride();
        std::uint32_t* d = to->Bits() + std::ptrdiff_t(y) * to->Stride() + area.left;
        for (std::size_t i = 0; i < column.size(); ++i)
            if (column[i] >= 0)
                d[i] = s[column[i]];
    }
    Changed(area);
    return true;
}

TColor TDC::GetPixel(int x, int y) const {
    const TBitmap* b = GetBitmap();
    return b ? b->GetPixel(x - Org.x, y - Org.y) : TColor::Black;
}

void TDC::SelectObject(const TPalette& palette, bool forceBackground) {
    (void)palette;
    (void)forceBackground;
}
