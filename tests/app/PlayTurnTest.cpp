// Whole turns through the real program: the sample turn opened as from the command line, a
// counter dragged, a combat declared from the tool bar, the turn saved from the menu, and
// the opponent's program opening what was saved.
#include "AppFixture.h"
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatFile.h"
#include "DialogConstants.h"
#include "DialogDriver.h"
#include "MapWindowProbe.h"
#include "ModalHooks.h"
#include "MovementReport.h"
#include "UnitFile.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

constexpr int L3 = 11 * 32 + 2, N3 = 13 * 32 + 2, J3 = 9 * 32 + 2;
constexpr int Moved = 5; // (4-3) : 18 Inf, on top of L3 in the sample turn

class PlayTurnTest : public ::testing::Test {
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
    static QWidget* Viewport(KVKApp& app) {
        return static_cast<QAbstractScrollArea*>(app.Window().GetWidget())->viewport();
    }
    static QPoint At(KVKApp& app, int hex) {
        const TPoint p = MapBoard::HexOrigin(hex) + TPoint(12, 20) - app.Window().GetScrollPos();
        return {p.x, p.y};
    }
    // The pointer comes to rest over a point of the map window.
    static void Hover(KVKApp& app, const QPoint& p) {
        QWidget* view = Viewport(app);
        QMouseEvent move(QEvent::MouseMove, p, view->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    static void ClickToolButton(KVKApp& app, int id) {
        auto* tools = app.Frame().GetWidget()->findChild<QToolBar*>();
        QTest::mouseClick(tools->widgetForAction(app.Frame().Action(id)), Qt::LeftButton);
    }
    // Moves the top counter of L3 to N3 with the mouse, then saves with the answer given.
    void PlayAndSave(KVKApp& app, int answer, bool withCombat) {
        ASSERT_EQ(BoardProbe::UnitsIn(app.Window().Map(), L3).back(), Moved);
        ASSERT_TRUE(BoardProbe::UnitsIn(app.Window().Map(), N3).empty());
        QWidget* view = Viewport(app);
        QTest::mousePress(view, Qt::LeftButton, {}, At(app, L3));
        QTest::mouseMove(view, At(app, L3) + QPoint(30, 4));
        QTest::mouseMove(view, At(app, N3));
        QTest::mouseRelease(view, Qt::LeftButton, {}, At(app, N3));
        EXPECT_EQ(BoardProbe::UnitsIn(app.Window().Map(), N3), (std::vector<int>{Moved}));
        if (withCombat) {
            ClickToolButton(app, 413);
            EXPECT_EQ(MapWindowProbe::LeftMode(app.Window()), KVKWindow::ModeCombatId);
            EXPECT_TRUE(app.Frame().Action(413)->isChecked()) << "the button looks pressed";
            Hooks.DriveDialog(9400, [](DialogDriver& d) {
                d.Click(9407); // 3:1
                d.Click(1);
                d.Type(9519, "DR: defender retreats");
                d.Click(2);
            });
            QTest::mouseClick(view, Qt::LeftButton, {}, At(app, J3));
        }
        Hooks.AnswerMessageBox(answer);
        Hooks.AnswerFileDialog(Dir.Path("turn02.kvk"));
        app.Frame().Action(401)->trigger(); // Files > Save Turn
        EXPECT_FALSE(MapWindowProbe::Modified(app.Window()));
        EXPECT_EQ(app.Frame().GetWidget()->windowTitle().toStdString(), "Kurvask  :  turn02");
    }

    TestDir Dir;
    ModalHooks Hooks;
    UnitFile::Records Sample;
};

TEST_F(PlayTurnTest, anEndedTurnReachesTheOpponentWithItsMoveAndCombat) {
    auto player = Start(Dir.Path("opening.kvk"));
    EXPECT_EQ(player->Frame().GetWidget()->windowTitle().toStdString(), "Kurvask  :  opening");
    PlayAndSave(*player, IDYES, true);

    // The three files, byte for byte.
    UnitFile::Records played = Sample;
    played[Moved] = CounterRecord(N3, L3, 0);
    EXPECT_EQ(Dir.Read("turn02.txt"), MovementReport::Text(played));
    EXPECT_NE(Dir.Read("turn02.txt").find("(4-3) : 18 Inf     L3          N3        \n"),
              std::string::npos);
    UnitFile::Records ended = played;
    for (CounterRecord& r : ended)
        r.StartIndex = r.HexIndex;
    EXPECT_EQ(Dir.Read("turn02.kvk"), UnitFile::Serialize(ended));
    const ParsedCombatFile combats = CombatFile::Parse(Dir.Read("turn02.cbt"));
    ASSERT_TRUE(combats.Ok());
    ASSERT_EQ(combats.Records.size(), 1u);
    const CombatRecord& combat = combats.Records[0];
    EXPECT_EQ(combat.Data.Odds, "3:1");
    EXPECT_EQ(combat.Data.Comments, "DR: defender retreats");
    EXPECT_EQ(combat.Data.HexIndex, J3);
    EXPECT_EQ(combat.MarkerImage, 8512 + (combat.Data.DieRoll[0] - '1'));
    EXPECT_EQ(Dir.Read("turn02.cbt"), CombatFile::Serialize({combat}));

    // The opponent opens the turn.
    auto opponent = Start(Dir.Path("turn02.kvk"));
    KVKWindow& seen = opponent->Window();
    EXPECT_EQ(BoardProbe::UnitsIn(seen.Map(), N3), (std::vector<int>{Moved}));
    Hover(*opponent, At(*opponent, N3));
    EXPECT_EQ(opponent->HexGadget->GetText(), "Hex : N3");
    EXPECT_EQ(opponent->MoveGadget->GetText(), "Yet To Move") << "the turn's end reset every start";
    const TBitmap& green = TModule::Application().GetBitmap(combat.MarkerImage);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(seen.Map().MapSurface().GetPixel(combat.MarkerPosition.x + x,
                                                       combat.MarkerPosition.y + y),
                      green.GetPixel(x, y));
    ClickToolButton(*opponent, 422);
    std::string shown;
    Hooks.DriveDialog(9430, [&](DialogDriver& d) {
        shown = d.Text(9431) + " " + d.Text(9432);
        d.Click(2);
    });
    QTest::mouseClick(Viewport(*opponent), Qt::RightButton, {}, At(*opponent, J3));
    EXPECT_EQ(shown, combat.Data.DieRoll + " DR: defender retreats");
    EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
}

TEST_F(PlayTurnTest, aTurnSavedPartWayGoesOnWhereItWas) {
    auto player = Start(Dir.Path("opening.kvk"));
    PlayAndSave(*player, IDNO, false);
    player.reset();

    auto again = Start(Dir.Path("turn02.kvk"));
    Hover(*again, At(*again, N3));
    EXPECT_EQ(again->MoveGadget->GetText(), "Has Moved");
    ClickToolButton(*again, 412); // Return to Start Hex
    QTest::mouseClick(Viewport(*again), Qt::LeftButton, {}, At(*again, N3));
    EXPECT_EQ(BoardProbe::UnitsIn(again->Window().Map(), L3).back(), Moved);
    EXPECT_TRUE(BoardProbe::UnitsIn(again->Window().Map(), N3).empty());
    EXPECT_TRUE(MapWindowProbe::Modified(again->Window()));
    EXPECT_TRUE(again->Frame().Action(405)->isEnabled()) << "the return can be undone";
    EXPECT_TRUE(Hooks.Clean()) << Hooks.Report();
}

} // namespace
