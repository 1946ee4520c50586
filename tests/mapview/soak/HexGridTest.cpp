// The soak test's own hex grid, on points worked out by hand from the grid's rules.
#include "HexGrid.h"

#include <gtest/gtest.h>

namespace {

TEST(SoakHexGrid, originsStepAcrossAndDownWithTheEvenColumnsLower) {
    EXPECT_EQ(HexGrid::Origin(0), TPoint(0, 20));      // A1
    EXPECT_EQ(HexGrid::Origin(32), TPoint(35, 0));     // B1
    EXPECT_EQ(HexGrid::Origin(100), TPoint(105, 160)); // D5
    EXPECT_EQ(HexGrid::Origin(1919), TPoint(2065, 1240));
}

TEST(SoakHexGrid, aPointBelongsToTheBodyOrPointItLiesIn) {
    struct Case {
        TPoint At;
        int Hex;
        const char* Why;
    };
    const Case cases[] = {
        {{12, 40}, 0, "inside A1's body"},
        {{0, 20}, 0, "A1's top-left corner"},
        {{24, 60}, 1, "the edge between A1 and A2: the lower body's top edge"},
        {{25, 25}, 0, "left of A1's upper edge, whose x is 26.75 there"},
        {{26, 25}, 32, "on the truncated edge column: B1 reaching down"},
        {{33, 25}, 32, "right of the edge: B1"},
        {{30, 55}, 33, "right of A1's lower edge (26.75): B2 reaching up"},
        {{12, 5}, 0, "above A1, left of its upper edge (15.75)"},
        {{20, 5}, 32, "above A1, right of that edge"},
        {{60, 10}, 32, "beside B1's body, left of its edge (64.5)"},
        {{68, 5}, 32, "right of B1's edge: no row above it in column C"},
        {{2099, 700}, 1905, "right of the last column"},
        {{12, 1299}, 31, "the bottom of A32"},
        {{-5, 40}, 0, "left of the map: column A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexGrid::At(c.At), c.Hex) << c.At.x << "," << c.At.y << ": " << c.Why;
}

TEST(SoakHexGrid, labelsNameColumnLettersThenDoubledLettersAndTheRow) {
    EXPECT_EQ(HexGrid::Label(0), "A1");
    EXPECT_EQ(HexGrid::Label(100), "D5");
    EXPECT_EQ(HexGrid::Label(25 * 32 + 9), "Z10");
    EXPECT_EQ(HexGrid::Label(26 * 32 + 11), "AA12");
    EXPECT_EQ(HexGrid::Label(42 * 32 + 31), "QQ32");
    EXPECT_EQ(HexGrid::Label(43 * 32), "Off board");
}

} // namespace
