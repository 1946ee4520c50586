// The hex grid: origins, exact and coarse lookups, labels. The tests' own grid (HexGrid), on
// which the soak test works out where things are, must give the same answers on the same points.
#include "HexGrid.h"
#include "MapBoard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HexGeometry, originsOfCornerHexes) {
    const struct {
        int index;
        TPoint origin;
    } cases[] = {{0, {0, 20}},   {1, {0, 60}},         {31, {0, 1260}},   {32, {35, 0}},
                 {33, {35, 40}}, {1375, {1470, 1260}}, {1376, {1505, 0}}, {1919, {2065, 1240}}};
    for (const auto& c : cases) {
        EXPECT_EQ(MapBoard::HexOrigin(c.index), c.origin) << "hex " << c.index;
        EXPECT_EQ(HexGrid::Origin(c.index), c.origin) << "hex " << c.index;
    }
}

TEST(HexGeometry, exactHexUnderEdgePoints) {
    const struct {
        const char* what;
        TPoint point;
        int hex;
    } cases[] = {
        {"above the first hex, inside its strip, left of its upper-right edge", {10, 10}, 0},
        {"right of hex 0's body, upper half beyond the edge", {33, 22}, 32},
        {"right of hex 0's body, lower half beyond the edge", {30, 50}, 33},
        {"the body rectangle is inclusive on all four sides", {24, 40}, 0},
        {"the body's top left corner", {0, 20}, 0},
        {"the body's top right corner", {25, 20}, 32},
        {"a shared flat edge belongs to the lower hex", {24, 60}, 1},
        {"far outside the grid the clamps keep the answer inside it", {-5, -5}, 0},
        {"far outside, beyond the last hex", {3000, 3000}, 1919},
        {"right of the last column's body: there is no column beyond", {2095, 30}, 1888},
        {"the half-hex notch above column 2 keeps the candidate", {65, 5}, 32},
        {"the notch below the last hex of an odd column keeps the candidate", {45, 1290}, 63},
        {"the lowest hex of an even column, in its body", {10, 1290}, 31},
        {"the lowest hex of an even column, in its left point", {12, 1299}, 31},
        {"the lowest hex of column 2", {65, 1275}, 95},
        {"on the right point of hex 0", {35, 40}, 33},
        {"just left of the right point of hex 0", {34, 40}, 0},
        {"left of A1's upper edge, whose x is 26.75 there", {25, 25}, 0},
        {"on that edge's truncated column: B1 reaching down", {26, 25}, 32},
        {"right of A1's lower edge (26.75): B2 reaching up", {30, 55}, 33},
        {"above A1, right of its upper edge (15.75)", {20, 5}, 32},
        {"beside B1's body, left of its edge (64.5)", {60, 10}, 32},
        {"right of the last column, mid-map", {2099, 700}, 1905},
        {"left of the map: column A", {-5, 40}, 0},
    };
    for (const auto& c : cases) {
        const std::string at = std::to_string(c.point.x) + "," + std::to_string(c.point.y);
        EXPECT_EQ(MapBoard::HexAt(c.point), c.hex) << c.what << ": at " << at;
        EXPECT_EQ(HexGrid::At(c.point), c.hex) << "the tests' grid, " << c.what << ": at " << at;
    }
}

TEST(HexGeometry, everyOriginResolvesToItsOwnHex) {
    for (int i = 0; i < MapBoard::HexCount; ++i) {
        const TPoint o = MapBoard::HexOrigin(i);
        ASSERT_EQ(MapBoard::HexAt(o), i) << "hex " << i;
        ASSERT_EQ(MapBoard::CoarseHexAt(o), i) << "hex " << i;
        ASSERT_EQ(HexGrid::At(o), i) << "hex " << i;
    }
}

// Tests whether p lies strictly inside the hexagon with origin o (not on its outline).
bool StrictlyInsideHex(const TPoint& o, const TPoint& p) {
    const int dx = p.x - o.x, dy = p.y - o.y;
    if (dy <= 0 || dy >= 40)
        return false;
    // Half-width at height dy, measured from the body: the pointed sides reach 11 pixels out
    // at dy = 20 and nothing at the top and bottom edges.
    const double side = 11.0 * (20 - std::abs(dy - 20)) / 20.0;
    return dx > -side && dx < 24 + side;
}

