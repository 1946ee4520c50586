// The map window's modes, cursors and enablers, what a drag repaints, zoom and scroll ranges, the
// status texts, the combat modes, and the questions before closing and before opening another
// turn. What each drop, press, return, rotation, mark and undo does to the turn, the map and the
// window is checked by the soak test after every one of its actions.
#include "CaECombats.h"
#include "DialogConstants.h"
#include "DialogDriver.h"
#include "MapWindowFixture.h"
#include "MapWindowProbe.h"
#include "PixelCompare.h"
#include "TFileBatch.h"
#include "TMemoryDC.h"
#include "TextChecks.h"

#include <QDir>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

using MapWindowTest = MapWindowFixture;

TEST_F(MapWindowTest, modeCommandsCheckTheirGroupAndSetTheCursor) {
    struct Step {
        int command;
        TResId cursor;
        std::vector<int> checked; // every checked command afterwards
    };
    constexpr int Move = KVKWindow::ModeMoveId, Return = KVKWindow::ModeReturnId,
                  Combat = KVKWindow::ModeCombatId, Rotate = KVKWindow::ModeRotateId,
                  Mark = KVKWindow::ModeMarkId, Show = KVKWindow::ModeShowCombatId,
                  MoveAll = KVKWindow::MoveAllId;
    // The first step: as constructed.
    const std::vector<Step> steps = {{0, 0, {Move, Rotate}},
                                     {Combat, 1450, {Combat, Rotate}},
                                     {MoveAll, 1450, {Combat, Rotate, MoveAll}},
                                     {Move, 1451, {Move, Rotate, MoveAll}},
                                     {MoveAll, 0, {Move, Rotate}},
                                     {Return, 1452, {Return, Rotate}},
                                     {Mark, 1452, {Return, Mark}},
                                     {Show, 1452, {Return, Show}}};
    const std::vector<int> all = {Move, Return, Combat,  Rotate,
                                  Mark, Show,   MoveAll, KVKWindow::ZoomId};
    for (const Step& s : steps) {
        if (s.command) {
            ASSERT_TRUE(Window->RunCommand(s.command));
        }
        EXPECT_EQ(int(Window->GetCursorId()), int(s.cursor)) << "after " << s.command;
        for (int id : all) {
            const TCommandEnabler ce = Player().Ask(id);
            const bool expected =
                std::find(s.checked.begin(), s.checked.end(), id) != s.checked.end();
            EXPECT_EQ(ce.GetCheck() == TCommandEnabler::Checked, expected)
                << "command " << id << " after " << s.command;
            EXPECT_TRUE(ce.IsEnabled());
        }
    }
    EXPECT_FALSE(Window->RunCommand(999));
}

// While the mouse moves the map is not repainted: only the small areas the picture leaves
// and enters reach the screen. The drop repaints the window once.
TEST_F(MapWindowTest, aDragShowsOnlyThePictureMoving) {
    QCoreApplication::processEvents();
    Press(At(D5));
    QCoreApplication::processEvents();
    const TScrollWindow::PaintStats before = Window->GetPaintStats();
    for (int i = 1; i <= 20; ++i) {
        MoveTo(At(D5) + TPoint(4 * i, 3 * i));
        QCoreApplication::processEvents();
    }
    const TScrollWindow::PaintStats moved = Window->GetPaintStats();
    EXPECT_EQ(moved.Paints, before.Paints) << "no repaint of the map during the drag";
    EXPECT_GE(moved.Frames - before.Frames, 20);
    EXPECT_LE(moved.FramePixels - before.FramePixels, 20 * 2 * 28 * 28);
    Release(At(D5) + TPoint(80, 60));
    QCoreApplication::processEvents();
    const TScrollWindow::PaintStats dropped = Window->GetPaintStats();
    EXPECT_EQ(dropped.Paints, moved.Paints + 1);
    const TRect client = Window->GetClientRect();
    EXPECT_EQ(dropped.PaintPixels - moved.PaintPixels, (long long)client.Width() * client.Height());
    ExpectWindowShowsSurface();
}

