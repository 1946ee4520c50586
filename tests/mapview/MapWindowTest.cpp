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

TEST_F(MapWindowTest, zoomStretchesTheMapAndMakesTheBoardInert) {
    Drag(At(D5), At(H8));
    Window->ScrollTo(50, 40);
    Window->CmZoom();
    EXPECT_EQ(Window->GetScrollPos(), TPoint(0, 0));
    EXPECT_EQ(Widget()->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(Widget()->verticalScrollBar()->maximum(), 0);
    // Which commands zoom disables is the start-up test's table; here the move to undo goes.
    EXPECT_FALSE(UndoEnabled());

    // The whole map fills the client area, stretched in each direction on its own.
    Window->Invalidate(false);
    Window->UpdateWindow();
    const TRect client = Window->GetClientRect();
    const TBitmap& shown = *Window->GetClientBitmap();
    const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
    for (const TPoint& p : {TPoint(0, 0), TPoint(client.right - 1, client.bottom - 1),
                            TPoint(client.right / 2, client.bottom / 3)}) {
        const TPoint m(p.x * 2100 / client.Width(), p.y * 1300 / client.Height());
        EXPECT_EQ(shown.GetPixel(p.x, p.y), surface.GetPixel(m.x, m.y)) << p.x << "," << p.y;
    }

    // Presses do nothing but empty the move memory; the status names the hex pointed at.
    const std::vector<int> stack = UnitsIn(H8);
    const TPoint overH8 = {(HexGrid::Origin(H8).x + 12) * client.Width() / 2100,
                           (HexGrid::Origin(H8).y + 20) * client.Height() / 1300};
    Click(overH8);
    Press(overH8, Qt::RightButton);
    EXPECT_EQ(UnitsIn(H8), stack);
    EXPECT_EQ(HexField.GetText(), "Hex : H8");
    EXPECT_EQ(MoveField.GetText(), "Has Moved");
    Window->CmZoom();
    EXPECT_FALSE(UndoEnabled());
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

// Show All and Clear All draw the markers at full size; zoomed, the window still shows the
// whole map stretched, markers included or not.
TEST_F(MapWindowTest, markersShownOrClearedWhileZoomedLeaveTheStretchedMapShowing) {
    DeclareCombat(F5, "DE");
    Window->CmZoom();
    for (void (KVKWindow::*command)() : {&KVKWindow::CmClearAll, &KVKWindow::CmShowAll}) {
        (Window.get()->*command)();
        QCoreApplication::processEvents();
        TBitmap stretched(Window->GetClientRect().Width(), Window->GetClientRect().Height());
        TMemoryDC dc(stretched);
        dc.StretchBlt(Window->GetClientRect(), Window->Map().MapSurface(), Window->Map().MapRect());
        const TBitmap& shown = *Window->GetClientBitmap();
        EXPECT_TRUE(PixelCompare::Same(Window->GetClientRect(), PixelCompare::Of(shown),
                                       PixelCompare::Of(stretched)));
    }
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

TEST_F(MapWindowTest, closingAsksOnlyWithUnsavedWorkAndKeepsItUnlessSaved) {
    struct Case {
        const char* what;
        bool modified;
        int answer;    // 0: no question
        bool saveDone; // for Yes: the save dialog is answered (else cancelled)
        bool closes, modifiedAfter;
    };
    const std::vector<Case> cases = {
        {"nothing to save", false, 0, false, true, false},
        {"cancel", true, IDCANCEL, false, false, true},
        {"no", true, IDNO, false, true, true},
        {"yes, saved", true, IDYES, true, true, false},
        {"yes, but the save was cancelled", true, IDYES, false, false, true},
    };
    for (const Case& c : cases) {
        CheckedHooks hooks;
        MapWindowProbe::SetModified(*Window, c.modified);
        if (c.answer)
            hooks.AnswerMessageBox(c.answer);
        if (c.answer == IDYES) {
            hooks.AnswerMessageBox(IDNO); // not the end of the turn
            if (c.saveDone)
                hooks.AnswerFileDialog(Dir.Path("saved.kvk"));
            else
                hooks.CancelFileDialog();
        }
        EXPECT_EQ(Window->CanClose(), c.closes) << c.what;
        EXPECT_EQ(MapWindowProbe::Modified(*Window), c.modifiedAfter) << c.what;
        if (c.saveDone) {
            EXPECT_EQ(Widget()->window()->windowTitle().toStdString(), "Kurvask  :  saved");
        }
        if (c.answer) {
            ASSERT_FALSE(hooks.MessageBoxes().empty());
            EXPECT_EQ(hooks.MessageBoxes()[0].Text, "Do you want to Save?");
            EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "Brisvane");
        }
    }
}

TEST_F(MapWindowTest, openingAnotherTurnAsksFirstAndStartsAfresh) {
    struct Case {
        const char* what;
        bool modified;
        int answer;
        bool opens;
    };
    Dir.Write("other.kvk", Dir.Read("turn.kvk"));
    const std::vector<Case> cases = {
        {"nothing unsaved", false, 0, true},
        {"cancel", true, IDCANCEL, false},
        {"no: the work is given up", true, IDNO, true},
        {"yes: saved first", true, IDYES, true},
    };
    for (const Case& c : cases) {
        SetUp();
        Drag(At(D5), At(H8));
        MapWindowProbe::SetModified(*Window, c.modified);
        Window->CmZoom();
        CheckedHooks hooks;
        if (c.answer)
            hooks.AnswerMessageBox(c.answer);
        if (c.answer == IDYES) {
            MapWindowDriver::AnswerSave(IDNO, Dir.Path("saved.kvk"));
        }
        if (c.opens)
            hooks.AnswerFileDialog(Dir.Path("other.kvk"));
        Window->CmOpenTurn();
        EXPECT_EQ(MapWindowProbe::Zoomed(*Window), !c.opens) << c.what;
        EXPECT_EQ(UnitsIn(H8).empty(), c.opens) << c.what;
        EXPECT_EQ(UndoEnabled(), !c.opens && !MapWindowProbe::Zoomed(*Window)) << c.what;
        EXPECT_EQ(MapWindowProbe::Modified(*Window), c.modified && !c.opens) << c.what;
        if (c.opens) {
            EXPECT_EQ(Widget()->window()->windowTitle().toStdString(), "Kurvask  :  other");
        }
    }
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
