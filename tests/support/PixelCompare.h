#pragma once

#include "TColor.h"
#include "TRect.h"

#include <gtest/gtest.h>

#include <functional>

class TBitmap;
class TDC;

/**
 * Pictures compared point by point: the colour a picture has at a point, whatever holds it (a
 * bitmap, a drawing context, a rule worked out by hand), and one comparison over an area that
 * names the first point that differs.
 */
namespace PixelCompare {

using Pixels = std::function<TColor(int x, int y)>;

/** The pixels of a bitmap, with offset added to each point asked for. */
Pixels Of(const TBitmap& bitmap, const TPoint& offset = {});
/** The pixels of a drawing context's bitmap, with offset added to each point asked for. */
Pixels Of(const TDC& dc, const TPoint& offset = {});

/**
 * Whether actual and expected agree on every step-th point of area (in both directions),
 * leaving out the points skip (if given) is true for.
 */
::testing::AssertionResult Same(const TRect& area, const Pixels& actual, const Pixels& expected,
                                int step = 1, const std::function<bool(int, int)>& skip = {});
/**
 * Whether two bitmaps agree on every point of area, expected read at each point plus offset,
 * as Same with their pixels; rows that are equal byte for byte are passed over quickly, so
 * that whole windows and maps can be compared after every step of a long test.
 */
::testing::AssertionResult Same(const TRect& area, const TBitmap& actual, const TBitmap& expected,
                                const TPoint& offset = {});

} // namespace PixelCompare
