// A hex's stack: order after place, take and rotate; the saved background; what is drawn
// where in the map surface and in the window.
#include "Hex.h"
#include "MapBoard.h"
#include "PixelCompare.h"
#include "TDib.h"
#include "TMemoryDC.h"
#include "TestPictures.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class HexStackTest : public ::testing::Test {
protected:
    void SetUp() override { Hex::SetBackgroundSize(24, 40); }

    void Place(Counter& c, TPoint spread = {0, 0}) {
        H.Place(&c, &Pictures.Module(), Surface, Window, spread, Scroll);
    }
    Counter* Take(TPoint spread = {0, 0}) {
        return H.TakeTop(&Pictures.Module(), Surface, Window, spread, Scroll);
    }
    std::vector<Counter*> Order() const { return H.Counters(); }
    void PlaceAll() {
        for (Counter* c : {&P, &Q, &R})
            Place(*c);
    }

    TestPictures Pictures;
    TBitmap MapBits{TDib(Pictures.MapFile().c_str())};
    TMemoryDC Surface{MapBits};
    TBitmap Screen{300, 200};
    TMemoryDC Window{Screen};
    TPoint Scroll{20, 10};
    Hex H{MapBoard::HexOrigin(33)}; // origin (35, 40)
    Counter P{{0, 0}, {0, 0}, 0, 2001}, Q{{0, 0}, {0, 0}, 0, 2002}, R{{0, 0}, {0, 0}, 0, 2003};
};

TEST_F(HexStackTest, placedCountersStackBottomUpAndMoveToTheOrigin) {
    Place(P);
    Place(Q);
    Place(R, {0, 7});
    EXPECT_EQ(Order(), (std::vector<Counter*>{&P, &Q, &R}));
    EXPECT_EQ(R.Position, TPoint(35, 40));
    // R is drawn last, two spreads down, in the surface and on the screen.
    EXPECT_EQ(Surface.GetPixel(35, 54), TestPictures::PicturePixel(2003, 0, 0));
    EXPECT_EQ(Screen.GetPixel(35 - 20, 54 - 10), TestPictures::PicturePixel(2003, 0, 0));
    EXPECT_EQ(H.Count(), 3);
}

TEST_F(HexStackTest, takeTopReturnsTopFirstAndDropsTheBackgroundWhenEmpty) {
    PlaceAll();
    EXPECT_EQ(Take(), &R);
    EXPECT_EQ(Order(), (std::vector<Counter*>{&P, &Q}));
    EXPECT_EQ(Take(), &Q);
    EXPECT_TRUE(H.HasBackground());
    EXPECT_EQ(Take(), &P);
    EXPECT_FALSE(H.HasBackground());
    const TBitmap before = Screen;
    EXPECT_EQ(Take(), nullptr);
    EXPECT_EQ(Screen.GetPixel(15, 30), before.GetPixel(15, 30));
}

TEST_F(HexStackTest, rotateMovesBottomToTopAndCycleTopMarkChangesOnlyTheTop) {
    PlaceAll();
    H.Rotate(&Pictures.Module(), Surface, Window, {0, 7}, Scroll);
    EXPECT_EQ(Order(), (std::vector<Counter*>{&Q, &R, &P}));
    H.Rotate(&Pictures.Module(), Surface, Window, {0, 7}, Scroll);
    H.Rotate(&Pictures.Module(), Surface, Window, {0, 7}, Scroll);
    EXPECT_EQ(Order(), (std::vector<Counter*>{&P, &Q, &R})) << "three rotations restore";
    H.CycleTopMark(&Pictures.Module(), Surface, Window, {0, 7}, Scroll);
    EXPECT_EQ(R.Mark, 1);
    EXPECT_EQ(P.Mark + Q.Mark, 0);
    EXPECT_EQ(Surface.GetPixel(35, 54), TestPictures::PicturePixel(2281, 0, 0));
}

TEST_F(HexStackTest, backgroundIsSavedOnceFromTheBareMap) {
    Place(P);
    Place(Q, {0, 15});
    // Both counters gone: the body shows the bare map again, not the first counter.
    Take({0, 0});
    Take({0, 0});
    EXPECT_TRUE(
        PixelCompare::Same({35, 40, 59, 80}, PixelCompare::Of(Surface), TestPictures::MapPixel));
}

TEST_F(HexStackTest, clearKeepsCountersAndDestroyingDeletesNone) {
    Place(P);
    Place(Q);
    H.Clear();
    EXPECT_EQ(H.Count(), 0);
    EXPECT_FALSE(H.HasBackground());
    EXPECT_EQ(P.Position, TPoint(35, 40));
    {
        Hex scratch({0, 20});
        scratch.Add(&P);
        scratch.Add(&Q);
        EXPECT_EQ(P.Position, TPoint(35, 40)); // Add does not move a counter
    } // the hex goes; P and Q must survive (the sanitizer build would catch a delete)
    EXPECT_EQ(Q.Picture, 2002);
}

TEST_F(HexStackTest, topQuestionsOnAnEmptyHexAreSafe) {
    EXPECT_FALSE(H.TopCanMove());
    EXPECT_FALSE(H.TopHasMoved());
    EXPECT_EQ(H.TopStart(), TPoint(-1, -1));
    EXPECT_EQ(int(H.TopPicture()), 0);
    H.Rotate(&Pictures.Module(), Surface, Window, {0, 0}, Scroll);
    H.CycleTopMark(&Pictures.Module(), Surface, Window, {0, 0}, Scroll);
    EXPECT_EQ(H.Count(), 0);
}

} // namespace
