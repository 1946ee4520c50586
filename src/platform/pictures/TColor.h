#pragma once

#include <cstdint>

/**
 * A 24-bit colour. Pixels are held in memory as 32-bit values 0xffRRGGBB; Pixel() gives that
 * form, so pictures and drawing contexts compare colours directly.
 */
class TColor {
public:
    constexpr TColor() = default;
    constexpr TColor(int r, int g, int b)
        : Value(0xff000000u | (std::uint32_t(r & 0xff) << 16) | (std::uint32_t(g & 0xff) << 8) |
                std::uint32_t(b & 0xff)) {}
    /** From a 0xRRGGBB value (the alpha byte is ignored). */
    static constexpr TColor FromPixel(std::uint32_t p) {
        return TColor(int(p >> 16), int(p >> 8), int(p));
    }
    /** From a Windows colour reference 0x00BBGGRR, so TColor(0) is black. */
    explicit constexpr TColor(std::uint32_t colorRef)
        : TColor(int(colorRef & 0xff), int((colorRef >> 8) & 0xff), int((colorRef >> 16) & 0xff)) {}

    constexpr int Red() const { return int((Value >> 16) & 0xff); }
    constexpr int Green() const { return int((Value >> 8) & 0xff); }
    constexpr int Blue() const { return int(Value & 0xff); }
    constexpr std::uint32_t Pixel() const { return Value; }
    constexpr bool operator==(const TColor&) const = default;

    static const TColor Black;
    static const TColor White;

private:
    std::uint32_t Value = 0xff000000u;
};

inline constexpr TColor TColor::Black{0, 0, 0};
inline constexpr TColor TColor::White{255, 255, 255};
