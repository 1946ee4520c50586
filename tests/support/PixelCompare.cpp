#include "PixelCompare.h"

#include "TBitmap.h"
#include "TDC.h"

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

} // namespace PixelCompare
