#pragma once

#include <cstdint>

/**
 * Deterministic randomness for the artwork: an integer hash of lattice points and smooth
 * value noise built on it, all in integer arithmetic so the terrain, the rivers and every
 * texture come out bit for bit the same on every machine and every run.
 */
class NoiseField {
public:
    static constexpr int One = 65536;

    /** A well-mixed 32-bit hash of a lattice point and a seed. */
    static std::uint32_t Hash(int x, int y, std::uint32_t seed);
    /** The hash of a point scaled to 0 .. One-1. */
    static int Unit(int x, int y, std::uint32_t seed) { return int(Hash(x, y, seed) & 0xFFFF); }
    /** Smooth value noise in 0 .. One-1 with features about cell pixels apart. */
    static int Value(int x, int y, int cell, std::uint32_t seed);
    /** Value noise summed over octaves of halving cell size and weight, in 0 .. One-1. */
    static int Fractal(int x, int y, int cell, int octaves, std::uint32_t seed);
};
