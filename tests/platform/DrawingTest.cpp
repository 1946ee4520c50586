// Block copies and stretches between drawing contexts: exact pixels, clipping at every edge,
// window origins.
#include "PixelCompare.h"
#include "TBitmap.h"
#include "TMemoryDC.h"

#include <gtest/gtest.h>

namespace {

using PixelCompare::Of;
using PixelCompare::Same;

// A bitmap whose every pixel is different, so a copy from the wrong place shows.
TBitmap Pattern(int w, int h, std::uint32_t salt = 0) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, TColor::FromPixel(std::uint32_t(x * 251 + y * 65537 + 7) ^ salt));
    return b;
}

// Every destination pixel is either copied from the matching source pixel (when both lie
// inside their bitmaps) or left as it was.
TEST(Drawing, bitBltCopiesExactlyAndClips) {
    const struct {
        const char* name;
        int x, y, w, h, srcX, srcY;
    } cases[] = {
        {"inside", 2, 3, 10, 8, 5, 4},
        {"whole destination", 0, 0, 25, 15, 0, 0},
        {"past the right edge", 20, 2, 10, 5, 0, 0},
        {"past the bottom edge", 3, 12, 6, 10, 1, 1},
        {"before the left and top edges", -4, -3, 10, 10, 0, 0},
        {"source past its edge", 0, 0, 12, 12, 25, 15},
        {"source before its corner", 5, 5, 10, 10, -3, -6},
        {"wholly outside", 40, 40, 5, 5, 0, 0},
        {"source wholly outside", 0, 0, 5, 5, 100, 100},
        {"empty", 5, 5, 0, 7, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap srcBits = Pattern(30, 20, 0x123456);
        TBitmap dstBits = Pattern(25, 15, 0xabcdef);
        const TBitmap before = dstBits;
        TMemoryDC src(srcBits), dst(dstBits);
        ASSERT_TRUE(dst.BitBlt(c.x, c.y, c.w, c.h, src, c.srcX, c.srcY, SRCCOPY));
        EXPECT_TRUE(Same({0, 0, 25, 15}, Of(dstBits), [&](int x, int y) {
            const int sx = x - c.x + c.srcX, sy = y - c.y + c.srcY;
            const bool inCopy = x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h;
            const bool inSource = sx >= 0 && sx < 30 && sy >= 0 && sy < 20;
            return inCopy && inSource ? srcBits.GetPixel(sx, sy) : before.GetPixel(x, y);
        }));
    }
}

TEST(Drawing, copyWithinOneBitmapHandlesOverlap) {
    TBitmap bits = Pattern(20, 20);
    const TBitmap before = bits;
    TMemoryDC dc(bits);
    dc.BitBlt(3, 4, 10, 10, dc, 1, 1);
    EXPECT_TRUE(Same({3, 4, 13, 14}, bits, before, {-2, -3}));
    bits = before;
    dc.BitBlt(0, 0, 10, 10, dc, 2, 3);
    EXPECT_TRUE(Same({0, 0, 10, 10}, bits, before, {2, 3}));
}

TEST(Drawing, windowOriginShiftsTheDestination) {
    TBitmap srcBits = Pattern(50, 50), dstBits(10, 10);
    TMemoryDC src(srcBits), dst(dstBits);
    dst.SetWindowOrg({20, 30});
    // Logical (20, 30) is the first device pixel: copying the whole source at its own place
    // shows the part of it that starts at (20, 30).
    dst.BitBlt(0, 0, 50, 50, src, 0, 0);
    EXPECT_TRUE(Same({0, 0, 10, 10}, dstBits, srcBits, {20, 30}));
    EXPECT_EQ(dst.GetPixel(25, 35), srcBits.GetPixel(25, 35));
}

TEST(Drawing, nothingSelectedOrOtherOperationsRefuse) {
    TBitmap bits = Pattern(4, 4);
    TMemoryDC empty, dc(bits);
    EXPECT_FALSE(empty.BitBlt(0, 0, 4, 4, dc, 0, 0));
    EXPECT_FALSE(dc.BitBlt(0, 0, 4, 4, empty, 0, 0));
    EXPECT_FALSE(dc.BitBlt(0, 0, 4, 4, dc, 0, 0, 0x00EE0086 /* a merge operation */));
    EXPECT_EQ(empty.GetPixel(0, 0), TColor::Black);
}

TEST(Drawing, stretchScalesTheWholeSource) {
    // A 4 x 2 source of distinct colours doubled into 8 x 4: every source pixel becomes a 2 x 2
    // block.
    TBitmap srcBits = Pattern(4, 2), dstBits(8, 4);
    TMemoryDC src(srcBits), dst(dstBits);
    ASSERT_TRUE(dst.StretchBlt({0, 0, 8, 4}, src, {0, 0, 4, 2}));
    EXPECT_TRUE(Same({0, 0, 8, 4}, Of(dstBits),
                     [&](int x, int y) { return srcBits.GetPixel(x / 2, y / 2); }));

    // Halving takes one pixel of every 2 x 2 block: the first and last columns and rows come
    // from the first and last blocks.
    TBitmap big = Pattern(8, 8), small(4, 4);
    TMemoryDC bigDc(big), smallDc(small);
    smallDc.StretchBlt({0, 0, 4, 4}, bigDc, {0, 0, 8, 8});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const TColor c = small.GetPixel(x, y);
            bool fromBlock = false;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    fromBlock |= c == big.GetPixel(2 * x + dx, 2 * y + dy);
            ASSERT_TRUE(fromBlock) << x << "," << y;
        }
}

TEST(Drawing, stretchIsClippedToTheDestination) {
    TBitmap srcBits = Pattern(10, 10), dstBits = Pattern(6, 6, 0x55);
    const TBitmap before = dstBits;
    TMemoryDC src(srcBits), dst(dstBits);
    // 1:1 stretch placed half outside: the inside part is a plain copy, nothing else changes.
    ASSERT_TRUE(dst.StretchBlt({-5, 3, 5, 13}, src, {0, 0, 10, 10}));
    EXPECT_TRUE(Same({0, 0, 6, 6}, Of(dstBits), [&](int x, int y) {
        return x < 5 && y >= 3 ? srcBits.GetPixel(x + 5, y - 3) : before.GetPixel(x, y);
    }));
}

// Coordinates from a damaged file can be anywhere in 32 bits: such copies clip to nothing.
TEST(Drawing, copiesAtExtremeCoordinatesChangeNothing) {
    TBitmap srcBits = Pattern(8, 8), dstBits = Pattern(16, 16, 0x77);
    const TBitmap before = dstBits;
    TMemoryDC src(srcBits), dst(dstBits);
    for (const int far : {INT32_MAX, INT32_MIN, INT32_MAX - 4, INT32_MIN + 3}) {
        EXPECT_TRUE(dst.BitBlt(far, 2, 8, 8, src, 0, 0));
        EXPECT_TRUE(dst.BitBlt(2, far, 8, 8, src, 0, 0));
        EXPECT_TRUE(dst.BitBlt(2, 2, 8, 8, src, far, 0));
        EXPECT_TRUE(dst.BitBlt(2, 2, INT32_MAX, INT32_MAX, src, far, far));
    }
    dst.SetWindowOrg({INT32_MIN, INT32_MIN});
    EXPECT_TRUE(dst.BitBlt(INT32_MAX, INT32_MAX, 8, 8, srcBits, 0, 0));
    EXPECT_TRUE(Same({0, 0, 16, 16}, dstBits, before));
}

} // namespace
