// Opening and saving turns on a board with the real combat list: captions and companion
// names, every refusal of an open leaving the loaded turn alone, the end-of-turn sequence with
// each answer, combats of a save part way through reaching the opponent, and saves that fail
// replacing no file.
#include "TurnFile.h"
#include "BoardProbe.h"
#include "CaECombats.h"
#include "CombatFile.h"
#include "CombatScript.h"
#include "DialogConstants.h"
#include "FakeCombatList.h"
#include "Hexes.h"
#include "HookedTest.h"
#include "ModalHooks.h"
#include "TMemoryDC.h"
#include "TestFiles.h"
#include "TextChecks.h"
#include "TurnRecords.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Hexes;
using TurnRecords::Bytes;

// What a player could see of the board: where every unit stands, the map surface with its
// counters and markers, and the combats.
struct BoardState {
    bool Loaded = false;
    UnitFile::Records Records;
    std::vector<std::uint32_t> Surface;
    std::string CombatBytes;
    std::size_t Declared = 0, Received = 0;
    bool operator==(const BoardState&) const = default;
};

class TurnFileTest : public HookedTest {
protected:
    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Dir.Write("map.bmp", BmpBytes::Rgb24(400, 300, BoardProbe::PatternPixels(400, 300)));
        Board = std::make_unique<KVKMap>(nullptr, &TModule::Application(),
                                         Dir.Path("map.bmp").c_str(), &CaECombats::Make);
        Turn = std::make_unique<TurnFile>(*Board);
    }
    void Open(const std::string& name) {
        Board->FileData.FileName = Dir.Path(name);
        bool opened = false;
        Turn->OpenTurn(false, opened);
        ASSERT_TRUE(opened) << name;
    }
    static TPoint InHex(int hex) { return MapBoard::HexOrigin(hex) + TPoint(12, 20); }
    // Declaring and saving answer their dialogs through the hooks in force.
    void Declare(int hex, const std::string& comment) {
        CombatScript::Resolve(comment);
        Board->DeclareCombat(Screen, {0, 0}, InHex(hex));
    }
    /** Saves with the answer to the end-of-turn question, as name; returns the caption. */
    std::string Save(int answer, const std::string& name, bool* completed = nullptr) {
        ModalHooks::Active()->AnswerMessageBox(answer);
        ModalHooks::Active()->AnswerFileDialog(Dir.Path(name));
        bool done = false;
        std::string caption = Turn->SaveTurn(done);
        if (completed)
            *completed = done;
        return caption;
    }
    CaECombats& Combats() { return static_cast<CaECombats&>(Board->Combats()); }
    BoardState State() {
        const TBitmap& s = *Board->MapSurface().GetBitmap();
        return {Board->TurnLoaded,
                Board->Records(),
                std::vector<std::uint32_t>(s.Bits(), s.Bits() + s.Width() * s.Height()),
                Combats().FileBytes(),
                Combats().Declared().size(),
                Combats().Received().size()};
    }
    std::vector<int> UnitsIn(int hex) { return BoardProbe::UnitsIn(*Board, hex); }

    TestDir Dir;
    std::unique_ptr<KVKMap> Board;
    std::unique_ptr<TurnFile> Turn;
    TBitmap ScreenBits{400, 300};
    TMemoryDC Screen{ScreenBits};
};

