#include "HexGrid.h"

#include <cstdint>

namespace {

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

bool IsEven(int column) {
    return column % 2 == 0;
}

constexpr int ColumnPitch = MapBoard::ColumnPitch;
constexpr int RowPitch = MapBoard::RowPitch;
constexpr int EvenColumnShift = MapBoard::EvenColumnShift;
constexpr int BodyWidth = MapBoard::BodyWidth;
constexpr int BodyHeight = MapBoard::BodyHeight;
constexpr int SideWidth = MapBoard::SideWidth;

} // namespace

HexGrid::Point HexGrid::Origin(Cell c) {
    return {ColumnPitch * c.Column, RowPitch * c.Row + (IsEven(c.Column) ? EvenColumnShift : 0)};
}

std::array<HexGrid::Point, 6> HexGrid::Corners(Cell c) {
    const Point o = Origin(c);
    return {{{o.X, o.Y},
             {o.X + BodyWidth, o.Y},
             {o.X + BodyWidth + SideWidth, o.Y + BodyHeight / 2},
             {o.X + BodyWidth, o.Y + BodyHeight},
             {o.X, o.Y + BodyHeight},
             {o.X - SideWidth, o.Y + BodyHeight / 2}}};
}

HexGrid::Point HexGrid::Centre(Cell c) {
    const Point o = Origin(c);
    return {o.X + BodyWidth / 2, o.Y + BodyHeight / 2};
}

bool HexGrid::HoldsPixel(Cell c, int x, int y, int halfPixels) {
    // Work in doubled coordinates so the pixel centre (x + 1/2, y + 1/2) is a lattice point.
    // The pixel centre never falls on an edge: horizontal edges lie on whole rows, and a
    // diagonal edge 20 * dx - 11 * dy = k would need an even k to be odd.
    const auto corners = Corners(c);
    const std::int64_t px = 2 * x + 1, py = 2 * y + 1;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point& a = corners[i];
        const Point& b = corners[(i + 1) % corners.size()];
        const std::int64_t ex = 2 * (b.X - a.X), ey = 2 * (b.Y - a.Y);
        const std::int64_t cross = ex * (py - 2 * a.Y) - ey * (px - 2 * a.X);
        if (cross <= 0)
            return false;
        // cross / |e| is the doubled distance to the edge; compare squares to stay exact.
        const std::int64_t k = halfPixels;
        if (k > 0 && cross * cross < k * k * (ex * ex + ey * ey))
            return false;
    }
    return true;
}

HexGrid::Cell HexGrid::CellAt(int x, int y) {
    // A column spans BodyWidth + 2 * SideWidth pixels, less than two pitches, so a pixel lies
    // in one of two columns.
    static_assert(BodyWidth + 2 * SideWidth <= 2 * ColumnPitch);
    const int right = FloorDiv(x + SideWidth, ColumnPitch);
    for (int column = right; column >= right - 1; --column) {
        const int shift = IsEven(column) ? EvenColumnShift : 0;
        const Cell c{column, FloorDiv(y - shift, RowPitch)};
        if (HoldsPixel(c, x, y))
            return c;
    }
    return {right, FloorDiv(y - (IsEven(right) ? EvenColumnShift : 0), RowPitch)};
}
