// The movement report: exact text for a hand-made position, where the separator goes, and
// replacing an older report.
#include "MovementReport.h"
#include "BoardFixture.h"
#include "Hexes.h"

#include <gtest/gtest.h>

namespace {

using Hexes::A1, Hexes::B2, Hexes::D5, Hexes::D6;
constexpr int QQ32 = 1375; // the last hex on the map, column 42

class MovementReportTest : public BoardFixture {};

TEST_F(MovementReportTest, fullReportForAHandMadePosition) {
    Load({
        {3, D6, D5, 0},            // moved
        {4, D5, D5, 0},            // did not move
        {5, D5, D5, 1},            // surrendered, not moved: no note of its own
        {6, B2, A1, 2},            // moved by rail
        {7, A1, A1, 3},            // replacement, not moved: the mark's note wins
        {8, OffBoardHex, QQ32, 0}, // left the map
        {9, QQ32, OffBoardHex, 0}, // came onto the map
        {150, A1, B2, 0},          // an Axis unit
        // every other unit stays off the map and gets no line
    });
    const std::string expected = "Unit               From        To\n"
                                 "(4-3) : 19 Inf     D5          D6        \n"
                                 "(3)   : 3W         D5          D5        - Did not move\n"
                                 "(4-3) : 18 Inf     D5          D5        - Did not move\n"
                                 "(2-7) : 1 Cc       A1          B2        - Rail\n"
                                 "(2)   : 2W         A1          A1        - Repl\n"
                                 "(4-3) : 27 Inf     QQ32        Off board \n"
                                 "(3-5) : 10 Ac      Off board   QQ32      \n"
                                 "\n~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n\n"
                                 "(3-4) : 54 Inf     B2          A1        \n";
    EXPECT_EQ(MovementReport::Text(Board->Records()), expected);

    const std::string unitFile = Pictures.Folder().Path("turn05.kvk");
    Board->WriteMovementReport(unitFile);
    EXPECT_EQ(Pictures.Folder().Read("turn05.txt"), expected);
}

TEST_F(MovementReportTest, separatorStandsOnceEvenWithoutSovietLines) {
    Load({{200, A1, A1, 0}});
    EXPECT_EQ(MovementReport::Text(Board->Records()),
              std::string("Unit               From        To\n") + MovementReport::Separator +
                  "Stuka              A1          A1        - Did not move\n");
    Load({});
    EXPECT_EQ(MovementReport::Text(Board->Records()),
              std::string(MovementReport::Header) + MovementReport::Separator);
}

TEST_F(MovementReportTest, reportReplacesAnOlderOneAndHandlesOddNames) {
    const TestDir& dir = Pictures.Folder();
    dir.Write("game.txt", std::string(5000, 'x'));
    Load({{0, A1, A1, 0}});
    Board->WriteMovementReport(dir.Path("game.kvk"));
    EXPECT_EQ(dir.Read("game.txt"), MovementReport::Text(Board->Records()));

    // The last ".kvk" is cut; a name without one gets ".txt" appended to all of it.
    Board->WriteMovementReport(dir.Path("a.kvk.b.kvk"));
    EXPECT_TRUE(dir.Exists("a.kvk.b.txt"));
    Board->WriteMovementReport(dir.Path("plain"));
    EXPECT_TRUE(dir.Exists("plain.txt"));
    // A report that cannot be created is skipped without a word.
    Board->WriteMovementReport(dir.Path("no/such/folder/x.kvk"));
}

} // namespace
