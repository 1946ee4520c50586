// kvkturn: each command on the sample turn, on a turn with a combat, and on damaged files,
// with its exit status.
#include "TurnCommand.h"
#include "CombatFile.h"
#include "Hexes.h"
#include "TestFiles.h"
#include "TextChecks.h"
#include "TurnFormats.h"
#include "TurnRecords.h"
#include "UnitFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include <sys/stat.h>

namespace {

const std::string Sample = KURVASK_DATA_DIR "/sample/opening.kvk";

// A movement report's first line, and what ends its moves.
const std::string ReportHeader = "Unit               From        To\n";
const std::string ReportEnd = "\n" + std::string(33, '~') + "\n\n";

struct Outcome {
    int Status;
    std::string Out, Err;
};

Outcome Kvkturn(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = TurnCommand::Run(args, out, err);
    return {status, out.str(), err.str()};
}

class TurnCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        // (4-3) : 19 Inf moved D5 to D6 by rail; (3-4) : 54 Inf surrendered on B2.
        Records = TurnRecords::OffMapExcept(
            {{3, Hexes::D6, Hexes::D5, 2}, {150, Hexes::B2, Hexes::B2, 1}});
        Dir.Write("turn.kvk", UnitFile::Serialize(Records));
        // A Windows-1252 comment.
        Dir.Write("turn.cbt",
                  CombatFile::Serialize({{{"3:1", "4", "re\xE7u \"DE\"", 33}, {60, 46}, 8515}}));
    }
    TestDir Dir;
    UnitFile::Records Records;
};

TEST_F(TurnCommandTest, showListsUnitsOnTheMapAndCombatsAsTextAndJson) {
    const Outcome text = Kvkturn({"show", Dir.Path("turn.kvk")});
    EXPECT_EQ(text.Status, 0) << text.Err;
    EXPECT_TRUE(Holds(text.Out, "2 of 220 units on the map"));
    EXPECT_TRUE(Holds(text.Out, "  (4-3) : 19 Inf      D5          D6          rail\n"));
    EXPECT_TRUE(Holds(text.Out, "  (3-4) : 54 Inf      B2          B2          surrendered\n"));
    EXPECT_TRUE(Holds(text.Out, "1 combat in " + Dir.Path("turn.cbt")));
    EXPECT_TRUE(Holds(text.Out, "  Hex B2         odds 3:1   die 4  reçu \"DE\"\n"));

    const Outcome json = Kvkturn({"show", "--json", Dir.Path("turn.kvk")});
    EXPECT_EQ(json.Status, 0);
    EXPECT_TRUE(Holds(json.Out,
                      "{\"unit\": 3, \"label\": \"(4-3) : 19 Inf\", \"side\": \"Soviet\", "
                      "\"start\": {\"index\": 100, \"label\": \"D5\"}, \"current\": "
                      "{\"index\": 101, \"label\": \"D6\"}, \"mark\": \"rail\"}"));
    EXPECT_TRUE(Holds(json.Out,
                      "\"comment\": \"reçu \\\"DE\\\"\", \"marker\": {\"x\": 60, \"y\": 46, "
                      "\"picture\": 8515}"));
    // File names are the system's (UTF-8), not the game's code page, in the text and the JSON.
    Dir.Write("zug_\xc3\xa4.kvk", Dir.Read("turn.kvk"));
    const std::string name = Dir.Path("zug_\xc3\xa4.kvk");
    EXPECT_TRUE(Holds(Kvkturn({"show", name}).Out, "Turn " + name + "\n"));
    EXPECT_TRUE(Holds(Kvkturn({"show", "--json", name}).Out, "\"unitFile\": \"" + name + "\""));
}

// The moves of a received turn, from its report: text as the report writes them, and JSON.
// (A report that is missing or does not match is in the table of exit statuses.)
TEST_F(TurnCommandTest, movesComeFromTheReportMatchedToTheUnits) {
    Dir.Write("moved.kvk", TurnRecords::Bytes({{3, Hexes::D6, Hexes::D6}}));
    const std::string line = "(4-3) : 19 Inf     D5          D6        ";
    Dir.Write("moved.txt", ReportHeader + line + "\r\n" + ReportEnd);

    const Outcome text = Kvkturn({"moves", Dir.Path("moved.kvk")});
    EXPECT_EQ(text.Status, 0) << text.Err;
    EXPECT_EQ(text.Out, ReportHeader + line + "\n");
    const Outcome json = Kvkturn({"moves", "--json", Dir.Path("moved.kvk")});
    EXPECT_EQ(json.Out, "[\n  {\"unit\": 3, \"label\": \"(4-3) : 19 Inf\", \"from\": \"D5\", "
                        "\"to\": \"D6\", \"note\": \"\"}\n]\n");
    const Outcome checked = Kvkturn({"check", Dir.Path("moved.kvk")});
    EXPECT_EQ(checked.Status, 0) << checked.Err;
    EXPECT_TRUE(Holds(checked.Out, "moved.txt: the movement report matches, 1 move"));
}

