#pragma once

#include "MapBoard.h"

#include <array>

/**
 * The board's hex grid, measured by MapBoard's constants, as the artwork tools draw it. A
 * hex's origin is the left end of its flat top edge; its corners lie BodyWidth pixels right of
 * it, SideWidth pixels out to either side at half height, and BodyHeight pixels below. Odd
 * columns start at the top of the picture, even columns EvenColumnShift pixels lower. The
 * first BoardColumns columns are the board, the rest the off-board holding area. Cells one
 * ring outside the grid (column or row -1, column Columns, row Rows) are the partial hexes at
 * the picture's edges; they have a place but no hex index.
 */
class HexGrid {
public:
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
    /** The middle of the hex: half the body's width right of the origin, half its height below. */
    static Point Centre(Cell c);

    static bool IsInGrid(Cell c) {
        return c.Column >= 0 && c.Column < MapBoard::Columns && c.Row >= 0 &&
               c.Row < MapBoard::Rows;
    }
    static bool IsBoard(Cell c) { return IsInGrid(c) && c.Column < MapBoard::BoardColumns; }
    /** The board's hex index of a cell of the grid. */
    static int Index(Cell c) { return c.Column * MapBoard::Rows + c.Row; }

    /** The cell whose inside holds the centre of pixel (x, y). Exactly one cell does. */
    static Cell CellAt(int x, int y);
    /**
     * Whether the centre of pixel (x, y) is inside the hex and at least halfPixels / 2
     * pixels from each of its edges (0: simply inside).
     */
    static bool HoldsPixel(Cell c, int x, int y, int halfPixels = 0);
};
