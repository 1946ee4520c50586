// A drag is one action from press to release: right presses and commands in its middle are
// refused, Escape gives it up, and the drop moves the counter that was picked up.
#include "DialogConstants.h"
#include "MapWindowFixture.h"
#include "MapWindowProbe.h"

namespace {

using InterruptedDragTest = MapWindowFixture;

constexpr int AllCommands[] = {400, 401, 405, 406, 407, 410, 412, 413, 420,
                               421, 422, 423, 424, 430, 431, 432, 433, 500};

TEST_F(InterruptedDragTest, nothingButTheDropActsInTheMiddleOfADrag) {
    struct Case {
        const char* what;
        int rightMode; // the right-click mode the drag starts in
        std::function<void()> interrupt;
        bool escape = false; // the drag is given up: the release afterwards does nothing
    };
    const auto rightPress = [this] { Click(At(D5), Qt::RightButton); };
    std::vector<Case> cases;
    for (int mode : {KVKWindow::ModeRotateId, KVKWindow::ModeMarkId, KVKWindow::ModeShowCombatId})
        cases.push_back({"right press", mode, rightPress});
    for (int id : AllCommands)
        cases.push_back(
            {"command", KVKWindow::ModeShowCombatId, [this, id] { Window->RunCommand(id); }});
    cases.push_back(
        {"Escape", KVKWindow::ModeRotateId, [this] { Player().Key(Qt::Key_Escape); }, true});

    for (const Case& c : cases) {
        SetUp();
        DeclareCombat(D5, "a combat to show"); // what Show Combat would open a dialog for
        Window->CmModeMove();
        Window->RunCommand(c.rightMode);
        Drag(At(F5), At(H8)); // the move Undo takes back
        MapWindowProbe::SetModified(*Window, false);
        Press(At(D5)); // unit 17 picked up
        ASSERT_TRUE(Window->IsDragging());
        const std::size_t boxes = Hooks.MessageBoxes().size(), dialogs = Hooks.Dialogs().size();
        c.interrupt();
        for (int id : AllCommands) {
            EXPECT_EQ(Player().Enabled(id), c.escape && id == 400) << c.what << " command " << id;
            if (c.escape)
                break; // the window's own enablers answer again
        }
        EXPECT_EQ(Window->IsDragging(), !c.escape) << c.what;
        Release(At(J9));
        EXPECT_FALSE(Window->IsDragging());
        // Nothing but the drop changed the turn or the window's modes.
        EXPECT_FALSE(MapWindowProbe::Zoomed(*Window)) << c.what;
        EXPECT_EQ(MapWindowProbe::LeftMode(*Window), KVKWindow::ModeMoveId) << c.what;
        EXPECT_FALSE(MapWindowProbe::MoveAll(*Window)) << c.what;
        EXPECT_EQ(MapWindowProbe::RightMode(*Window), c.rightMode) << c.what;
        EXPECT_EQ(Window->Map().GetCounter(17)->Mark, 0) << c.what;
        EXPECT_EQ(UnitsIn(H8), (std::vector<int>{4})) << c.what;
        EXPECT_EQ(Hooks.MessageBoxes().size(), boxes) << c.what;
        EXPECT_EQ(Hooks.Dialogs().size(), dialogs) << c.what;
        EXPECT_TRUE(Hooks.FileDialogs().empty()) << c.what;
        if (c.escape) {
            EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17})) << c.what;
            EXPECT_TRUE(UnitsIn(J9).empty()) << c.what;
            EXPECT_FALSE(MapWindowProbe::Modified(*Window)) << c.what;
            Window->CmUndoMove(); // still the move before the drag
            EXPECT_EQ(UnitsIn(F5), (std::vector<int>{4})) << c.what;
        } else {
            EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5})) << c.what;
            EXPECT_EQ(UnitsIn(J9), (std::vector<int>{17})) << c.what;
            EXPECT_TRUE(MapWindowProbe::Modified(*Window)) << c.what;
            Window->CmUndoMove(); // the drop is the move to undo
            EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17})) << c.what;
        }
        ExpectDrawnAsModel({D5, F5, H8, J9});
        EXPECT_TRUE(Hooks.Clean()) << c.what << "\n" << Hooks.Report();
    }
}

} // namespace
