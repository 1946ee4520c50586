#pragma once

#include "TPoint.h"
#include "TSize.h"

#include <algorithm>
#include <cstdint>

/**
 * A rectangle of pixels from (left, top) inclusive to (right, bottom) exclusive, as the
 * drawing calls take it.
 */
class TRect {
public:
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr TRect(const TPoint& topLeft, const TSize& size)
        : left(topLeft.x), top(topLeft.y), right(topLeft.x + size.cx), bottom(topLeft.y + size.cy) {
    }

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr TPoint TopLeft() const { return {left, top}; }
    constexpr TSize Size() const { return {Width(), Height()}; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }

    /** True when p lies inside: left <= x < right and top <= y < bottom. */
    constexpr bool Contains(const TPoint& p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    /** The common part of two rectangles; empty (all zero) when they do not meet. */
    constexpr TRect operator&(const TRect& o) const {
        TRect r(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom));
        return r.IsEmpty() ? TRect() : r;
    }

    constexpr TRect OffsetBy(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr bool operator==(const TRect&) const = default;
};
