// The game board: spreads, moves, Move All, return to start, rotation, marks, clearing, and
// what each of them leaves in the map surface and in the window.
#include "BoardFixture.h"
#include "PixelCompare.h"

#include <gtest/gtest.h>

namespace {

class GameBoardTest : public BoardFixture {};

// Stacks of every size from 0 to 17: the spread for each, and where every counter is drawn.
TEST_F(GameBoardTest, spreadAndDrawingPositionsForEveryStackSize) {
    const std::array<int, 18> expected = {0, 0, 15, 7, 3, 3, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    for (int n = 0; n <= 17; ++n) {
        SetUp();
        std::vector<Placement> placements;
        for (int u = 0; u < n; ++u)
            placements.push_back({u, 33, 33, 0});
        LoadWithoutDrawing(placements);
        EXPECT_EQ(Board->StackSpread(33, 0), TPoint(0, expected[std::size_t(n)])) << n;
        EXPECT_EQ(Board->StackSpread(33, +1),
                  TPoint(0, expected[std::size_t(std::min(n + 1, 17))]));
        Board->DrawLoadedTurn();
        // The top counter is drawn last, at origin + (n - 1) spreads, and stays in the body.
        if (n > 0) {
            const int dy = expected[std::size_t(n)] * (n - 1);
            EXPECT_EQ(Board->MapSurface().GetPixel(35, 40 + dy),
                      TestPictures::PicturePixel(2001 + n - 1, 0, 0))
                << n;
            EXPECT_LE(dy + 24, 40);
        }
    }
}

TEST_F(GameBoardTest, moveDrawsBothHexesInBothTargets) {
    Load({{0, 33, 33, 0}, {1, 33, 33, 0}, {2, 64, 64, 0}});
    const TPoint scroll(10, 5);
    // Drop on hex 64 (origin (70, 20)): the drop point is a client point.
    ASSERT_TRUE(Board->MoveTopCounter({40, 45}, TPoint(75, 30) - scroll, scroll, Window));
    EXPECT_EQ(UnitsIn(33), std::vector<int>{0});
    EXPECT_EQ(UnitsIn(64), (std::vector<int>{2, 1}));
    // Source: unit 0 alone at the origin, its old second place back to bare map.
    EXPECT_EQ(Board->MapSurface().GetPixel(35, 40), TestPictures::PicturePixel(2001, 0, 0));
    EXPECT_EQ(Board->MapSurface().GetPixel(35, 40 + 24), TestPictures::MapPixel(35, 64));
    EXPECT_EQ(Screen.GetPixel(35 - 10, 40 - 5), TestPictures::PicturePixel(2001, 0, 0));
    EXPECT_EQ(Screen.GetPixel(35 - 10, 64 - 5), TestPictures::MapPixel(35, 64));
    // Destination: two counters 15 apart, unit 1 on top, in both targets.
    EXPECT_EQ(Board->MapSurface().GetPixel(70, 20), TestPictures::PicturePixel(2003, 0, 0));
    EXPECT_EQ(Board->MapSurface().GetPixel(70, 35), TestPictures::PicturePixel(2002, 0, 0));
    EXPECT_EQ(Screen.GetPixel(60, 30), TestPictures::PicturePixel(2002, 0, 0));
    EXPECT_EQ(Board->GetCounter(1)->Position, MapBoard::HexOrigin(64));
    EXPECT_EQ(Board->GetCounter(1)->Start, MapBoard::HexOrigin(33));
}

TEST_F(GameBoardTest, wipingRestoresExactlyTheBodyAndTouchesNothingElse) {
    Load({{0, 33, 33, 0}});
    TBitmap surfaceBefore = *Board->MapSurface().GetBitmap();
    const TBitmap screenBefore = Screen;
    // Mark the surroundings of the body so a stray write shows.
    Board->CycleMark({40, 45}, {0, 0}, Window);
    const auto inBody = [](int x, int y) { return x >= 35 && x < 59 && y >= 40 && y < 80; };
    EXPECT_TRUE(PixelCompare::Same({0, 0, TestPictures::MapWidth, TestPictures::MapHeight},
                                   PixelCompare::Of(Board->MapSurface()),
                                   PixelCompare::Of(surfaceBefore), 1, inBody));
    EXPECT_TRUE(PixelCompare::Same({0, 0, 400, 300}, PixelCompare::Of(Screen),
                                   PixelCompare::Of(screenBefore), 1, inBody));
}

// Moving the last counter leaves the bare map; a move from the now empty hex is refused.
TEST_F(GameBoardTest, movingTheLastCounterLeavesTheBareMapAndAnEmptyHex) {
    Load({{5, 33, 33, 0}});
    ASSERT_TRUE(Board->MoveTopCounter({40, 45}, {75, 30}, {0, 0}, Window));
    EXPECT_FALSE(Board->HasCounters({40, 45}));
    EXPECT_FALSE(Board->MoveTopCounter({40, 45}, {75, 30}, {0, 0}, Window));
    EXPECT_EQ(UnitsIn(64), std::vector<int>{5});
    const TRect body(35, 40, 59, 80);
    EXPECT_TRUE(
        PixelCompare::Same(body, PixelCompare::Of(Board->MapSurface()), TestPictures::MapPixel));
    EXPECT_TRUE(PixelCompare::Same(body, PixelCompare::Of(Screen), TestPictures::MapPixel));
}

TEST_F(GameBoardTest, moveAllArrivesUpsideDown) {
    Load({{10, 33, 33, 0}, {11, 33, 33, 0}, {12, 33, 33, 0}}); // X, Y, Z (top)
    Board->MoveAll({40, 45}, {75, 30}, {0, 0}, Window);
    EXPECT_TRUE(UnitsIn(33).empty());
    EXPECT_EQ(UnitsIn(64), (std::vector<int>{12, 11, 10}));
}

TEST_F(GameBoardTest, returnToStartSendsTheTopCounterHome) {
    Load({{3, 64, 33, 0}, {4, 64, 64, 0}, {7, 65, 65, 0}});
    Board->RotateStack({75, 30}, {0, 0}, Window); // unit 3 on top
    EXPECT_EQ(Board->ReturnToStart({75, 30}, {0, 0}, Window), MapBoard::HexOrigin(33));
    EXPECT_EQ(UnitsIn(33), std::vector<int>{3});
    EXPECT_FALSE(Board->GetCounter(3)->HasMoved());
    // On its own start hex it slides on the spot and stays on top there.
    EXPECT_EQ(Board->ReturnToStart({75, 70}, {0, 0}, Window), MapBoard::HexOrigin(65));
    EXPECT_EQ(UnitsIn(65), std::vector<int>{7});
    // An empty hex gives the no point.
    EXPECT_EQ(Board->ReturnToStart({200, 200}, {0, 0}, Window), TPoint(-1, -1));
}

TEST_F(GameBoardTest, rotateAndMarkOnSmallAndEmptyHexes) {
    Load({{0, 33, 33, 0}, {1, 64, 64, 0}, {2, 64, 64, 0}});
    Board->RotateStack({40, 45}, {0, 0}, Window);
    EXPECT_EQ(UnitsIn(33), std::vector<int>{0});
    Board->RotateStack({200, 200}, {0, 0}, Window); // empty: nothing at all
    Board->RotateStack({75, 30}, {0, 0}, Window);
    EXPECT_EQ(UnitsIn(64), (std::vector<int>{2, 1}));
    for (int i = 0; i < 4; ++i)
        Board->CycleMark({75, 30}, {0, 0}, Window);
    EXPECT_EQ(Board->GetCounter(1)->Mark, 0);
    Board->CycleMark({75, 30}, {0, 0}, Window);
    EXPECT_EQ(Board->GetCounter(1)->Mark, 1);
    EXPECT_EQ(Board->GetCounter(2)->Mark, 0);
}

TEST_F(GameBoardTest, transferUndoesAMove) {
    Load({{0, 33, 33, 0}});
    Board->MoveTopCounter({40, 45}, {75, 30}, {0, 0}, Window);
    Board->TransferTopCounter({75, 30}, {40, 45}, {0, 0}, Window);
    EXPECT_EQ(UnitsIn(33), std::vector<int>{0});
    EXPECT_FALSE(Board->GetCounter(0)->HasMoved());
    Board->TransferTopCounter({200, 200}, {40, 45}, {0, 0}, Window); // empty: ignored
    EXPECT_EQ(UnitsIn(33), std::vector<int>{0});
}

TEST_F(GameBoardTest, clearBoardRestoresTheMapOnlyWhenATurnIsLoaded) {
    Board->ClearBoard(); // nothing loaded: nothing happens
    EXPECT_FALSE(Board->TurnLoaded);
    for (int i = 0; i < MapBoard::HexCount; i += 97)
        EXPECT_FALSE(Board->HasCounters(MapBoard::HexOrigin(i)));

    Load({{0, 33, 33, 0}, {1, 33, 33, 1}, {2, 64, 64, 0}});
    Board->ClearBoard();
    EXPECT_FALSE(Board->TurnLoaded);
    EXPECT_EQ(Board->GetCounter(0), nullptr);
    EXPECT_FALSE(Board->HasCounters({40, 45}));
    EXPECT_TRUE(PixelCompare::Same({0, 0, TestPictures::MapWidth, TestPictures::MapHeight},
                                   PixelCompare::Of(Board->MapSurface()), TestPictures::MapPixel,
                                   3));
}

TEST_F(GameBoardTest, loadStacksInUnitOrderAndRefusesBadRecords) {
    Load({{17, 40, 40, 0}, {5, 40, 40, 0}});
    EXPECT_EQ(UnitsIn(40), (std::vector<int>{5, 17}));
    EXPECT_EQ(Board->GetCounter(201)->Picture, 2202);
    EXPECT_EQ(Board->GetCounter(200)->Picture, 2201);

    auto records = TurnRecords::OffMapExcept({{3, 1920, 0}});
    EXPECT_FALSE(Board->LoadCounters(records));
    records[3] = CounterRecord(0, 0, 4);
    EXPECT_FALSE(Board->LoadCounters(records));
    EXPECT_FALSE(Board->TurnLoaded);
}

} // namespace
