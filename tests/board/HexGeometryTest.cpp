// The hex grid: origins, exact and coarse lookups, labels.
#include "MapBoard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct OriginCase {
    int index;
    TPoint origin;
};

// Test names from coordinates: a minus sign reads as "m".
std::string Coord(int v) {
    return v < 0 ? "m" + std::to_string(-v) : std::to_string(v);
}

class HexOriginTest : public ::testing::TestWithParam<OriginCase> {};

TEST_P(HexOriginTest, originOfIndex) {
    EXPECT_EQ(MapBoard::HexOrigin(GetParam().index), GetParam().origin);
}

INSTANTIATE_TEST_SUITE_P(Corners, HexOriginTest,
                         ::testing::Values(OriginCase{0, {0, 20}}, OriginCase{1, {0, 60}},
                                           OriginCase{31, {0, 1260}}, OriginCase{32, {35, 0}},
                                           OriginCase{33, {35, 40}}, OriginCase{1375, {1470, 1260}},
                                           OriginCase{1376, {1505, 0}},
                                           OriginCase{1919, {2065, 1240}}),
                         [](const auto& info) { return "hex" + std::to_string(info.param.index); });

struct PointCase {
    TPoint point;
    int hex;
};

class HexAtTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(HexAtTest, exactHexUnderPoint) {
    EXPECT_EQ(MapBoard::HexAt(GetParam().point), GetParam().hex)
        << "at (" << GetParam().point.x << ", " << GetParam().point.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, HexAtTest,
    ::testing::Values(
        // Above the first hex, inside its strip, left of its upper-right edge.
        PointCase{{10, 10}, 0},
        // Right of hex 0's body: upper half beyond the edge, lower half beyond the edge.
        PointCase{{33, 22}, 32}, PointCase{{30, 50}, 33},
        // The body rectangle is inclusive on all four sides.
        PointCase{{24, 40}, 0}, PointCase{{0, 20}, 0}, PointCase{{25, 20}, 32},
        // A shared flat edge belongs to the lower hex, whose column band starts there.
        PointCase{{24, 60}, 1},
        // Far outside the grid the clamps keep the answer inside it.
        PointCase{{-5, -5}, 0}, PointCase{{3000, 3000}, 1919},
        // Right of the last column's body: there is no column beyond.
        PointCase{{2095, 30}, 1888},
        // The half-hex notch above column 2 keeps the candidate.
        PointCase{{65, 5}, 32},
        // The notch below the last hex of an odd column keeps the candidate.
        PointCase{{45, 1290}, 63},
        // The lowest hex of an even column, in its body and in its left point.
        PointCase{{10, 1290}, 31}, PointCase{{12, 1299}, 31}, PointCase{{65, 1275}, 95},
        // On the right point of hex 0 and just left of it.
        PointCase{{35, 40}, 33}, PointCase{{34, 40}, 0}),
    [](const auto& info) {
        return "at_" + Coord(info.param.point.x) + "_" + Coord(info.param.point.y);
    });

TEST(HexGeometry, everyOriginResolvesToItsOwnHex) {
    for (int i = 0; i < MapBoard::HexCount; ++i) {
        const TPoint o = MapBoard::HexOrigin(i);
        ASSERT_EQ(MapBoard::HexAt(o), i) << "hex " << i;
        ASSERT_EQ(MapBoard::CoarseHexAt(o), i) << "hex " << i;
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

struct LabelCase {
    int index;
    const char* bare;
};

class HexLabelTest : public ::testing::TestWithParam<LabelCase> {};

TEST_P(HexLabelTest, bareAndPrefixed) {
    std::string bare = "old text", prefixed = "old text";
    MapBoard::HexLabel(GetParam().index, bare, true);
    MapBoard::HexLabel(GetParam().index, prefixed, false);
    EXPECT_EQ(bare, GetParam().bare);
    const std::string expected = bare == "Off board" ? bare : "Hex : " + bare;
    EXPECT_EQ(prefixed, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, HexLabelTest,
                         ::testing::Values(LabelCase{0, "A1"}, LabelCase{9, "A10"},
                                           LabelCase{31, "A32"}, LabelCase{32, "B1"},
                                           LabelCase{25 * 32 + 4, "Z5"}, LabelCase{832, "AA1"},
                                           LabelCase{833, "AA2"}, LabelCase{1375, "QQ32"},
                                           LabelCase{1376, "Off board"},
                                           LabelCase{1919, "Off board"}),
                         [](const auto& info) { return "hex" + std::to_string(info.param.index); });

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
    std::vector<std::string> seen;
    for (int i = 0; i < 43 * 32; ++i) {
        std::string label;
        MapBoard::HexLabel(i, label, true);
        ASSERT_TRUE(MapBoard::IsOnBoard(i));
        ASSERT_EQ(IndexOfLabel(label), i) << label;
    }
    EXPECT_FALSE(MapBoard::IsOnBoard(1376));
}

} // namespace
