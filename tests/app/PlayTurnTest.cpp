// Whole turns through the real program: the sample turn opened as from the command line (every
// unit where it started), a counter dragged, a combat declared from the tool bar, the turn saved
// from the menu, and the opponent's program opening what was saved with the real combat list.
#include "AppFixture.h"
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatScript.h"
#include "DialogConstants.h"
#include "DialogDriver.h"
#include "Hexes.h"
#include "HookedTest.h"
#include "MapWindowDriver.h"
#include "MapWindowProbe.h"
#include "ModalHooks.h"
#include "PixelCompare.h"
#include "TextChecks.h"
#include "TurnFormats.h"
#include "UnitFile.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

using Hexes::J3, Hexes::L3, Hexes::N3;
constexpr int Moved = 5; // (4-3) : 18 Inf, on top of L3 in the sample turn

class PlayTurnTest : public HookedTest {
protected:
    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        for (const char* ext : {".kvk", ".cbt"})
            Dir.Write(std::string("opening") + ext,
                      TestDir::ReadFile(std::string(KURVASK_DATA_DIR "/sample/opening") + ext));
        Sample = UnitFile::Parse(Dir.Read("opening.kvk")).Records;
    }
    static std::unique_ptr<KVKApp> Start(const std::string& turn) {
        auto app = MakeProgram();
        app->Frame().GetWidget()->resize(1280, 800);
        app->Frame().GetWidget()->show();
        QCoreApplication::processEvents();
        app->OpenTurnFile(turn);
        return app;
    }
    static MapWindowDriver Player(KVKApp& app) { return MapWindowDriver(app.Window()); }
    static void ClickToolButton(KVKApp& app, int id) {
        auto* tools = app.Frame().GetWidget()->findChild<QToolBar*>();
        QTest::mouseClick(tools->widgetForAction(app.Frame().Action(id)), Qt::LeftButton);
    }
    // Moves the top counter of L3 to N3 with the mouse, then saves with the answer given.
    void PlayAndSave(KVKApp& app, int answer, bool withCombat) {
        ASSERT_EQ(BoardProbe::UnitsIn(app.Window().Map(), L3).back(), Moved);
        ASSERT_TRUE(BoardProbe::UnitsIn(app.Window().Map(), N3).empty());
        const MapWindowDriver player = Player(app);
        player.Drag(player.At(L3), player.At(N3), 2);
        EXPECT_EQ(BoardProbe::UnitsIn(app.Window().Map(), N3), (std::vector<int>{Moved}));
        if (withCombat) {
            ClickToolButton(app, 413);
            EXPECT_EQ(MapWindowProbe::LeftMode(app.Window()), KVKWindow::ModeCombatId);
            EXPECT_TRUE(app.Frame().Action(413)->isChecked()) << "the button looks pressed";
            CombatScript::Resolve("DR: defender retreats", CombatScript::ThreeToOne);
            player.Click(player.At(J3));
        }
        MapWindowDriver::AnswerSave(answer, Dir.Path("turn02.kvk"));
        app.Frame().Action(401)->trigger(); // Files > Save Turn
        EXPECT_FALSE(MapWindowProbe::Modified(app.Window()));
        EXPECT_EQ(app.Frame().GetWidget()->windowTitle().toStdString(), "Kurvask  :  turn02");
    }

    TestDir Dir;
    UnitFile::Records Sample;
};

