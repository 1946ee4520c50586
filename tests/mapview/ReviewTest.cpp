// The review of a turn: the moves of its movement report and the player's own moves as arrows
// over the window (never in the map surface), and the panel listing them with the combats.
#include "MapWindowFixture.h"
#include "TListPanel.h"

#include <QImage>

namespace {

using namespace Hexes;

// A report as a save writes it (label to 19 columns, From to 12, To to 10, then the note) for
// units 3 (D5 to D6), 4 (stayed on D5), 7 (C2 to B2 by rail) and 105 (H8 to F5).
const std::string Header = "Unit               From        To\n";
const std::string Report = Header +
                           "(4-3) : 19 Inf     D5          D6        \n"
                           "(3)   : 3W         D5          D5        - Did not move\n"
                           "(2)   : 2W         C2          B2        - Rail\n"
                           "\n" +
                           std::string(33, '~') +
                           "\n"
                           "\n"
                           "(8-7) : 24 Pz      H8          F5        \n";

// Hex centres worked out by hand: origin (35 x column, 40 x row, 20 lower in even columns)
// plus half the hex body (12, 20).
constexpr TPoint CD5{117, 180}, CD6{117, 220}, CC2{82, 80}, CB2{47, 60}, CH8{257, 300},
    CF5{187, 180}, CJ9{327, 340};
constexpr TColor Received = TurnReview::ReceivedColor, Own = TurnReview::OwnColor;

class ReviewTest : public MapWindowFixture {
protected:
    void SetUp() override {
        MapWindowFixture::SetUp();
        Window->AttachReview(&Panel, &ReviewField);
        Open(Report);
    }
    /** Opens the received turn with a report beside it (none for nullptr), as the program does. */
    void Open(const std::optional<std::string>& report) {
        Dir.Write("got.kvk",
                  TurnRecords::Bytes({{3, D6, D6}, {4, D5, D5}, {7, B2, B2, 2}, {105, F5, F5}}));
        std::remove(Dir.Path("got.txt").c_str());
        if (report)
            Dir.Write("got.txt", *report);
        Window->Map().FileData.FileName = Dir.Path("got.kvk");
        bool opened = false;
        Window->Turn().OpenTurn(false, opened);
        ASSERT_TRUE(opened);
        Window->TurnOpened();
        Window->Invalidate(true);
    }
    QImage Screen() {
        QCoreApplication::processEvents();
        return Viewport()->grab().toImage();
    }
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (const TListPanel::Row& row : Panel.GetRows())
            rows.push_back(row.Text);
        return rows;
    }
    TListPanel Panel{"Review", "review"};
    TTextGadget ReviewField{602};
};

TEST_F(ReviewTest, receivedMovesAreArrowsOverTheWindowNeverInTheMap) {
    EXPECT_EQ(Window->GetArrows(),
              (std::vector<TArrow>{
                  {CD5, CD6, Received}, {CC2, CB2, Received, true}, {CH8, CF5, Received}}));
    EXPECT_EQ(ReviewField.GetText(), "");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"Received moves (3)", "(4-3) : 19 Inf   D5 \xbb D6",
                                                "(2)   : 2W   C2 \xbb B2   Rail",
                                                "(8-7) : 24 Pz   H8 \xbb F5", "Combats (0)",
                                                "Own moves (0)"}));
    // On the screen the shaft of D5 to D6 runs straight down x = 117, its head from y = 206.
    const QImage screen = Screen();
    for (const int y : {188, 196, 204, 212})
        EXPECT_EQ(TColor::FromPixel(screen.pixel(117, y)), Received) << y;
    EXPECT_NE(TColor::FromPixel(screen.pixel(117, 172)), Received); // not before D5's centre
    // The map surface and the window's own pixels hold the counters alone.
    ExpectDrawnAsModel({D5, D6, C2, B2, H8, F5});
    ExpectWindowShowsSurface();
}

TEST_F(ReviewTest, noReceivedMovesWithoutAReportThatMatches) {
    struct Case {
        const char* what;
        std::optional<std::string> report;
        std::string said;
    };
    const std::vector<Case> cases = {
        {"no report", std::nullopt, "No movement report"},
        // Line 2 names unit 105, which cannot come before the Soviet units' separator.
        {"a line of no unit", Header + "(8-7) : 24 Pz      H8          F5        \n",
         "The movement report does not match this turn (line 2)"},
        {"another program's line ends", std::string(), ""},
    };
    for (const Case& c : cases) {
        std::string report = c.report.value_or("");
        if (c.report && c.report->empty()) // the good report with CR LF line ends
            for (char ch : Report)
                report += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
        Open(c.report ? std::optional(report) : std::nullopt);
        EXPECT_EQ(ReviewField.GetText(), c.said) << c.what;
        EXPECT_EQ(Panel.GetStatusLine(), c.said) << c.what;
        EXPECT_EQ(Window->GetArrows().size(), c.said.empty() ? 3u : 0u) << c.what;
    }
}

