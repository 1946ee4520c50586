#pragma once

#include <array>

/**
 * The geometry of the map's hex grid: 60 columns of 32 hexes, column 0..42 the board and the
 * rest the off-board holding area. A hex's origin is the left end of its flat top edge; its
 * corners lie 24 pixels right of it, 11 pixels out to either side at half height, and 40
 * pixels below. Odd columns start at the top of the picture, even columns 20 pixels lower.
 * Cells one ring outside the grid (column or row -1, column 60, row 32) are the partial hexes
 * at the picture's edges; they have a place but no hex index.
 */
class HexGrid {
public:
    static constexpr int Columns = 60;
    static constexpr int Rows = 32;
    static constexpr int BoardColumns = 43;
    static constexpr int MapWidth = 2100;
    static constexpr int MapHeight = 1300;
    static constexpr int ColumnPitch = 35;
    static constexpr int RowPitch = 40;
    static constexpr int EvenColumnShift = 20;

    struct Point {
        int X = 0, Y = 0;
        auto operator<=>(const Point&) const = default;
    };
    struct Cell {
        int Column = 0, Row = 0;
        bool operator==(const Cell&) const = default;
    };

    static Point Origin(Cell c);
    /** The six corners, clockwise on screen from the origin. */
    static std::array<Point, 6> Corners(Cell c);
    /** The middle of the hex: 12 pixels right of the origin and 20 below. */
    static Point Centre(Cell c);

    static bool IsInGrid(Cell c) {
        return c.Column >= 0 && c.Column < Columns && c.Row >= 0 && c.Row < Rows;
    }
    static bool IsBoard(Cell c) { return IsInGrid(c) && c.Column < BoardColumns; }
    static int Index(Cell c) { return c.Column * Rows + c.Row; }

    /** The cell whose inside holds the centre of pixel (x, y). Exactly one cell does. */
    static Cell CellAt(int x, int y);
    /**
     * Whether the centre of pixel (x, y) is inside the hex and at least halfPixels / 2
     * pixels from each of its edges (0: simply inside).
     */
    static bool HoldsPixel(Cell c, int x, int y, int halfPixels = 0);
};
