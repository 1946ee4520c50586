#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

/**
 * A small 16-colour picture on the standard 16-colour palette, for tool-bar buttons and
 * icons, written as a 4-bit Windows bitmap. Drawing is clipped to the picture.
 */
class Image16 {
public:
    enum Colour : std::uint8_t {
        Black,
        DarkRed,
        DarkGreen,
        Olive,
        Navy,
        Purple,
        Teal,
        Silver,
        Grey,
        Red,
        Green,
        Yellow,
        Blue,
        Magenta,
        Cyan,
        White
    };
    /** The palette as 0xRRGGBB. */
    static const std::array<std::uint32_t, 16> Palette;

    Image16(int width, int height, Colour background);

    int Width() const { return W; }
    int Height() const { return H; }
    Colour Get(int x, int y) const { return Colour(Pixels[std::size_t(y * W + x)]); }
    void Set(int x, int y, Colour c);
    void Rect(int x0, int y0, int x1, int y1, Colour c);
    /** The outline of a rectangle, corners included. */
    void Frame(int x0, int y0, int x1, int y1, Colour c);
    void Line(int x0, int y0, int x1, int y1, Colour c);
    /** A ring of the given radius, or a disc when filled. */
    void Circle(int cx, int cy, int radius, Colour c, bool filled);
    /** Draws rows of text: ' ' leaves a pixel alone, any other character sets colour c. */
    void Stamp(int x, int y, std::initializer_list<const char*> rows, Colour c);

    /** The nearest palette colour of an RGB colour. */
    static Colour Nearest(std::uint32_t rgb);
    void WriteBmp(const std::filesystem::path& file) const;

private:
    int W, H;
    std::vector<std::uint8_t> Pixels;
};