TEST_F(ReviewTest, ownMovesFollowTheCountersAndStayOutOfTheMap) {
    Drag(At(D5), At(J9)); // unit 4
    EXPECT_EQ(Window->GetArrows().back(), (TArrow{CD5, CJ9, Own}));
    EXPECT_EQ(Rows().back(), "(3)   : 3W   D5 \xbb J9");
    EXPECT_EQ(Rows()[5], "Own moves (1)");
    ExpectDrawnAsModel({D5, J9, F5});
    ExpectWindowShowsSurface();
    Window->CmUndoMove();
    EXPECT_EQ(Window->GetArrows().size(), 3u);
    EXPECT_EQ(Rows().back(), "Own moves (0)");
}

TEST_F(ReviewTest, nextAndPreviousStepThroughMovesAndCombatsRepaintingOnlyThem) {
    Player().DeclareCombat(F5, "held");
    Window->CmModeMove();
    ASSERT_EQ(Rows().size(), 7u);
    EXPECT_EQ(Rows()[5].substr(0, 13), "F5   3:1   di");
    EXPECT_EQ(Rows()[5].substr(Rows()[5].size() - 20), "   held   (declared)");

    const auto& stats = Window->GetPaintStats();
    struct Step {
        int command, row;
        TArrow last; // the selection, highlighted and drawn over the rest
    };
    const std::vector<Step> steps = {
        {KVKWindow::NextMoveId, 1, {CD5, CD6, Received, false, true}},
        {KVKWindow::NextMoveId, 2, {CC2, CB2, Received, true, true}},
        {KVKWindow::NextMoveId, 3, {CH8, CF5, Received, false, true}},
        {KVKWindow::NextMoveId, 5, {CF5, CF5, TurnReview::CombatColor, false, true}}, // a ring
        {KVKWindow::PreviousMoveId, 3, {CH8, CF5, Received, false, true}},
    };
    Screen();
    for (const Step& s : steps) {
        QCoreApplication::processEvents();
        const long long before = stats.FramePixels;
        ASSERT_TRUE(Player().Command(s.command)) << s.row;
        EXPECT_EQ(Panel.Selected(), s.row);
        EXPECT_EQ(Window->GetArrows().back(), s.last) << s.row;
        EXPECT_EQ(Window->GetArrows().size(), s.row == 5 ? 4u : 3u) << s.row;
        QCoreApplication::processEvents();
        EXPECT_GT(stats.FramePixels, before) << s.row;
        EXPECT_LT(stats.FramePixels - before, 800 * 600 / 4) << s.row;
        EXPECT_EQ(Player().Enabled(KVKWindow::NextMoveId), s.row != 5); // none after the combat
    }
    // A row chosen in the panel is the selection too; Show Moves off leaves only it drawn.
    Panel.Select(-1);
    QCoreApplication::processEvents();
    ASSERT_TRUE(Player().Command(KVKWindow::ShowMovesId));
    EXPECT_EQ(Window->GetArrows(), (std::vector<TArrow>{{CH8, CF5, Received, false, true}}));
}

TEST_F(ReviewTest, arrowsScaleWithTheZoom) {
    const TArrow down{CD5, CD6, Received};
    const TRect full = Window->ArrowArea(down);
    Window->CmZoom();
    const TRect client = Window->GetClientRect();
    const double sx = double(client.Width()) / Window->Map().MapWidth(),
                 sy = double(client.Height()) / Window->Map().MapHeight();
    const TRect zoomed = Window->ArrowArea(down);
    EXPECT_TRUE(zoomed.Contains({int(117 * sx), int(180 * sy)}));
    EXPECT_TRUE(zoomed.Contains({int(117 * sx), int(220 * sy)}));
    EXPECT_LT(zoomed.Height(), full.Height());
    EXPECT_EQ(TColor::FromPixel(Screen().pixel(int(117 * sx + 0.5), int(200 * sy))), Received);
}

} // namespace
