#include "Image16.h"

#include "IndexedImage.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

const std::array<std::uint32_t, 16> Image16::Palette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xc0c0c0,
    0x808080, 0xff0000, 0x00ff00, 0xffff00, 0x0000ff, 0xff00ff, 0x00ffff, 0xffffff};

Image16::Image16(int width, int height, Colour background)
    : W(width), H(height), Pixels(std::size_t(width * height), background) {}

void Image16::Set(int x, int y, Colour c) {
    if (x >= 0 && x < W && y >= 0 && y < H)
        Pixels[std::size_t(y * W + x)] = c;
}

void Image16::Rect(int x0, int y0, int x1, int y1, Colour c) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            Set(x, y, c);
}

void Image16::Frame(int x0, int y0, int x1, int y1, Colour c) {
    Line(x0, y0, x1, y0, c);
    Line(x0, y1, x1, y1, c);
    Line(x0, y0, x0, y1, c);
    Line(x1, y0, x1, y1, c);
}

void Image16::Line(int x0, int y0, int x1, int y1, Colour c) {
    IndexedImage::Walk(x0, y0, x1, y1, [&](int x, int y) { Set(x, y, c); });
}

void Image16::Circle(int cx, int cy, int radius, Colour c, bool filled) {
    for (int y = -radius; y <= radius; ++y)
        for (int x = -radius; x <= radius; ++x) {
            const int d = x * x + y * y;
            const int r2 = radius * radius;
            if (d <= r2 + radius && (filled || d >= r2 - radius))
                Set(cx + x, cy + y, c);
        }
}

void Image16::Stamp(int x, int y, std::initializer_list<const char*> rows, Colour c) {
    int dy = 0;
    for (const char* row : rows) {
        for (int dx = 0; row[dx]; ++dx)
            if (row[dx] != ' ')
                Set(x + dx, y + dy, c);
        ++dy;
    }
}

Image16::Colour Image16::Nearest(std::uint32_t rgb) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < 16; ++i) {
        const long dr = long(rgb >> 16 & 0xff) - long(Palette[std::size_t(i)] >> 16 & 0xff);
        const long dg = long(rgb >> 8 & 0xff) - long(Palette[std::size_t(i)] >> 8 & 0xff);
        const long db = long(rgb & 0xff) - long(Palette[std::size_t(i)] & 0xff);
        const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return Colour(best);
}

void Image16::WriteBmp(const std::filesystem::path& file) const {
    const int rowBytes = ((W + 1) / 2 + 3) / 4 * 4;
    const std::uint32_t dataSize = std::uint32_t(rowBytes * H);
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    std::vector<std::uint8_t> b;
    auto put16 = [&b](unsigned v) {
        b.push_back(std::uint8_t(v & 0xff));
        b.push_back(std::uint8_t(v >> 8 & 0xff));
    };
    auto put32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(std::uint8_t(v >> (8 * i) & 0xff));
    };
    b.push_back('B');
    b.push_back('M');
    put32(offset + dataSize);
    put32(0);
    put32(offset);
    put32(40);
    put32(std::uint32_t(W));
    put32(std::uint32_t(H));
    put16(1);
    put16(4);
    put32(0);
    put32(dataSize);
    put32(2835);
    put32(2835);
    put32(16);
    put32(16);
    for (std::uint32_t c : Palette)
        put32(c); // stored as blue, green, red, 0
    for (int y = H - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(std::size_t(rowBytes), 0);
        for (int x = 0; x < W; ++x)
            row[std::size_t(x / 2)] |= std::uint8_t(Get(x, y) << (x % 2 ? 0 : 4));
        b.insert(b.end(), row.begin(), row.end());
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}