TEST_F(TurnCommandTest, reportIsTheTextASaveWrites) {
    const Outcome report = Kvkturn({"report", Dir.Path("turn.kvk")});
    EXPECT_EQ(report.Status, 0);
    EXPECT_EQ(report.Out, TurnFormats::Report(Records));
    const Outcome sample = Kvkturn({"report", Sample});
    EXPECT_EQ(sample.Out, TestDir::ReadFile(KURVASK_DATA_DIR "/sample/opening.txt"));
}

TEST_F(TurnCommandTest, checkAndTheExitStatuses) {
    Dir.Write("hex.kvk", TurnRecords::Bytes({{7, 1920, 0}})); // unit 7 off the grid
    Dir.Write("short.kvk", Dir.Read("turn.kvk").substr(0, 100));
    for (const char* name : {"cbt.kvk", "bare.kvk", "pipe.kvk"})
        Dir.Write(name, Dir.Read("turn.kvk"));
    Dir.Write("cbt.cbt", std::string("\x05\0\0\0", 4));
    ASSERT_EQ(::mkfifo(Dir.Path("pipe.cbt").c_str(), 0600), 0); // read, it would wait forever
    // Unit 3 moved to D6 by its unit file, to D7 by its report.
    Dir.Write("other.kvk", TurnRecords::Bytes({{3, Hexes::D6, Hexes::D6}}));
    Dir.Write("other.txt",
              ReportHeader + "(4-3) : 19 Inf     D5          D7        \n" + ReportEnd);
    const std::string mismatch = "other.txt: the movement report does not match this turn (line 2)";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string inOut, inErr;
    };
    const std::vector<Case> cases = {
        {{"check", Dir.Path("turn.kvk")}, 0, "sound combat file, 1 combat", ""},
        {{"check", Dir.Path("bare.kvk")}, 0, "none (a turn without combats)", ""},
        {{"check", Sample}, 0, "sound unit file", ""},
        {{"check", Dir.Path("hex.kvk")}, 1, "", "hex.kvk: damaged unit file: unit 7"},
        {{"show", Dir.Path("short.kvk")}, 1, "", "holds 100 bytes"},
        {{"check", Dir.Path("cbt.kvk")}, 1, "", "cbt.cbt: damaged combat file"},
        {{"show", Dir.Path("cbt.kvk")}, 1, "", "cbt.cbt: damaged combat file"},
        {{"report", Dir.Path("cbt.kvk")}, 0, "Unit               From", ""},
        {{"moves", Dir.Path("other.kvk")}, 1, "", mismatch},
        {{"check", Dir.Path("other.kvk")}, 1, "", mismatch},
        {{"moves", Dir.Path("bare.kvk")}, 1, "", "bare.txt: no movement report"},
        {{"check", Dir.Path("none.kvk")}, 1, "", "none.kvk: no such file"},
        {{"check", Dir.Path(".")}, 1, "", "cannot be read"},
        {{"check", "/dev/zero"}, 1, "", "/dev/zero: cannot be read: it is a device, not a file"},
        {{"check", Dir.Path("pipe.kvk")}, 1, "", "pipe.cbt: cannot be read: it is a pipe"},
        {{}, 2, "", "usage: kvkturn"},
        {{"show"}, 2, "", "usage"},
        {{"move", Dir.Path("turn.kvk")}, 2, "", "usage"},
        {{"report", "--json", Dir.Path("turn.kvk")}, 2, "", "usage"},
        {{"check", "a.kvk", "b.kvk"}, 2, "", "usage"},
        {{"--help"}, 0, "usage: kvkturn", ""},
    };
    for (const Case& c : cases) {
        const Outcome o = Kvkturn(c.args);
        const std::string what = c.args.empty() ? "(nothing)" : c.args[0];
        EXPECT_EQ(o.Status, c.status) << what << ": " << o.Err;
        EXPECT_TRUE(Holds(o.Out, c.inOut)) << what;
        EXPECT_TRUE(Holds(o.Err, c.inErr)) << what;
        if (c.status != 0) {
            EXPECT_EQ(o.Out.find("Unit "), std::string::npos) << "nothing shown for a refused file";
        }
    }
}

} // namespace
