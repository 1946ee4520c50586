#include "CursorPainter.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

using Grid = CursorPainter::Grid;
constexpr int N = CursorPainter::Size;

// Shapes are filled white first; Outline then draws black around every white pixel.
class Canvas {
public:
    Canvas() { Cells.fill(std::string(N, '.')); }

    void Set(int x, int y) {
        if (x >= 0 && x < N && y >= 0 && y < N)
            Cells[std::size_t(y)][std::size_t(x)] = 'o';
    }
    void Rect(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                Set(x, y);
    }
    // The classic pointer with its tip one pixel inside (tipX, tipY), which the outline takes.
    void Pointer(int tipX, int tipY) {
        for (int r = 0; r < 11; ++r)
            for (int c = 0; c <= r * 2 / 3; ++c)
                Set(tipX + 1 + c, tipY + 1 + r);
        for (int r = 9; r < 16; ++r)
            Rect(tipX + 2 + (r - 9) / 2, tipY + 1 + r, tipX + 3 + (r - 9) / 2, tipY + 1 + r);
    }
    void Ring(int cx, int cy, int radius) {
        for (int y = -radius; y <= radius; ++y)
            for (int x = -radius; x <= radius; ++x) {
                const int d = x * x + y * y;
                if (d <= radius * radius && d > (radius - 1) * (radius - 1))
                    Set(cx + x, cy + y);
            }
    }
    Grid Outline() const {
        Grid out = Cells;
        for (int y = 0; y < N; ++y)
            for (int x = 0; x < N; ++x) {
                if (Cells[std::size_t(y)][std::size_t(x)] == 'o')
                    continue;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && nx < N && ny >= 0 && ny < N &&
                            Cells[std::size_t(ny)][std::size_t(nx)] == 'o')
                            out[std::size_t(y)][std::size_t(x)] = 'X';
                    }
            }
        return out;
    }

private:
    Grid Cells;
};

void Put16(std::vector<std::uint8_t>& b, unsigned v) {
    b.push_back(std::uint8_t(v & 0xff));
    b.push_back(std::uint8_t(v >> 8 & 0xff));
}

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(std::uint8_t(v >> (8 * i) & 0xff));
}

} // namespace

Grid CursorPainter::Combat() {
    Canvas c;
    c.Pointer(0, 0);
    c.Ring(20, 20, 7);
    c.Rect(20, 10, 20, 16);
    c.Rect(20, 24, 20, 30);
    c.Rect(10, 20, 16, 20);
    c.Rect(24, 20, 30, 20);
    return c.Outline();
}

Grid CursorPainter::MoveAll() {
    Canvas c;
    c.Pointer(0, 0);
    for (int i = 0; i < 3; ++i)
        c.Rect(14 + 3 * i, 14 + 4 * i, 23 + 3 * i, 21 + 4 * i);
    Grid g = c.Outline();
    // The counters of the stack are told apart by a black line under each but the lowest.
    for (int i = 0; i < 2; ++i)
        for (int x = 14 + 3 * i; x <= 23 + 3 * i; ++x)
            g[std::size_t(21 + 4 * i)][std::size_t(x)] = 'X';
    return g;
}

Grid CursorPainter::Return() {
    Canvas c;
    // The head points left with its tip at (4, 11); the shaft runs right, down and back.
    for (int dx = 1; dx <= 8; ++dx)
        c.Rect(4 + dx, 11 - dx, 4 + dx, 11 + dx);
    c.Rect(13, 9, 24, 13);
    c.Rect(22, 9, 26, 26);
    c.Rect(12, 22, 26, 26);
    return c.Outline();
}

void CursorPainter::WriteCur(const Grid& grid, int hotX, int hotY,
                             const std::filesystem::path& file) {
    // Two 1-bit masks, bottom row first, 4 bytes a row: XOR (the colour) then AND (clear
    // where the screen shows through).
    std::vector<std::uint8_t> xorMask, andMask;
    for (int y = N - 1; y >= 0; --y)
        for (int byte = 0; byte < N / 8; ++byte) {
            std::uint8_t xr = 0, an = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const char p = grid[std::size_t(y)][std::size_t(byte * 8 + bit)];
                if (p == 'o')
                    xr |= std::uint8_t(0x80 >> bit);
                if (p == '.')
                    an |= std::uint8_t(0x80 >> bit);
            }
            xorMask.push_back(xr);
            andMask.push_back(an);
        }
    std::vector<std::uint8_t> b;
    const std::uint32_t imageSize = 40 + 8 + std::uint32_t(xorMask.size() + andMask.size());
    Put16(b, 0); // reserved
    Put16(b, 2); // a cursor file
    Put16(b, 1); // one image
    b.push_back(N);
    b.push_back(N);
    b.push_back(2); // colours
    b.push_back(0);
    Put16(b, unsigned(hotX));
    Put16(b, unsigned(hotY));
    Put32(b, imageSize);
    Put32(b, 22); // the image follows the 6-byte header and the 16-byte entry
    Put32(b, 40);
    Put32(b, N);
    Put32(b, 2 * N); // both masks
    Put16(b, 1);
    Put16(b, 1);
    Put32(b, 0);
    Put32(b, std::uint32_t(xorMask.size() + andMask.size()));
    Put32(b, 0);
    Put32(b, 0);
    Put32(b, 2);
    Put32(b, 0);
    Put32(b, 0x00000000); // black
    Put32(b, 0x00ffffff); // white
    b.insert(b.end(), xorMask.begin(), xorMask.end());
    b.insert(b.end(), andMask.begin(), andMask.end());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}
