// Unit counters: marks, records, equality, drawing.
#include "Counter.h"
#include "CounterRecord.h"
#include "MapBoard.h"
#include "TMemoryDC.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

namespace {

TEST(Counter, advanceMarkCyclesThroughTheFourMarks) {
    Counter c;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        c.AdvanceMark();
        seen.push_back(c.Mark);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 0}));
}

TEST(Counter, recordInvertsHexOrigins) {
    Counter c(MapBoard::HexOrigin(1375), MapBoard::HexOrigin(1300), Counter::Rail, 2001);
    const CounterRecord r(MapBoard::CoarseHexAt(c.Position), MapBoard::CoarseHexAt(c.Start),
                          c.Mark);
    EXPECT_EQ(r, CounterRecord(1375, 1300, 2));
}

TEST(Counter, equalityIgnoresTheLabelAndMovedIgnoresTheMark) {
    Counter a({35, 0}, {35, 0}, 1, 2005), b = a;
    b.Label = "(4-3) : 19 Inf";
    EXPECT_TRUE(a == b);
    b.Mark = 2;
    EXPECT_FALSE(a == b);
    EXPECT_FALSE(a.HasMoved());
    a.MoveTo({70, 20});
    EXPECT_TRUE(a.HasMoved());
    a.ResetToStart();
    EXPECT_EQ(a.Position, TPoint(35, 0));
}

TEST(Counter, drawPutsPictureAndMarkAtTheDrawingPoint) {
    TestPictures pictures;
    TBitmap target(100, 100);
    TMemoryDC dc(target);
    Counter c({10, 20}, {10, 20}, Counter::Replacement, 2042);
    c.Draw(&pictures.Module(), dc, {3, 4}, true); // at Position + (3, 4)
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const TColor expected = x < 12 && y < 12 ? TestPictures::PicturePixel(2283, x, y)
                                                     : TestPictures::PicturePixel(2042, x, y);
            ASSERT_EQ(target.GetPixel(13 + x, 24 + y), expected) << x << "," << y;
        }
    EXPECT_EQ(target.GetPixel(12, 24), TColor::Black);
    EXPECT_EQ(target.GetPixel(37, 24), TColor::Black);

    // Unmarked and not relative: the picture alone, at the point given.
    TBitmap plain(30, 30);
    TMemoryDC plainDc(plain);
    c.Mark = Counter::NoMark;
    c.Draw(&pictures.Module(), plainDc, {2, 2}, false);
    EXPECT_EQ(plain.GetPixel(2, 2), TestPictures::PicturePixel(2042, 0, 0));
    EXPECT_EQ(plain.GetPixel(25, 25), TestPictures::PicturePixel(2042, 23, 23));
}

} // namespace
