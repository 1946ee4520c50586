#pragma once

#include <cstdint>

/**
 * A position in pixels: x to the right, y downward. Used for map points, client points and
 * scroll offsets alike; map point = client point + scroll offset.
 */
class TPoint {
public:
    std::int32_t x = 0;
    std::int32_t y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x_, int y_) : x(x_), y(y_) {}

    constexpr TPoint operator+(const TPoint& o) const { return {x + o.x, y + o.y}; }
    constexpr TPoint operator-(const TPoint& o) const { return {x - o.x, y - o.y}; }
    constexpr TPoint& operator+=(const TPoint& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    constexpr TPoint& operator-=(const TPoint& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    constexpr bool operator==(const TPoint&) const = default;
};