TEST(TurnFileNames, captionsAndCompanionNames) {
    struct Case {
        std::string unitFile, caption, combatFile;
    };
    const std::vector<Case> cases = {
        {"/home/p/turn05.kvk", "Kurvask  :  turn05", "/home/p/turn05.cbt"},
        {"D:\\turn.kvk", "Kurvask  :  turn", "D:\\turn.cbt"},
        {"C:\\games/east.kvk", "Kurvask  :  east", "C:\\games/east.cbt"},
        {"turn.kvk", "Kurvask", "turn.cbt"},
        {"/p/a.kvk.kvk", "Kurvask  :  a.kvk", "/p/a.kvk.cbt"},
        {"/p/a.kvk.b", "Kurvask  :  a", "/p/a.cbt"},
        {"/p/plain", "Kurvask  :  plain", "/p/plain.cbt"},
        {"/games.kvk/plain", "Kurvask  :  plain", "/games.kvk/plain.cbt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TurnFile::Caption(c.unitFile), c.caption) << c.unitFile;
        EXPECT_EQ(TurnFile::CombatFileName(c.unitFile), c.combatFile) << c.unitFile;
        EXPECT_EQ(TurnFile::ReportFileName(c.unitFile),
                  c.combatFile.substr(0, c.combatFile.size() - 4) + ".txt");
    }
}

// Opening reads the units, stacked by unit index, and the combats; an open that is refused or
// cancelled keeps that turn on the board, and its name as the next save's target.
TEST_F(TurnFileTest, openingReadsATurnThatEveryRefusedOpenKeeps) {
    // A folder name with a backslash in it: the caption takes what follows the last one.
    Dir.Write("x\\turn.kvk", Bytes({{17, D5, D5, 0}, {5, D5, D6, 2}, {3, B2, B2, 1}}));
    Dir.Write("x\\turn.cbt",
              CombatFile::Serialize({{{"3:1", "4", "opponent", B2}, {60, 46}, 8515}}));
    Hooks.AnswerFileDialog(Dir.Path("x\\turn.kvk"));
    EXPECT_EQ(Turn->OpenTurn(true), "Kurvask  :  turn");
    ASSERT_EQ(Hooks.FileDialogs().size(), 1u);
    EXPECT_FALSE(Hooks.FileDialogs()[0].Save);
    EXPECT_EQ(Hooks.FileDialogs()[0].Filter, "KVK Unit Files (*.kvk)");
    EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17})) << "the highest unit index on top";
    EXPECT_EQ(Board->GetCounter(5)->Mark, 2);
    EXPECT_EQ(Board->GetCounter(3)->Label, "(4-3) : 19 Inf");
    EXPECT_EQ(Combats().Declared().size(), 0u);
    ASSERT_EQ(Combats().Received().size(), 1u);
    EXPECT_EQ(Combats().Received().front()->Data.Comments, "opponent");

    Declare(C2, "kept");
    const BoardState before = State();

    // Damaged files of every kind are refused by the codec's own tests; one is enough here.
    const std::string cut = Bytes({}).substr(0, 1759);
    Dir.Write("cut.kvk", cut);
    Dir.Write("empty.kvk", "");
    Dir.Write("zug_\xc3\xa4.kvk", cut); // a name in UTF-8, as the system gives it
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Dir.Path("folder.kvk"))));
    ASSERT_EQ(::mkfifo(Dir.Path("pipe.kvk").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", Dir.Path("zero.kvk").c_str()), 0); // endless, if read
    struct Case {
        const char* file; // null: the dialog is cancelled
        const char* caption;
        const char* text;
    };
    const std::vector<Case> cases = {
        {nullptr, nullptr, nullptr},
        {"missing.kvk", "Try Again", "Failed to open a '.kvk' file."},
        {"cut.kvk", "Kurvask", "holds 1759 bytes"},
        {"empty.kvk", "Kurvask", "holds 0 bytes"},
        {"folder.kvk", "Kurvask", "it is a folder"},
        {"pipe.kvk", "Kurvask", "it is a pipe"}, // refused at once, never waited on
        {"zero.kvk", "Kurvask", "it is a device"},
        {"zug_\xc3\xa4.kvk", "Kurvask", "holds 1759 bytes"},
    };
    for (const Case& c : cases) {
        CheckedHooks hooks;
        if (c.file) {
            hooks.AnswerFileDialog(Dir.Path(c.file));
            hooks.AnswerMessageBox(IDOK);
        } else {
            hooks.CancelFileDialog();
        }
        bool opened = true;
        EXPECT_EQ(Turn->OpenTurn(true, opened), "Kurvask");
        EXPECT_FALSE(opened);
        EXPECT_TRUE(State() == before) << (c.file ? c.file : "cancelled");
        EXPECT_EQ(Board->FileData.FileName, Dir.Path("x\\turn.kvk")) << "the next save's target";
        if (!c.file)
            continue; // and no message: the hooks have no answer for one
        ASSERT_EQ(hooks.MessageBoxes().size(), 1u) << c.file;
        EXPECT_EQ(hooks.MessageBoxes()[0].Caption, c.caption) << c.file;
        EXPECT_FALSE(hooks.MessageBoxes()[0].WaitCursor) << c.file;
        EXPECT_TRUE(Holds(hooks.MessageBoxes()[0].Text, c.text));
        if (std::string(c.caption) == "Kurvask") {
            EXPECT_TRUE(Holds(hooks.MessageBoxes()[0].Text, Dir.Path(c.file)));
        }
    }
}

// With no turn on the board (none opened yet, or a load refused) a save is refused and writes
// nothing.
TEST_F(TurnFileTest, loadTurnReadsOnlyOntoAnEmptyBoardAndASaveNeedsATurn) {
    Dir.Write("turn.kvk", Bytes({{3, D6, D5, 0}}));
    Dir.Write("bad.kvk", "not a turn");
    Board->FileData.FileName = Dir.Path("bad.kvk");
    EXPECT_FALSE(Turn->LoadTurn());
    EXPECT_FALSE(Board->TurnLoaded);
    Hooks.AnswerMessageBox(IDOK);
    bool completed = true;
    EXPECT_EQ(Turn->SaveTurn(completed), "Brisvane");
    EXPECT_FALSE(completed);
    ASSERT_EQ(Hooks.MessageBoxes().size(), 1u);
    EXPECT_TRUE(Holds(Hooks.MessageBoxes()[0].Text, "no turn to save"));
    EXPECT_EQ(QDir(QString::fromStdString(Dir.Path("."))).entryList(QDir::Files).size(), 3);
    Board->FileData.FileName = Dir.Path("turn.kvk");
    EXPECT_TRUE(Turn->LoadTurn());
    EXPECT_EQ(Board->Records()[3], CounterRecord(D6, D5, 0));
    // With a turn loaded nothing is read.
    Board->FileData.FileName = Dir.Path("bad.kvk");
    EXPECT_TRUE(Turn->LoadTurn());
    EXPECT_EQ(Board->Records()[3], CounterRecord(D6, D5, 0));
}

TEST_F(TurnFileTest, endOfTurnAndIntermediateSaves) {
    Dir.Write("turn.kvk", Bytes({{3, D6, D5, 0}, {5, D5, D5, 0}, {17, D5, D5, 0}}));
    for (const int answer : {IDYES, IDNO}) {
        const bool goesOn = answer == IDNO;
        CheckedHooks hooks;
        Open("turn.kvk");
        Board->RotateStack(InHex(D5), {0, 0}, Screen);
        ASSERT_EQ(UnitsIn(D5), (std::vector<int>{17, 5})) << "5 on top before the save";
        bool completed = false;
        EXPECT_EQ(Save(answer, "saved.kvk", &completed), "Kurvask  :  saved");
        EXPECT_TRUE(completed);
        EXPECT_EQ(Dir.Read("saved.kvk").size(), 1760u);
        EXPECT_EQ(Dir.Read("saved.cbt"), std::string(4, '\0'));
        // The report shows the turn as played, whatever the answer.
        EXPECT_TRUE(Holds(Dir.Read("saved.txt"), "(4-3) : 19 Inf     D5          D6        \n"));
        // The board is the file's: 17 on top again, and unit 3 moved only if the turn goes on.
        EXPECT_EQ(UnitsIn(D5), (std::vector<int>{5, 17}));
        EXPECT_EQ(Board->Records()[3], CounterRecord(D6, goesOn ? D5 : D6, 0));
        // A turn that goes on can still send the moved unit back where it began.
        EXPECT_EQ(Board->ReturnToStart(InHex(D6), {0, 0}, Screen),
                  MapBoard::HexOrigin(goesOn ? D5 : D6));
        EXPECT_EQ(Board->FileData.FileName, Dir.Path("saved.kvk"));
        ASSERT_EQ(hooks.FileDialogs().size(), 1u);
        EXPECT_TRUE(hooks.FileDialogs()[0].Save);
        EXPECT_EQ(hooks.FileDialogs()[0].InitialName, Dir.Path("turn.kvk"));
        ASSERT_EQ(hooks.MessageBoxes().size(), 1u);
        EXPECT_EQ(hooks.MessageBoxes()[0].Text, "Is this the End of the Turn?");
        EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "End Of Turn");
        EXPECT_EQ(hooks.MessageBoxes()[0].Flags, 0x23u);
    }
}

