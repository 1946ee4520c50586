#include "NoiseField.h"

#include <cstdint>

namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Cubic ease 3t^2 - 2t^3 in 16.16 fixed point, so the noise has no creases at lattice lines.
std::int64_t Ease(std::int64_t t) {
    const std::int64_t t2 = (t * t) >> 16;
    return (t2 * (3 * NoiseField::One - 2 * t)) >> 16;
}

std::int64_t Mix(std::int64_t a, std::int64_t b, std::int64_t t) {
    return a + (((b - a) * t) >> 16);
}

} // namespace

std::uint32_t NoiseField::Hash(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= std::uint32_t(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= std::uint32_t(y) * 0xC2B2AE35u;
    // Final avalanche of a well-known 32-bit integer hash.
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

int NoiseField::Value(int x, int y, int cell, std::uint32_t seed) {
    const int gx = FloorDiv(x, cell), gy = FloorDiv(y, cell);
    const std::int64_t fx = Ease(std::int64_t(x - gx * cell) * One / cell);
    const std::int64_t fy = Ease(std::int64_t(y - gy * cell) * One / cell);
    const std::int64_t top = Mix(Unit(gx, gy, seed), Unit(gx + 1, gy, seed), fx);
    const std::int64_t bottom = Mix(Unit(gx, gy + 1, seed), Unit(gx + 1, gy + 1, seed), fx);
    return int(Mix(top, bottom, fy));
}

int NoiseField::Fractal(int x, int y, int cell, int octaves, std::uint32_t seed) {
    std::int64_t sum = 0, weight = 0, w = 256;
    for (int o = 0; o < octaves && cell > 0; ++o) {
        sum += w * Value(x, y, cell, seed + std::uint32_t(o) * 101u);
        weight += w;
        w /= 2;
        cell /= 2;
    }
    return int(sum / weight);
}
