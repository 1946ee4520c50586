// The board's combat operations: declaring through the board, showing and clearing every
// marker, results per hex, and a fresh combat list after clearing.
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatScript.h"
#include "DialogDriver.h"
#include "HookedTest.h"
#include "KVKMap.h"
#include "PixelCompare.h"
#include "TMemoryDC.h"
#include "TestFiles.h"
#include "TurnRecords.h"

#include <gtest/gtest.h>

namespace {

class BoardCombatTest : public HookedTest {
protected:
    void SetUp() override {
        Dir.Write("map.bmp", BmpBytes::Rgb24(400, 300, BoardProbe::PatternPixels(400, 300)));
        Board = std::make_unique<KVKMap>(nullptr, &TModule::Application(),
                                         Dir.Path("map.bmp").c_str(), &CaECombats::Make);
    }
    void DeclareAt(const TPoint& mapPoint) {
        CombatScript::Resolve("ok", CombatScript::TwoToOne);
        Board->DeclareCombat(Window, {0, 0}, mapPoint);
    }
    CaECombats& Combats() { return static_cast<CaECombats&>(Board->Combats()); }

    TestDir Dir;
    std::unique_ptr<KVKMap> Board;
    TBitmap Screen{400, 300};
    TMemoryDC Window{Screen};
};

// A combat goes to the hex under the point; clearing the board starts an empty combat list.
TEST_F(BoardCombatTest, declaringGoesToTheHexUnderThePointAndClearingTheBoardEmptiesTheList) {
    ASSERT_TRUE(Board->LoadCounters(TurnRecords::OffMapExcept({})));
    DeclareAt({40, 45}); // hex 33
    ASSERT_EQ(Combats().Declared().size(), 1u);
    EXPECT_EQ(Combats().Declared().front()->Data.HexIndex, 33);
    Board->ClearAllCombats(Window, {0, 0});
    const TBitmap bare = *Board->MapSurface().GetBitmap();
    Board->ShowAllCombats(Window, {0, 0});
    Board->ClearBoard();
    EXPECT_TRUE(Combats().Declared().empty());
    // The markers are gone, the map under them as it was.
    EXPECT_TRUE(PixelCompare::Same({0, 0, 400, 300}, PixelCompare::Of(Board->MapSurface()),
                                   PixelCompare::Of(bare)));
    Board->ShowAllCombats(Window, {0, 0});
    Board->ShowCombatAt(33); // nothing to show: no dialog opens
}

} // namespace