// Combats declared before a save part way through the turn still reach the opponent with the
// end-of-turn save, after those declared since, with the bytes they were first written with.
// The player's own combats reach the opponent whatever the saves: each save passes on the
// combats read back with a turn the player saved, in this run or an earlier one, and never
// the combats of a turn received from the opponent.
TEST_F(TurnFileTest, combatsAcrossSaves) {
    // The count of a combat file is its first word, little-endian.
    const auto count = [this](const std::string& name) {
        const std::string b = Dir.Read(name);
        return b.size() < 4 ? -1 : int(std::uint8_t(b[0]) | std::uint8_t(b[1]) << 8);
    };
    const auto restart = [this] { // the program closed and started again
        Turn.reset();
        Board.reset();
        SetUp();
    };
    // After a restart, a turn opened, a combat declared (none without a comment) and a save.
    const auto play = [&](const std::string& from, int hex, const std::string& comment, int answer,
                          const std::string& to) {
        restart();
        Open(from);
        if (!comment.empty())
            Declare(hex, comment);
        Save(answer, to);
    };
    // The opponent's turn as it arrives by mail: saved at the end of their turn, without the
    // note their program kept beside it.
    Dir.Write("base.kvk", Bytes({{3, D5, D5, 0}}));
    play("base.kvk", B2, "theirs", IDYES, "opp.kvk");
    ASSERT_EQ(count("opp.cbt"), 1);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Dir.Path(".opp.kvk.own"))));

    // Yes, then Yes again to the same name: the second save still holds the player's combat.
    play("opp.kvk", C2, "mine", IDYES, "turn06.kvk");
    EXPECT_EQ(count("turn06.cbt"), 1);
    EXPECT_FALSE(Holds(Dir.Read("turn06.cbt"), "theirs"))
        << "the opponent's combat went back to them";
    Save(IDYES, "turn06.kvk");
    EXPECT_EQ(count("turn06.cbt"), 1);
    EXPECT_TRUE(Holds(Dir.Read("turn06.cbt"), "mine"));
    // ... and so does a save in a later run.
    play("turn06.kvk", 0, "", IDYES, "turn06.kvk");
    EXPECT_EQ(count("turn06.cbt"), 1);
    EXPECT_TRUE(Holds(Dir.Read("turn06.cbt"), "mine"));

    // No, close, reopen, more combats, Yes: no counter moved, so only the note tells.
    play("opp.kvk", C2, "first", IDNO, "turn07.kvk");
    play("turn07.kvk", D6, "second", IDYES, "turn07.kvk");
    EXPECT_EQ(count("turn07.cbt"), 2);
    EXPECT_TRUE(Holds(Dir.Read("turn07.cbt"), "first") && Holds(Dir.Read("turn07.cbt"), "second"));
    EXPECT_FALSE(Holds(Dir.Read("turn07.cbt"), "theirs"));

    // Without the note a turn saved part way through is known by its moved counters.
    restart();
    Open("opp.kvk");
    Board->MoveTopCounter(InHex(D5), InHex(D6), {0, 0}, Screen);
    Declare(C2, "moved");
    Save(IDNO, "turn08.kvk");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Dir.Path(".turn08.kvk.own"))));
    play("turn08.kvk", 0, "", IDYES, "turn08.kvk");
    EXPECT_EQ(count("turn08.cbt"), 1);
    EXPECT_TRUE(Holds(Dir.Read("turn08.cbt"), "moved"));

    // A note that no longer matches its files (the opponent's turn saved over the name)
    // vouches for nothing.
    Dir.Write("turn06.kvk", Dir.Read("opp.kvk"));
    Dir.Write("turn06.cbt", Dir.Read("opp.cbt"));
    play("turn06.kvk", 0, "", IDYES, "turn09.kvk");
    EXPECT_EQ(count("turn09.cbt"), 0);
}