// Zoomed, the whole map fills the window without scrolling and the move to undo waits; what the
// window shows and what presses do while zoomed the soak test checks after every action.
TEST_F(MapWindowTest, zoomShowsTheWholeMapWithoutScrolling) {
    Drag(At(D5), At(H8));
    Window->ScrollTo(50, 40);
    Window->CmZoom();
    EXPECT_EQ(Window->GetScrollPos(), TPoint(0, 0));
    EXPECT_EQ(Widget()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(Widget()->verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(UndoEnabled()); // which commands zoom disables is the start-up test's table
    Window->CmZoom();
    EXPECT_TRUE(UndoEnabled());
    EXPECT_GT(Widget()->horizontalScrollBar()->maximum(), 0);
}

// A window larger than the map shows the map at full size and nothing beside or below it once
// Zoom is left: the stretched picture does not stay there.
TEST_F(MapWindowTest, leavingZoomClearsWhatLiesOutsideTheMap) {
    const int w = Window->Map().MapWidth(), h = Window->Map().MapHeight();
    Widget()->resize(w + 200, h + 100);
    QCoreApplication::processEvents();
    Window->CmZoom();
    Window->UpdateWindow();
    Window->CmZoom();
    Window->UpdateWindow();
    const TBitmap& client = *Window->GetClientBitmap();
    ASSERT_GE(client.Width(), w + 100);
    ASSERT_GE(client.Height(), h + 50);
    for (const TPoint p : {TPoint(w, 0), TPoint(w + 99, h / 2), TPoint(0, h), TPoint(w / 2, h + 49),
                           TPoint(w + 50, h + 30)})
        EXPECT_EQ(client.GetPixel(p.x, p.y), KVKWindow::OutsideMap) << p.x << "," << p.y;
    EXPECT_EQ(client.GetPixel(w - 1, h - 1), Window->Map().MapSurface().GetPixel(w - 1, h - 1));
}

TEST_F(MapWindowTest, scrollRangesFollowTheWindowSize) {
    struct Case {
        int width, height;
        bool across, down;
    };
    for (const Case& c : {Case{2300, 1500, false, false}, Case{800, 1500, true, false},
                          Case{2300, 600, false, true}, Case{700, 500, true, true}}) {
        Window->ScrollTo(30, 30);
        Widget()->resize(c.width, c.height);
        QCoreApplication::processEvents();
        const TRect client = Window->GetClientRect();
        EXPECT_EQ(Widget()->horizontalScrollBar()->maximum(), c.across ? 2100 - client.Width() : 0)
            << c.width;
        EXPECT_EQ(Widget()->verticalScrollBar()->maximum(), c.down ? 1300 - client.Height() : 0)
            << c.height;
        EXPECT_EQ(Window->GetScrollPos(), TPoint(0, 0)) << "every resize goes back to the corner";
    }
    // The wheel scrolls down, with Shift across; the page and arrow keys scroll too.
    Player().Wheel({100, 100}, 1);
    EXPECT_EQ(Window->GetScrollPos().x, 0);
    EXPECT_GT(Window->GetScrollPos().y, 0);
    Player().Wheel({100, 100}, 1, Qt::ShiftModifier);
    EXPECT_GT(Window->GetScrollPos().x, 0);
    Window->ScrollTo(0, 0);
    Player().Key(Qt::Key_PageDown);
    Player().Key(Qt::Key_Right);
    EXPECT_EQ(Window->GetScrollPos(), TPoint(16, Widget()->verticalScrollBar()->pageStep()));
    // Minimizing leaves range and position alone.
    Window->ScrollTo(20, 10);
    Window->EvSize(TScrollWindow::SIZE_MINIMIZED, {0, 0});
    EXPECT_EQ(Window->GetScrollPos(), TPoint(20, 10));
}

TEST_F(MapWindowTest, statusTextsFollowTheHexUnderThePointer) {
    MoveTo(At(D5));
    EXPECT_EQ(HexField.GetText(), "Hex : D5");
    EXPECT_EQ(MoveField.GetText(), "Yet To Move");
    const int writes = HexField.Writes();
    MoveTo(At(D5) + TPoint(4, 6)); // within the hex: nothing rewritten
    EXPECT_EQ(HexField.Writes(), writes);
    MoveTo(At(D6));
    EXPECT_EQ(MoveField.GetText(), "Has Moved");
    MoveTo(At(J9));
    EXPECT_EQ(HexField.GetText(), "Hex : J9");
    EXPECT_EQ(MoveField.GetText(), " ");
    Window->ScrollTo(1500, 0);
    MoveTo(At(50 * 32 + 3));
    EXPECT_EQ(HexField.GetText(), "Off board");
    Window->ScrollTo(0, 0);
    // During a drag every hex shows a blank.
    Press(At(D5));
    MoveTo(At(F5));
    EXPECT_EQ(HexField.GetText(), "Hex : F5");
    EXPECT_EQ(MoveField.GetText(), " ");
    Release(At(F5));
    EXPECT_EQ(MoveField.GetText(), "Has Moved") << "rewritten after the drop";
}

TEST_F(MapWindowTest, combatModeDeclaresOnOccupiedHexesAndShowCombatUsesTheCoarseLookup) {
    Window->CmModeCombat();
    Click(At(J9)); // empty: no dialog
    EXPECT_FALSE(MapWindowProbe::Modified(*Window));
    DeclareCombat(F5, "DE");
    EXPECT_TRUE(MapWindowProbe::Modified(*Window));
    auto& combats = static_cast<CaECombats&>(Window->Map().Combats());
    ASSERT_EQ(combats.Declared().size(), 1u);
    EXPECT_EQ(combats.Declared().front()->Data.HexIndex, F5);

    // Show Combat answers on the hex's column strip and row band, counters or not.
    Window->CmModeShowCombat();
    std::string shown;
    Hooks.DriveDialog(9430, [&](DialogDriver& d) {
        shown = d.Text(9432);
        d.Click(2);
    });
    const TPoint origin = HexGrid::Origin(F5) - Window->GetScrollPos();
    Press(origin + TPoint(1, 38), Qt::RightButton);
    EXPECT_EQ(shown, "DE");
}

// With unsaved work, closing and opening another turn ask first, and Yes saves before. The
// other answers, and what each leaves, the soak test plays and checks.
TEST_F(MapWindowTest, closingWithUnsavedWorkAsksAndSavesOnYes) {
    MapWindowProbe::SetModified(*Window, true);
    Hooks.AnswerMessageBox(IDYES);
    MapWindowDriver::AnswerSave(IDNO, Dir.Path("saved.kvk"));
    EXPECT_TRUE(Window->CanClose());
    EXPECT_FALSE(MapWindowProbe::Modified(*Window));
    EXPECT_EQ(Widget()->window()->windowTitle().toStdString(), "Kurvask  :  saved");
    ASSERT_EQ(Hooks.MessageBoxes().size(), 2u);
    EXPECT_EQ(Hooks.MessageBoxes()[0].Text, "Do you want to Save?");
    EXPECT_EQ(Hooks.MessageBoxes()[0].Caption, "Brisvane");
}

TEST_F(MapWindowTest, openingAnotherTurnSavesFirstOnYesAndStartsAfresh) {
    Dir.Write("other.kvk", Dir.Read("turn.kvk"));
    Drag(At(D5), At(H8));
    Window->CmZoom();
    Hooks.AnswerMessageBox(IDYES);
    MapWindowDriver::AnswerSave(IDNO, Dir.Path("saved.kvk"));
    Hooks.AnswerFileDialog(Dir.Path("other.kvk"));
    Window->CmOpenTurn();
    EXPECT_FALSE(MapWindowProbe::Zoomed(*Window));
    EXPECT_TRUE(UnitsIn(H8).empty());
    EXPECT_FALSE(UndoEnabled());
    EXPECT_FALSE(MapWindowProbe::Modified(*Window));
    EXPECT_EQ(Widget()->window()->windowTitle().toStdString(), "Kurvask  :  other");
    EXPECT_EQ(Dir.Read("saved.kvk").size(), 1760u);
}

// An end-of-turn save that fails at any step of any of its three files changes no file, says
// which file failed and why, and keeps the board, the combats and the unsaved work as they were.
TEST_F(MapWindowTest, aSaveFailingAtAnyStepOfAnyFileChangesNothing) {
    Drag(At(D5), At(H8));
    DeclareCombat(F5, "DE");
    ASSERT_TRUE(MapWindowProbe::Modified(*Window));
    auto& combats = static_cast<CaECombats&>(Window->Map().Combats());
    const UnitFile::Records records = Window->Map().Records();
    const std::string combatBytes = combats.FileBytes();
    ASSERT_EQ(combats.Declared().size(), 1u);
    Dir.Write("turn.cbt", "old combats");
    Dir.Write("turn.txt", "old report");
    const std::string oldUnits = Dir.Read("turn.kvk");
    auto listing = [this] {
        return QDir(QString::fromStdString(Dir.Path(".")))
            .entryList(QDir::Files | QDir::Hidden)
            .join(' ')
            .toStdString();
    };
    const std::string before = listing();

    using Step = TFileBatch::Step;
    for (const std::string target : {"turn", "new"}) // over the old files, and as new files
        for (const char* suffix : {".txt", ".kvk", ".cbt"})
            for (const Step step : {Step::Create, Step::Write, Step::Flush, Step::Replace}) {
                const std::string failing = Dir.Path(target + suffix);
                const std::string what = failing + " step " + std::to_string(int(step));
                TFileBatch::SetFaultHook(
                    [&](Step s, const std::string& name) { return s == step && name == failing; });
                CheckedHooks hooks;
                MapWindowDriver::AnswerSave(IDYES, Dir.Path(target + ".kvk"));
                hooks.AnswerMessageBox(IDOK);
                Window->RunCommand(KVKWindow::SaveTurnId);
                TFileBatch::SetFaultHook({});

                ASSERT_EQ(hooks.MessageBoxes().size(), 2u) << what;
                const std::string& told = hooks.MessageBoxes()[1].Text;
                EXPECT_FALSE(hooks.MessageBoxes()[1].WaitCursor) << "the wait cursor over a box";
                EXPECT_TRUE(Holds(told, failing + "\ncould not be written: "));
                EXPECT_TRUE(Holds(told, "No file was changed"));
                EXPECT_TRUE(MapWindowProbe::Modified(*Window)) << what;
                EXPECT_TRUE(Window->Map().Records() == records) << what;
                EXPECT_EQ(combats.FileBytes(), combatBytes) << what;
                EXPECT_EQ(combats.Declared().size(), 1u) << what;
                EXPECT_EQ(Dir.Read("turn.kvk"), oldUnits) << what;
                EXPECT_EQ(Dir.Read("turn.cbt"), "old combats") << what;
                EXPECT_EQ(Dir.Read("turn.txt"), "old report") << what;
                EXPECT_EQ(listing(), before) << what << ": a file was left behind";
                Window->Map().FileData.FileName = Dir.Path("turn.kvk");
            }
    ExpectDrawnAsModel({D5, H8, F5});
}

} // namespace
