#pragma once

#include "TPoint.h"

#include <algorithm>
#include <string>

/**
 * The hex grid as the game lays it out, worked out by the tests apart from the program and
 * checked on hand-worked points beside it (the soak test plays on it): 60 columns of 32 hexes, a
 * hex's index 32 x column + row. The hexes of column c stand at x = 35c, row r at y = 40r, the even
 * columns (A, C, ...) 20 pixels lower than the odd ones. A hex's body is the 24 x 40 rectangle from
 * its origin, edges included; to its right, up to the next column, its point reaches out to (35,
 * 20) from the body's two right corners.
 */
class HexGrid {
public:
    static constexpr int Columns = 60, Rows = 32, HexCount = Columns * Rows;
    static constexpr int BodyWidth = 24, BodyHeight = 40;

    static TPoint Origin(int hex) {
        const int column = hex / Rows;
        return {35 * column, 40 * (hex % Rows) + (column % 2 == 0 ? 20 : 0)};
    }

    /**
     * The hex a map point belongs to. The point is first placed by its column strip (x / 35)
     * and row band ((y - the column's 20 for even columns) / 40), a point beyond the grid in
     * the nearest column and row. In that hex's body it belongs to the hex. Beside the body,
     * in the upper half of the band, it belongs to the hex unless it lies right of the edge
     * from (24, 0) to (35, 20): then it is in the hex of the next column that reaches up
     * there (the same row beside an even column, the row above beside an odd one); in the
     * lower half likewise with the edge from (35, 20) to (24, 40) and the hex reaching down
     * there. Where the next column has no such hex the point stays.
     */
    static int At(const TPoint& p) {
        const int column = std::clamp(p.x / 35, 0, Columns - 1);
        const bool even = column % 2 == 0;
        const int row = std::clamp((p.y - (even ? 20 : 0)) / 40, 0, Rows - 1);
        const int hex = column * Rows + row;
        const TPoint o = Origin(hex);
        if (o.x <= p.x && p.x <= o.x + BodyWidth && o.y <= p.y && p.y <= o.y + BodyHeight)
            return hex;
        const float slope = float(20.0 / 11.0);
        const bool upper = p.y < o.y + 20;
        if (upper ? LeftOfEdge(o + TPoint(BodyWidth, 0), slope, p)
                  : LeftOfEdge(o + TPoint(35, 20), -slope, p))
            return hex;
        const int nextRow = row + (upper ? (even ? 0 : -1) : (even ? 1 : 0));
        if (column + 1 == Columns || nextRow < 0 || nextRow == Rows)
            return hex;
        return (column + 1) * Rows + nextRow;
    }

    /** Columns A to Z, then AA, BB, ... up to QQ (column 42) make the board. */
    static bool OnBoard(int hex) { return hex >= 0 && hex / Rows < 43; }

    /** "D5", "AA12", or "Off board". */
    static std::string Label(int hex) {
        if (!OnBoard(hex))
            return "Off board";
        const int column = hex / Rows;
        const std::string letter(1, char('A' + column % 26));
        return (column < 26 ? letter : letter + letter) + std::to_string(hex % Rows + 1);
    }

    /** The label and index, for messages: "D5(100)". */
    static std::string Named(int hex) { return Label(hex) + "(" + std::to_string(hex) + ")"; }

private:
    /**
     * Whether q lies left of the edge through a with slope m. The grid's rule works the edge
     * out in single precision: its x on q's row is int((q.y - k) / m), k the edge's float
     * intercept. So a point on a hex's tip, where that x comes out a hair under the whole
     * pixel for some hexes, falls to the neighbour there.
     */
    static bool LeftOfEdge(const TPoint& a, float m, const TPoint& q) {
        const float k = float(a.y) - float(a.x) * m;
        return int((float(q.y) - k) / m) > q.x;
    }
};
