// The program's own window opens turns with the real combat list: the sample turn, and a turn
// whose combat file holds a combat, which the board reads and shows.
#include "AppFixture.h"
#include "CaECombats.h"
#include "CombatFile.h"
#include "ModalHooks.h"
#include "TestFiles.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

const std::string Sample = KURVASK_DATA_DIR "/sample/opening";

TEST(ProgramTurn, theProgramsBoardReadsAndShowsTheCombatFile) {
    TestDir dir;
    dir.Write("turn.kvk", TestDir::ReadFile(Sample + ".kvk"));
    CombatRecord record;
    record.Data = {"3:1", "4", "DE", 33};
    record.MarkerPosition = {60, 60};
    record.MarkerImage = 8515;
    dir.Write("turn.cbt", CombatFile::Serialize({record}));

    auto program = MakeProgram();
    KVKApp& app = *program;
    KVKMap& board = app.Window().Map();
    ModalHooks hooks;
    hooks.AnswerFileDialog(dir.Path("turn.kvk"));
    EXPECT_EQ(app.Window().Turn().OpenTurn(true), "Kurvask  :  turn");
    auto* combats = dynamic_cast<CaECombats*>(&board.Combats());
    ASSERT_NE(combats, nullptr) << "the program's board has the real combat list";
    ASSERT_EQ(combats->Received().size(), 1u);
    EXPECT_EQ(combats->Received().front()->Data, record.Data);
    const TBitmap& green = TModule::Application().GetBitmap(8515);
    EXPECT_EQ(board.MapSurface().GetPixel(60, 60), green.GetPixel(0, 0));
    EXPECT_TRUE(hooks.Clean()) << hooks.Report();
}

TEST(ProgramTurn, theSampleTurnOpensWithEveryUnitWhereItStarted) {
    auto program = MakeProgram();
    KVKApp& app = *program;
    KVKMap& board = app.Window().Map();
    board.FileData.FileName = Sample + ".kvk";
    ModalHooks hooks;
    EXPECT_EQ(app.Window().Turn().OpenTurn(false), "Kurvask  :  opening");
    ASSERT_TRUE(board.TurnLoaded);
    int onMap = 0;
    for (const CounterRecord& r : board.Records()) {
        EXPECT_EQ(r.HexIndex, r.StartIndex);
        EXPECT_EQ(r.Mark, 0);
        onMap += MapBoard::IsOnBoard(r.HexIndex) ? 1 : 0;
    }
    EXPECT_GT(onMap, 150);
    EXPECT_TRUE(static_cast<CaECombats&>(board.Combats()).Received().empty());
    EXPECT_TRUE(hooks.Clean()) << hooks.Report();
}

} // namespace