// All files written, a save that cannot read the turn back says so, and counts as done.
TEST_F(TurnFileTest, aFailedReadBackAfterACompletedSaveSaysTheFilesWereWritten) {
    struct Failing : FakeCombatList {
        void ReadFile(const std::string&) override { throw std::runtime_error("out of memory"); }
    };
    int lists = 0; // the board's own, then one each time a loaded turn is cleared away
    Board = std::make_unique<KVKMap>(
        nullptr, &TModule::Application(), Dir.Path("map.bmp").c_str(),
        [&lists](TWindow*, HINSTANCE, TDC*) -> std::unique_ptr<CombatList> {
            if (++lists == 2)
                return std::make_unique<Failing>();
            return std::make_unique<FakeCombatList>();
        });
    Turn = std::make_unique<TurnFile>(*Board);
    Dir.Write("turn.kvk", Bytes({{3, D6, D5, 0}}));
    Open("turn.kvk");
    Hooks.AnswerMessageBox(IDYES);
    Hooks.AnswerFileDialog(Dir.Path("saved.kvk"));
    Hooks.AnswerMessageBox(IDOK);
    bool completed = false;
    EXPECT_EQ(Turn->SaveTurn(completed), "Kurvask  :  saved");
    EXPECT_TRUE(completed);
    EXPECT_EQ(Dir.Read("saved.kvk").size(), 1760u);
    ASSERT_EQ(Hooks.MessageBoxes().size(), 2u);
    const std::string& told = Hooks.MessageBoxes()[1].Text;
    EXPECT_TRUE(Holds(told, "The turn was saved"));
    EXPECT_TRUE(Holds(told, "out of memory"));
    EXPECT_EQ(told.find("could not be saved"), std::string::npos) << told;
}