TEST_F(PlayTurnTest, anEndedTurnReachesTheOpponentWithItsMoveAndCombat) {
    auto player = Start(Dir.Path("opening.kvk"));
    EXPECT_EQ(player->Frame().GetWidget()->windowTitle().toStdString(), "Kurvask  :  opening");
    // The sample turn opens with every unit where it started, unmarked, most on the map.
    KVKMap& board = player->Window().Map();
    EXPECT_TRUE(board.Records() == Sample);
    EXPECT_GT(std::count_if(Sample.begin(), Sample.end(),
                            [](const CounterRecord& r) {
                                return r.HexIndex == r.StartIndex && r.Mark == 0 &&
                                       MapBoard::IsOnBoard(r.HexIndex);
                            }),
              150);
    EXPECT_TRUE(static_cast<CaECombats&>(board.Combats()).Received().empty());
    PlayAndSave(*player, IDYES, true);

    // The three files, read as their formats have them, not with the program's readers.
    UnitFile::Records played = Sample;
    played[Moved] = CounterRecord(N3, L3, 0);
    EXPECT_EQ(Dir.Read("turn02.txt"), TurnFormats::Report(played));
    EXPECT_TRUE(Holds(Dir.Read("turn02.txt"), "(4-3) : 18 Inf     L3          N3        \n"));
    UnitFile::Records ended = played;
    for (CounterRecord& r : ended)
        r.StartIndex = r.HexIndex;
    EXPECT_TRUE(TurnFormats::Units(Dir.Read("turn02.kvk")) == ended);
    const auto combats = TurnFormats::Combats(Dir.Read("turn02.cbt"));
    ASSERT_TRUE(combats && combats->size() == 1u);
    const CombatRecord& combat = combats->front();
    EXPECT_EQ(combat.Data.Odds, "3:1");
    EXPECT_EQ(combat.Data.Comments, "DR: defender retreats");
    EXPECT_EQ(combat.Data.HexIndex, J3);
    ASSERT_TRUE(combat.Data.DieRoll.size() == 1u && std::isdigit(combat.Data.DieRoll[0]));
    // J3's origin is (315, 80): the marker 9 left of it and 6 down, 34 further right in the file,
    // in green.
    EXPECT_EQ(combat.MarkerPosition, TPoint(340, 86));
    EXPECT_EQ(combat.MarkerImage, 8512 + (combat.Data.DieRoll[0] - '1'));

    // The opponent opens the turn.
    auto opponent = Start(Dir.Path("turn02.kvk"));
    KVKWindow& seen = opponent->Window();
    const auto* received = dynamic_cast<CaECombats*>(&seen.Map().Combats());
    ASSERT_NE(received, nullptr) << "the program's board has the real combat list";
    ASSERT_EQ(received->Received().size(), 1u);
    EXPECT_EQ(received->Received().front()->Data, combat.Data);
    EXPECT_EQ(BoardProbe::UnitsIn(seen.Map(), N3), (std::vector<int>{Moved}));
    Player(*opponent).MoveTo(Player(*opponent).At(N3));
    EXPECT_EQ(opponent->HexGadget->GetText(), "Hex : N3");
    EXPECT_EQ(opponent->MoveGadget->GetText(), "Yet To Move") << "the turn's end reset every start";
    const TBitmap& green = TModule::Application().GetBitmap(combat.MarkerImage);
    EXPECT_TRUE(PixelCompare::Same({0, 0, 8, 8},
                                   PixelCompare::Of(seen.Map().MapSurface(), combat.MarkerPosition),
                                   PixelCompare::Of(green)));
    ClickToolButton(*opponent, 422);
    std::string shown;
    Hooks.DriveDialog(9430, [&](DialogDriver& d) {
        shown = d.Text(9431) + " " + d.Text(9432);
        d.Click(2);
    });
    Player(*opponent).Click(Player(*opponent).At(J3), Qt::RightButton);
    EXPECT_EQ(shown, combat.Data.DieRoll + " DR: defender retreats");
}

TEST_F(PlayTurnTest, aTurnSavedPartWayGoesOnWhereItWas) {
    auto player = Start(Dir.Path("opening.kvk"));
    PlayAndSave(*player, IDNO, false);
    player.reset();

    auto again = Start(Dir.Path("turn02.kvk"));
    Player(*again).MoveTo(Player(*again).At(N3));
    EXPECT_EQ(again->MoveGadget->GetText(), "Has Moved");
    ClickToolButton(*again, 412); // Return to Start Hex
    Player(*again).Click(Player(*again).At(N3));
    EXPECT_EQ(BoardProbe::UnitsIn(again->Window().Map(), L3).back(), Moved);
    EXPECT_TRUE(BoardProbe::UnitsIn(again->Window().Map(), N3).empty());
    EXPECT_TRUE(MapWindowProbe::Modified(again->Window()));
    EXPECT_TRUE(again->Frame().Action(405)->isEnabled()) << "the return can be undone";
}

} // namespace
