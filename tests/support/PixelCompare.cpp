#include "PixelCompare.h"

#include "TBitmap.h"
#include "TDC.h"

#include <cstring>

namespace PixelCompare {

Pixels Of(const TBitmap& bitmap, const TPoint& offset) {
    return [&bitmap, offset](int x, int y) { return bitmap.GetPixel(x + offset.x, y + offset.y); };
}

Pixels Of(const TDC& dc, const TPoint& offset) {
    return [&dc, offset](int x, int y) { return dc.GetPixel(x + offset.x, y + offset.y); };
}

::testing::AssertionResult Same(const TRect& area, const Pixels& actual, const Pixels& expected,
                                int step, const std::function<bool(int, int)>& skip) {
    for (int y = area.top; y < area.bottom; y += step)
        for (int x = area.left; x < area.right; x += step) {
            if (skip && skip(x, y))
                continue;
            const TColor a = actual(x, y), e = expected(x, y);
            if (!(a == e))
                return ::testing::AssertionFailure()
                       << "at " << x << "," << y << ": " << a.Red() << "/" << a.Green() << "/"
                       << a.Blue() << " where " << e.Red() << "/" << e.Green() << "/" << e.Blue()
                       << " was expected";
        }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Same(const TRect& area, const TBitmap& actual, const TBitmap& expected,
                                const TPoint& offset) {
    const auto inside = [](const TBitmap& b, int left, int right, int y) {
        return left >= 0 && right <= b.Width() && y >= 0 && y < b.Height();
    };
    for (int y = area.top; y < area.bottom; ++y) {
        const int ey = y + offset.y, el = area.left + offset.x;
        if (inside(actual, area.left, area.right, y) &&
            inside(expected, el, area.right + offset.x, ey) &&
            std::memcmp(actual.Bits() + std::ptrdiff_t(y) * actual.Stride() + area.left,
                        expected.Bits() + std::ptrdiff_t(ey) * expected.Stride() + el,
                        std::size_t(area.Width()) * sizeof(std::uint32_t)) == 0)
            continue;
        if (auto row =
                Same(TRect(area.left, y, area.right, y + 1), Of(actual), Of(expected, offset));
            !row)
            return row;
    }
    return ::testing::AssertionSuccess();
}

} // namespace PixelCompare
