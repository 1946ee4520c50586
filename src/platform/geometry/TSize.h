#pragma once

#include <cstdint>

/** A width and a height in pixels. */
class TSize {
public:
    std::int32_t cx = 0;
    std::int32_t cy = 0;

    constexpr TSize() = default;
    constexpr TSize(int w, int h) : cx(w), cy(h) {}
    constexpr bool operator==(const TSize&) const = default;
};