TEST(HexGeometry, pointsInsideAHexNameThatHex) {
    // Stay one pixel clear of the outline: the lookup truncates slopes, so points on the
    // outline itself may go either way.
    int checked = 0;
    for (int i = 0; i < MapBoard::HexCount; ++i) {
        const TPoint o = MapBoard::HexOrigin(i);
        for (int dy = 1; dy < 40; ++dy)
            for (int dx = -11; dx <= 35; ++dx) {
                const TPoint p(o.x + dx, o.y + dy);
                const bool clear = StrictlyInsideHex(o, p) &&
                                   StrictlyInsideHex(o, {p.x - 1, p.y}) &&
                                   StrictlyInsideHex(o, {p.x + 1, p.y});
                if (!clear)
                    continue;
                ASSERT_EQ(MapBoard::HexAt(p), i) << "(" << p.x << ", " << p.y << ")";
                ASSERT_EQ(HexGrid::At(p), i) << "the tests' grid at " << p.x << "," << p.y;
                ++checked;
            }
    }
    EXPECT_GT(checked, 1000000);
}

TEST(HexGeometry, coarseLookupClampsToTheGrid) {
    for (const TPoint p : {TPoint(-1000, -1000), TPoint(5000, 5000), TPoint(2089, 1260),
                           TPoint(2090, 19), TPoint(0, 1261)}) {
        const int hex = MapBoard::CoarseHexAt(p);
        EXPECT_GE(hex, 0);
        EXPECT_LT(hex, MapBoard::HexCount);
    }
    // The lowest row of an even column covers its whole band, y from 1260 to 1300.
    EXPECT_EQ(MapBoard::CoarseHexAt({0, 1259}), 30);
    EXPECT_EQ(MapBoard::CoarseHexAt({0, 1260}), 31);
    EXPECT_EQ(MapBoard::CoarseHexAt({0, 1290}), 31);
    EXPECT_EQ(MapBoard::CoarseHexAt({0, 1400}), 31);
    EXPECT_EQ(MapBoard::CoarseHexAt({35, 1285}), 63);
}

TEST(HexGeometry, neighbourSteps) {
    EXPECT_EQ(MapBoard::UpperRightNeighbour(0), 32);  // even column: same row
    EXPECT_EQ(MapBoard::LowerRightNeighbour(0), 33);  // even column: next row
    EXPECT_EQ(MapBoard::UpperRightNeighbour(33), 64); // odd column: row above
    EXPECT_EQ(MapBoard::LowerRightNeighbour(33), 65); // odd column: same row
    EXPECT_EQ(MapBoard::UpperRightNeighbour(1888), 1888);
    EXPECT_EQ(MapBoard::LowerRightNeighbour(1919), 1919);
}

TEST(HexGeometry, labelsBareAndPrefixed) {
    const struct {
        int index;
        const char* bare;
    } cases[] = {{0, "A1"},           {9, "A10"},          {31, "A32"},
                 {32, "B1"},          {25 * 32 + 4, "Z5"}, {26 * 32 + 11, "AA12"},
                 {832, "AA1"},        {833, "AA2"},        {1375, "QQ32"},
                 {1376, "Off board"}, {1919, "Off board"}};
    for (const auto& c : cases) {
        std::string bare = "old text", prefixed = "old text";
        MapBoard::HexLabel(c.index, bare, true);
        MapBoard::HexLabel(c.index, prefixed, false);
        EXPECT_EQ(bare, c.bare) << "hex " << c.index;
        EXPECT_EQ(prefixed, bare == "Off board" ? bare : "Hex : " + bare) << "hex " << c.index;
        EXPECT_EQ(HexGrid::Label(c.index), c.bare) << "the tests' grid, hex " << c.index;
    }
}

// Reads a bare label back into its index: letters give the column, digits the row.
int IndexOfLabel(const std::string& label) {
    std::size_t letters = 0;
    while (letters < label.size() && std::isalpha(static_cast<unsigned char>(label[letters])))
        ++letters;
    const int letter = label[0] - 'A';
    const int column = letters == 1 ? letter : 26 + letter;
    return column * 32 + std::stoi(label.substr(letters)) - 1;
}

TEST(HexGeometry, everyBoardLabelRoundTrips) {
    for (int i = 0; i < 43 * 32; ++i) {
        std::string label;
        MapBoard::HexLabel(i, label, true);
        ASSERT_TRUE(MapBoard::IsOnBoard(i));
        ASSERT_EQ(IndexOfLabel(label), i) << label;
    }
    EXPECT_FALSE(MapBoard::IsOnBoard(1376));
}

} // namespace
