#include "IndexedImage.h"

#include "GamePalette.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void PutLE16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void PutLE32(std::string& out, std::uint32_t v) {
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}

} // namespace

IndexedImage::IndexedImage(int width, int height, std::uint8_t fill)
    : W(width), H(height), Pixels(std::size_t(width) * std::size_t(height), fill) {}

void IndexedImage::Fill(std::uint8_t c) {
    std::fill(Pixels.begin(), Pixels.end(), c);
}

void IndexedImage::FillRect(int x, int y, int w, int h, std::uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            Set(i, j, c);
}

void IndexedImage::FrameRect(int x, int y, int w, int h, std::uint8_t c) {
    Line(x, y, x + w - 1, y, c);
    Line(x, y + h - 1, x + w - 1, y + h - 1, c);
    Line(x, y, x, y + h - 1, c);
    Line(x + w - 1, y, x + w - 1, y + h - 1, c);
}

// Bresenham's walk over the pixels of a line, both ends included, always from the first
// point to the second, so a line and its reverse may differ by a pixel but each is stable.
void IndexedImage::Line(int x0, int y0, int x1, int y1, std::uint8_t c) {
    Walk(x0, y0, x1, y1, [&](int x, int y) { Set(x, y, c); });
}

void IndexedImage::ThickLine(int x0, int y0, int x1, int y1, std::uint8_t c) {
    Walk(x0, y0, x1, y1, [&](int x, int y) {
        Set(x, y, c);
        Set(x - 1, y, c);
        Set(x + 1, y, c);
        Set(x, y - 1, c);
        Set(x, y + 1, c);
    });
}

void IndexedImage::Sprite(int x, int y, std::initializer_list<std::string_view> rows,
                          std::string_view keys, std::initializer_list<std::uint8_t> colours) {
    if (keys.size() != colours.size())
        throw std::logic_error("IndexedImage::Sprite: one colour per key");
    int j = 0;
    for (std::string_view row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::size_t k = keys.find(row[i]);
            if (k != std::string_view::npos)
                Set(x + int(i), y + j, colours.begin()[k]);
        }
        ++j;
    }
}

void IndexedImage::Paste(const IndexedImage& source, int x, int y, int scale) {
    for (int j = 0; j < source.H * scale; ++j)
        for (int i = 0; i < source.W * scale; ++i)
            Set(x + i, y + j, source.At(i / scale, j / scale));
}

void IndexedImage::WriteBmp(const std::filesystem::path& file) const {
    constexpr std::uint32_t FileHeaderSize = 14, InfoHeaderSize = 40;
    constexpr std::uint32_t TableSize = 4 * GamePalette::Size;
    const std::uint32_t stride = (std::uint32_t(W) + 3) & ~3u;
    const std::uint32_t imageSize = stride * std::uint32_t(H);
    const std::uint32_t offBits = FileHeaderSize + InfoHeaderSize + TableSize;

    std::string out;
    out.reserve(offBits + imageSize);
    // BITMAPFILEHEADER
    out += "BM";
    PutLE32(out, offBits + imageSize);
    PutLE32(out, 0);
    PutLE32(out, offBits);
    // BITMAPINFOHEADER: bottom-up, 8 bits, uncompressed, all 256 colours used.
    PutLE32(out, InfoHeaderSize);
    PutLE32(out, std::uint32_t(W));
    PutLE32(out, std::uint32_t(H));
    PutLE16(out, 1);
    PutLE16(out, 8);
    PutLE32(out, 0);
    PutLE32(out, imageSize);
    PutLE32(out, 2835); // 72 dots per inch
    PutLE32(out, 2835);
    PutLE32(out, GamePalette::Size);
    PutLE32(out, 0);
    // Colour table, blue-green-red-reserved.
    for (const GamePalette::Rgb& c : GamePalette::Colors()) {
        out += char(c.B);
        out += char(c.G);
        out += char(c.R);
        out += char(0);
    }
    for (int y = H - 1; y >= 0; --y) {
        const auto* row = Pixels.data() + std::size_t(y) * std::size_t(W);
        out.append(reinterpret_cast<const char*>(row), std::size_t(W));
        out.append(stride - std::uint32_t(W), char(0));
    }

    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    if (!f || !f.write(out.data(), std::streamsize(out.size())))
        throw std::runtime_error("cannot write " + file.string());
}
