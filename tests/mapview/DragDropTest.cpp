// Moving counters with the mouse: drags released on another hex, on the same hex, in the
// press band and outside the window, Move All drops, Undo Last Move, Return to Start Hex,
// the right-click modes, and what each leaves of the move memory and the unsaved mark.
#include "DialogConstants.h"
#include "MapWindowFixture.h"
#include "MapWindowProbe.h"

namespace {

using DragDropTest = MapWindowFixture;

TEST_F(DragDropTest, aDragMovesTheTopCounterAndUndoBringsItBack) {
    Drag(At(D5), At(H8));
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5}));
    EXPECT_EQ(UnitsIn(H8), (std::vector<int>{17}));
    EXPECT_TRUE(MapWindowProbe::Modified(*Window));
    EXPECT_FALSE(Window->IsDragging());
    EXPECT_TRUE(UndoEnabled());
    ExpectDrawnAsModel({D5, H8});
    ExpectWindowShowsSurface();

    MapWindowProbe::SetModified(*Window, false);
    Window->CmUndoMove();
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17}));
    EXPECT_TRUE(UnitsIn(H8).empty());
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(MapWindowProbe::Modified(*Window)) << "undoing changes the turn too";
    ExpectDrawnAsModel({D5, H8});
    ExpectWindowShowsSurface();
}

// While the mouse moves the map is not repainted: only the small areas the picture leaves
// and enters reach the screen. The drop repaints the window once.
TEST_F(DragDropTest, aDragShowsOnlyThePictureMoving) {
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

TEST_F(DragDropTest, whereADragEndsDecidesWhatMoves) {
    const TRect client = Window->GetClientRect();
    struct Case {
        const char* what;
        bool moveAll;
        TPoint drop;
        std::vector<int> leftOnD5;
        bool modified, undo;
    };
    const TPoint band(client.right - 4, At(H8).y); // in the band, but inside the window
    const std::vector<Case> cases = {
        {"another hex", false, At(H8), {5}, true, true},
        {"the same hex: the stack rotates", false, At(D5) + TPoint(3, 5), {17, 5}, true, false},
        {"outside the window", false, {client.right + 30, 200}, {5, 17}, false, false},
        {"below the window", false, {200, client.bottom}, {5, 17}, false, false},
        {"the press band", false, band, {5}, true, true},
        {"Move All onto another hex", true, At(H8), {}, true, false},
    };
    for (const Case& c : cases) {
        SetUp(); // a fresh window and turn for each drop
        if (c.moveAll)
            Window->CmMoveAll();
        Drag(At(D5), c.drop);
        EXPECT_EQ(UnitsIn(D5), c.leftOnD5) << c.what;
        EXPECT_EQ(MapWindowProbe::Modified(*Window), c.modified) << c.what;
        EXPECT_EQ(UndoEnabled(), c.undo) << c.what;
        EXPECT_FALSE(Window->IsDragging()) << c.what;
        EXPECT_EQ(Window->GetCursorId(), c.moveAll ? KVKWindow::MoveAllCursor : TResId(0));
        ExpectDrawnAsModel({D5, H8, MapBoard::HexAt(Window->ClientToMap(band))});
    }
    EXPECT_EQ(UnitsIn(H8), (std::vector<int>{17, 5})) << "Move All: the stack arrives upside down";
}

// A save reopens the turn from its files, every stack in unit order: the counter on top of
// the last move's hex may then be another one, and an ended turn starts afresh.
TEST_F(DragDropTest, aSavedTurnLeavesNothingToUndo) {
    for (int endOfTurn : {IDNO, IDYES}) {
        SetUp();
        Drag(At(F5), At(D5)); // unit 4 onto 5 and 17: reopened, 17 is on top
        ASSERT_TRUE(UndoEnabled());
        MapWindowDriver::AnswerSave(endOfTurn, Dir.Path("saved.kvk"));
        Window->CmSaveTurn();
        ASSERT_FALSE(MapWindowProbe::Modified(*Window));
        EXPECT_FALSE(UndoEnabled()) << endOfTurn;
        Window->CmUndoMove();
        EXPECT_EQ(UnitsIn(D5), (std::vector<int>{4, 5, 17})) << endOfTurn;
        EXPECT_TRUE(UnitsIn(F5).empty()) << endOfTurn;
        EXPECT_FALSE(MapWindowProbe::Modified(*Window)) << endOfTurn;
    }
}

// Presses in the band and a drag let go outside the window move nothing and leave the last
// move to undo: they never touch the move memory, so Undo takes that move's counter back where
// it came from. A press on an empty hex forgets the move.
TEST_F(DragDropTest, pressesInTheBandOrOnEmptyHexesAndDragsLetGoOutside) {
    Drag(At(D5), At(H8));
    ASSERT_TRUE(UndoEnabled());
    const TRect client = Window->GetClientRect();
    // Within 12 pixels of the right or bottom edge a press does nothing at all.
    Click({client.right - 12, 100});
    Click({100, client.bottom - 5});
    EXPECT_TRUE(UndoEnabled());
    Drag(At(F5), {client.right + 30, 200});
    EXPECT_TRUE(UndoEnabled());
    Window->CmUndoMove();
    EXPECT_TRUE(UnitsIn(H8).empty());
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17}));
    EXPECT_EQ(UnitsIn(F5), (std::vector<int>{4}));
    ExpectDrawnAsModel({D5, F5, H8});
    Drag(At(D5), At(H8));
    ASSERT_TRUE(UndoEnabled());
    Click(At(J9));
    EXPECT_FALSE(UndoEnabled());
}

