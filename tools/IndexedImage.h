#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

/**
 * An 8-bit picture in the game palette: the drawing surface of the artwork generator and the
 * writer of the Windows bitmap files the game loads (one 256-entry colour table, rows stored
 * bottom-up). Every drawing call clips to the picture.
 */
class IndexedImage {
public:
    IndexedImage(int width, int height, std::uint8_t fill = 0);

    int Width() const { return W; }
    int Height() const { return H; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H; }

    std::uint8_t At(int x, int y) const {
        return Pixels[std::size_t(y) * std::size_t(W) + std::size_t(x)];
    }
    void Set(int x, int y, std::uint8_t c) {
        if (Contains(x, y))
            Pixels[std::size_t(y) * std::size_t(W) + std::size_t(x)] = c;
    }

    void Fill(std::uint8_t c);
    void FillRect(int x, int y, int w, int h, std::uint8_t c);
    void FrameRect(int x, int y, int w, int h, std::uint8_t c);
    /** A straight line from (x0, y0) to (x1, y1), both ends included. */
    void Line(int x0, int y0, int x1, int y1, std::uint8_t c);
    /** The same line drawn with a plus-shaped brush: three pixels wide. */
    void ThickLine(int x0, int y0, int x1, int y1, std::uint8_t c);

    /**
     * Draws a picture given as text rows with its top-left corner at (x, y). Each character
     * found in keys is drawn with the colour at the same position in colours; every other
     * character is left transparent.
     */
    void Sprite(int x, int y, std::initializer_list<std::string_view> rows, std::string_view keys,
                std::initializer_list<std::uint8_t> colours);
    /** Copies source with its top-left corner at (x, y), scaled up by a whole factor. */
    void Paste(const IndexedImage& source, int x, int y, int scale = 1);

    /** Writes an uncompressed 8-bit bitmap file with the game palette as colour table. */
    void WriteBmp(const std::filesystem::path& file) const;

    /** Calls plot(x, y) for every point of the straight line from (x0, y0) to (x1, y1). */
    template <typename Plot> static void Walk(int x0, int y0, int x1, int y1, Plot plot);

private:
    int W;
    int H;
    std::vector<std::uint8_t> Pixels;
};

template <typename Plot> void IndexedImage::Walk(int x0, int y0, int x1, int y1, Plot plot) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}
