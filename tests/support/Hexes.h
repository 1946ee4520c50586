#pragma once

/**
 * Hexes by their labels, for tests: a hex's index is 32 x column + row, the column A = 0 and
 * the rows numbered from 1 (D5 is column 3, row 4: index 100). Hexes of columns 43 and beyond
 * lie off the map; OffBoard is the one the unit files use for units not on the map.
 */
namespace Hexes {

constexpr int Of(char column, int row) {
    return (column - 'A') * 32 + row - 1;
}

constexpr int OffBoard = 1900;
constexpr int A1 = Of('A', 1), B2 = Of('B', 2), C2 = Of('C', 2), D5 = Of('D', 5), D6 = Of('D', 6),
              F5 = Of('F', 5), H8 = Of('H', 8), J3 = Of('J', 3), J9 = Of('J', 9), L3 = Of('L', 3),
              N3 = Of('N', 3);

} // namespace Hexes
