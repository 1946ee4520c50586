// The moves of a received turn read back from its movement report: lines matched to units in
// unit order by label and present hex, and every way a report can disagree with its turn.
#include "ReceivedMoves.h"
#include "Hexes.h"
#include "TurnRecords.h"

#include <gtest/gtest.h>

namespace {

using namespace Hexes;

// Lines as a save writes them: label to 19 columns, From to 12, To to 10, then the note.
const std::string Header = "Unit               From        To";
const std::string Inf19 = "(4-3) : 19 Inf     D5          D6        ";
const std::string W3 = "(3)   : 3W         D5          D5        - Did not move";
const std::string W2Rail = "(2)   : 2W         C2          B2        - Rail";
const std::string W2Still = "(2)   : 2W         C2          C2        - Did not move";
const std::string Pz24 = "(8-7) : 24 Pz      H8          F5        ";
const std::string Pz39Off = "(8-7) : 39 Pz      J9          Off board ";
const std::string Tildes(33, '~');

std::string Text(const std::vector<std::string>& lines, const char* end = "\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

TEST(ReceivedMoves, matchingTheReportToTheUnits) {
    // Units 7 and 15 share their label; 3, 7 and 105 moved, 7 by rail.
    const TurnRecords::Records units = TurnRecords::OffMapExcept(
        {{3, D6, D6}, {4, D5, D5}, {7, B2, B2, 2}, {15, C2, C2}, {105, F5, F5}});
    TurnRecords::Records offMap = units;
    offMap[106] = CounterRecord(OffBoard, OffBoard, 0);
    TurnRecords::Records partWay = units;
    partWay[3] = CounterRecord(D6, D5, 0); // the player's own turn, saved part way

    struct Move {
        int Unit, From, To;
        std::string Note;
    };
    struct Case {
        const char* what;
        std::string report;
        const TurnRecords::Records* turn;
        int faultLine; // 0: the report agrees
        std::vector<Move> moves;
    };
    const std::vector<std::string> good = {Header, Inf19,  W3, W2Rail, W2Still,
                                           "",     Tildes, "", Pz24};
    const std::vector<Move> moved = {{3, D5, D6, ""}, {7, C2, B2, "Rail"}, {105, H8, F5, ""}};
    const std::vector<Move> offTheMap = {
        {3, D5, D6, ""}, {7, C2, B2, "Rail"}, {105, H8, F5, ""}, {106, J9, OffBoard, ""}};
    const std::vector<Move> othersMoves = {{7, C2, B2, "Rail"}, {105, H8, F5, ""}}, none;
    const std::string W2StillRail = "(2)   : 2W         C2          C2        - Rail";
    const std::vector<Case> cases = {
        {"the report as written", Text(good), &units, 0, moved},
        {"CR LF line ends", Text(good, "\r\n"), &units, 0, moved},
        {"a unit moved off the map", Text(good) + Pz39Off + "\n", &offMap, 0, offTheMap},
        {"a Rail mark without a move",
         Text({Header, Inf19, W3, W2Rail, W2StillRail, "", Tildes, "", Pz24}), &units, 0, moved},
        {"a unit's own move of a turn saved part way", Text(good), &partWay, 0, othersMoves},
        {"lines of a shared label out of order",
         Text({Header, Inf19, W3, W2Still, W2Rail, "", Tildes, "", Pz24}), &units, 4, none},
        {"a unit listed twice", Text({Header, Inf19, Inf19, W3}), &units, 3, none},
        {"a unit on the map without a line",
         Text({Header, Inf19, W2Rail, W2Still, "", Tildes, "", Pz24}), &units, 3, none},
        {"a line from another turn",
         Text({Header, "(4-3) : 19 Inf     D5          D7        ", W3}), &units, 2, none},
        {"the separator missing", Text({Header, Inf19, W3, W2Rail, W2Still, Pz24}), &units, 6,
         none},
        {"the separator too early",
         Text({Header, Inf19, W3, "", Tildes, "", W2Rail, W2Still, Pz24}), &units, 4, none},
        {"the separator twice", Text(good) + Text({"", Tildes, ""}), &units, 10, none},
        {"no header", Text({Inf19, W3}), &units, 1, none},
    };
    for (const Case& c : cases) {
        const ReceivedMoves matched = ReceivedMoves::Match(c.report, *c.turn);
        EXPECT_EQ(matched.FaultLine, c.faultLine) << c.what << ": " << matched.Reason;
        ASSERT_EQ(matched.Moves.size(), c.moves.size()) << c.what;
        for (std::size_t i = 0; i < c.moves.size(); ++i) {
            const ReceivedMoves::Move& m = matched.Moves[i];
            EXPECT_EQ(m.Unit, c.moves[i].Unit) << c.what;
            EXPECT_EQ(m.From, c.moves[i].From) << c.what;
            EXPECT_EQ(m.To, c.moves[i].To) << c.what;
            EXPECT_EQ(m.Note, c.moves[i].Note) << c.what;
        }
        if (c.faultLine == 0) {
            EXPECT_EQ(matched.HeaderLine, Header) << c.what;
        }
    }
}

} // namespace