TEST_F(DragDropTest, returnToStartAndItsUndo) {
    Window->CmModeReturn();
    EXPECT_EQ(Window->GetCursorId(), KVKWindow::ReturnCursor);
    Click(At(D6)); // unit 3 began the turn on D5
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17, 3}));
    EXPECT_TRUE(MapWindowProbe::Modified(*Window));
    ASSERT_TRUE(UndoEnabled());
    Window->CmUndoMove();
    EXPECT_EQ(UnitsIn(D6), (std::vector<int>{3}));
    ExpectDrawnAsModel({D5, D6});

    // A counter already on its start hex goes back onto its own stack, drawn with the
    // stack's own spread.
    Click(At(D5));
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17}));
    ExpectDrawnAsModel({D5});
    // Undo with both points in one hex keeps the spread too.
    Window->CmUndoMove();
    ExpectDrawnAsModel({D5});
}

TEST_F(DragDropTest, rightClickModesChangeTheTurn) {
    struct Case {
        const char* what;
        void (KVKWindow::*mode)();
        int hex;
        bool modified;
    };
    const std::vector<Case> cases = {
        {"rotate a stack", &KVKWindow::CmModeRotate, D5, true},
        {"rotate nothing", &KVKWindow::CmModeRotate, J9, false},
        {"mark the top counter", &KVKWindow::CmModeMark, D5, true},
        {"mark nothing", &KVKWindow::CmModeMark, J9, false},
        {"show combats of an empty hex", &KVKWindow::CmModeShowCombat, J9, false},
    };
    for (const Case& c : cases) {
        SetUp();
        Drag(At(F5), At(H8)); // something to undo
        MapWindowProbe::SetModified(*Window, false);
        (Window.get()->*c.mode)();
        Press(At(c.hex), Qt::RightButton);
        EXPECT_EQ(MapWindowProbe::Modified(*Window), c.modified) << c.what;
        EXPECT_EQ(UndoEnabled(), !c.modified) << c.what;
    }
    EXPECT_EQ(Window->Map().GetCounter(17)->Mark, 0);
    SetUp();
    Window->CmModeMark();
    Press(At(D5), Qt::RightButton);
    EXPECT_EQ(Window->Map().GetCounter(17)->Mark, 1);
    ExpectDrawnAsModel({D5});
}

} // namespace
