// The board's combat operations: declaring through the board, showing and clearing every
// marker, results per hex, and a fresh combat list after clearing.
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatScript.h"
#include "DialogDriver.h"
#include "KVKMap.h"
#include "ModalHooks.h"
#include "TMemoryDC.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

class BoardCombatTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir.Write("map.bmp", BmpBytes::Rgb24(400, 300, BoardProbe::PatternPixels(400, 300)));
        Board = std::make_unique<KVKMap>(nullptr, &TModule::Application(),
                                         Dir.Path("map.bmp").c_str(), &CaECombats::Make);
    }
    void DeclareAt(const TPoint& mapPoint) {
        CombatScript::Resolve("ok", CombatScript::OneToThree);
        Board->DeclareCombat(Window, {0, 0}, mapPoint);
    }
    CaECombats& Combats() { return static_cast<CaECombats&>(Board->Combats()); }

    TestDir Dir;
    ModalHooks Hooks;
    std::unique_ptr<KVKMap> Board;
    TBitmap Screen{400, 300};
    TMemoryDC Window{Screen};
};

TEST_F(BoardCombatTest, declaringGoesToTheHexUnderThePoint) {
    DeclareAt({40, 45}); // hex 33
    ASSERT_EQ(Combats().Declared().size(), 1u);
    EXPECT_EQ(Combats().Declared().front()->Data.HexIndex, 33);
    EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
}

TEST_F(BoardCombatTest, showAllThenClearAllLeavesTheBoardAsBefore) {
    DeclareAt({40, 45});
    DeclareAt({40, 45});
    Board->ClearAllCombats(Window, {0, 0});
    const TBitmap surface = *Board->MapSurface().GetBitmap(), screen = Screen;
    Board->ShowAllCombats(Window, {0, 0});
    EXPECT_NE(Board->MapSurface().GetPixel(26, 46), surface.GetPixel(26, 46));
    Board->ClearAllCombats(Window, {0, 0});
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            ASSERT_EQ(Board->MapSurface().GetPixel(x, y), surface.GetPixel(x, y));
            ASSERT_EQ(Screen.GetPixel(x, y), screen.GetPixel(x, y));
        }
    EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
}

TEST_F(BoardCombatTest, clearingTheBoardStartsAnEmptyCombatList) {
    std::array<CounterRecord, KVKMap::Units> records;
    records.fill(CounterRecord(1900, 1900, 0));
    ASSERT_TRUE(Board->LoadCounters(records));
    DeclareAt({40, 45});
    const TBitmap bare = [&] {
        Board->ClearAllCombats(Window, {0, 0});
        TBitmap b = *Board->MapSurface().GetBitmap();
        Board->ShowAllCombats(Window, {0, 0});
        return b;
    }();
    Board->ClearBoard();
    EXPECT_TRUE(Combats().Declared().empty());
    EXPECT_EQ(Board->MapSurface().GetPixel(26, 46), bare.GetPixel(26, 46)); // marker gone
    Board->ShowAllCombats(Window, {0, 0});
    Board->ShowCombatAt(33); // nothing to show: no dialog opens
    EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
}

} // namespace
