// The review in the program: a received turn opened from the command line shows its moves at
// once, and the review panel keeps its place and visibility from one run to the next.
#include "AppFixture.h"
#include "Hexes.h"
#include "TurnRecords.h"

#include <QDockWidget>
#include <QMainWindow>

#include <gtest/gtest.h>

namespace {

using namespace Hexes;

TEST(ReviewPanel, aReceivedTurnShowsItsMovesAtOnce) {
    TestDir dir;
    dir.Write("got.kvk", TurnRecords::Bytes({{3, D6, D6}}));
    dir.Write("got.txt", "Unit               From        To\r\n"
                         "(4-3) : 19 Inf     D5          D6        \r\n"
                         "\r\n" +
                             std::string(33, '~') + "\r\n\r\n");
    auto app = MakeProgram();
    app->OpenTurnFile(dir.Path("got.kvk"));
    // From the centre of D5 to the centre of D6, worked out by hand.
    EXPECT_EQ(app->Window().GetArrows(),
              (std::vector<TArrow>{{{117, 180}, {117, 220}, TurnReview::ReceivedColor}}));
    ASSERT_EQ(app->ReviewPanel().GetRows().size(), 4u);
    EXPECT_EQ(app->ReviewPanel().GetRows()[1].Text, "(4-3) : 19 Inf   D5 \xbb D6");
    EXPECT_EQ(app->ReviewGadget->GetText(), "");
}

TEST(ReviewPanel, keepsItsPlaceAndVisibilityBetweenRuns) {
    // Settings of this test alone, so that no program of a test running beside it writes them
    // between the two runs (read when the settings are first used in the test program).
    TestDir settings;
    qputenv("XDG_CONFIG_HOME", settings.Path("").c_str());
    auto dockArea = [](KVKApp& app) {
        auto* frame = static_cast<QMainWindow*>(app.Frame().GetWidget());
        return frame->dockWidgetArea(static_cast<QDockWidget*>(app.ReviewPanel().GetWidget()));
    };
    for (const bool shown : {false, true}) {
        {
            auto app = MakeProgram();
            auto* frame = static_cast<QMainWindow*>(app->Frame().GetWidget());
            frame->addDockWidget(Qt::LeftDockWidgetArea,
                                 static_cast<QDockWidget*>(app->ReviewPanel().GetWidget()));
            app->ReviewPanel().Show(true);
            app->Window().RunCommand(KVKWindow::ReviewPanelId); // closed, then opened again
            if (shown)
                app->Window().RunCommand(KVKWindow::ReviewPanelId);
        }
        auto again = MakeProgram();
        EXPECT_EQ(again->ReviewPanel().IsShown(), shown);
        EXPECT_EQ(dockArea(*again), Qt::LeftDockWidgetArea) << shown;
    }
}

} // namespace