// A save cancelled at the end-of-turn question or in the file dialog writes nothing; a save
// whose files cannot go where they are asked replaces none of them and says which and why.
// Either way the board stays as it was. (Failures at each step of writing are tested through
// the map window, and a missing folder or a folder in a file's way through the file writer:
// here the second file of the set fails after the first was prepared.)
TEST_F(TurnFileTest, aCancelledOrFailedSaveReplacesNoFile) {
    Dir.Write("turn.kvk", Bytes({{3, D6, D5, 0}}));
    Open("turn.kvk");
    Declare(B2, "unsaved");
    const BoardState before = State();
    Dir.Write("turn.txt", "old report");
    Dir.Write("turn.cbt", "old combats");
    const std::string oldUnits = Dir.Read("turn.kvk");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Dir.Path("dir.kvk"))));

    struct Case {
        const char* what;
        int answer;             // to the end-of-turn question
        std::string name;       // the name chosen in the save dialog; empty: cancelled
        std::string failedFile; // the file the message must name; empty: no message
    };
    const std::vector<Case> cases = {
        {"question cancelled", IDCANCEL, "", ""},
        {"dialog cancelled", IDYES, "", ""},
        {"unit file is a folder", IDNO, "dir.kvk", "dir.kvk"},
    };
    for (const Case& c : cases) {
        CheckedHooks hooks;
        hooks.AnswerMessageBox(c.answer);
        if (!c.name.empty())
            hooks.AnswerFileDialog(Dir.Path(c.name));
        else if (c.answer != IDCANCEL)
            hooks.CancelFileDialog();
        if (!c.failedFile.empty())
            hooks.AnswerMessageBox(IDOK);
        bool completed = true;
        EXPECT_EQ(Turn->SaveTurn(completed), "Brisvane") << c.what;
        EXPECT_FALSE(completed) << c.what;
        ASSERT_EQ(hooks.MessageBoxes().size(), c.failedFile.empty() ? 1u : 2u) << c.what;
        if (!c.failedFile.empty()) {
            const auto& told = hooks.MessageBoxes()[1];
            EXPECT_EQ(told.Caption, "Kurvask");
            EXPECT_TRUE(Holds(told.Text, Dir.Path(c.failedFile)));
            EXPECT_TRUE(Holds(told.Text, "could not be"));
        }
        EXPECT_TRUE(State() == before) << c.what;
        EXPECT_EQ(Dir.Read("turn.kvk"), oldUnits) << c.what;
        EXPECT_EQ(Dir.Read("turn.txt"), "old report") << c.what;
        EXPECT_EQ(Dir.Read("turn.cbt"), "old combats") << c.what;
        Board->FileData.FileName = Dir.Path("turn.kvk");
    }
    // No temporary file is left behind.
    for (const QString& name :
         QDir(QString::fromStdString(Dir.Path("."))).entryList(QDir::Files | QDir::Hidden))
        EXPECT_FALSE(name.startsWith('.')) << name.toStdString();
}

} // namespace
