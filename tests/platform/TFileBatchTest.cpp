// What a batch leaves in the folder besides its files: a save that was cut off leaves its
// temporaries, and the next save of the same file removes them, and nothing else; a batch cut
// off between its renames is completed, or undone, from its journal.
#include "TFileBatch.h"
#include "TFileWriter.h"
#include "TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// The id of a process that has ended and been waited for, so that no process has it now.
pid_t EndedProcess() {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

TEST(TFileBatch, aSaveRemovesOnlyTheTemporariesThatEndedProcessesLeftOfItsFile) {
    TestDir dir;
    const std::string gone = std::to_string(EndedProcess());
    const std::string self = std::to_string(::getpid());
    struct Case {
        std::string name;
        bool removed;
    };
    const std::vector<Case> cases = {
        {".turn.kvk.saving-" + gone + ".Ab3xYz", true},
        {".turn.kvk.saving-" + gone + ".000000", true},
        {".turn.kvk.saving-" + gone + ".Ab3xYz.old", true}, // an old file's second name
        // This process may have another batch writing the file; process 1 always runs.
        {".turn.kvk.saving-" + self + ".Ab3xYz", false},
        {".turn.kvk.saving-1.Ab3xYz", false},
        // Another file's temporary, and names that only look alike.
        {".turn.cbt.saving-" + gone + ".Ab3xYz", false},
        {".turn.kvk.saving-" + gone + ".Ab3xY", false},
        {".turn.kvk.saving-" + gone + ".Ab3xYz.kvk", false},
        {".turn.kvk.saving-" + gone + ".Ab-xYz", false},
        {".turn.kvk.saving-" + gone + "x.Ab3xYz", false},
        {".turn.kvk.saving-.Ab3xYz", false},
        {".turn.kvk.saving-99999999999999999999.Ab3xYz", false},
        {".turn.kvk.Ab3xYz", false},
        {"turn.kvk.saving-" + gone + ".Ab3xYz", false},
        {"..turn.kvk.saving-" + gone + ".Ab3xYz", false},
        // Removed by a save of a file named without a folder, which is written in the working
        // folder and looks for leftovers there.
        {".plain.saving-" + gone + ".q1w2e3", true},
    };
    dir.Write("turn.kvk", "old");
    for (const Case& c : cases)
        dir.Write(c.name, "left");

    ASSERT_TRUE(TFileWriter::WriteAll(dir.Path("turn.kvk"), "new"));
    EXPECT_EQ(dir.Read("turn.kvk"), "new");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path("."))));
    const bool written = TFileWriter::WriteAll("plain", "content");
    QDir::setCurrent(before);
    ASSERT_TRUE(written);
    EXPECT_EQ(dir.Read("plain"), "content");
    for (const Case& c : cases) {
        EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
        EXPECT_EQ(dir.Read(c.name), c.removed ? "" : "left") << c.name;
    }
    // Besides what was there, nothing is left.
    const QStringList all = QDir(QString::fromStdString(dir.Path(".")))
                                .entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_EQ(std::size_t(all.size()), cases.size() + 2 - 4) << all.join(' ').toStdString();
}

// A batch cut off while it renamed its files (a.txt, then b.txt) leaves a journal naming each
// file's target, temporary, old file's second name and whether there was an old file, each
// field as "<length>:<bytes>" on a line of its own.
TEST(TFileBatch, recoveryCompletesOrUndoesABatchCutOffBetweenItsRenames) {
    using R = TFileBatch::Recovery;
    struct File {
        const char* now; // the target's content; null: none
        bool temporary;  // its new content still waits in its temporary
        bool secondName; // the old content under its second name ("old-...")
        bool hadOld;
    };
    struct Case {
        const char* what;
        File a, b;
        const char* journal; // null: written from a and b
        R result;
        const char* aAfter; // null: no file
        const char* bAfter;
    };
    constexpr bool Y = true, N = false;
    const auto F = [](const char* now, bool temporary, bool secondName, bool hadOld) {
        return File{now, temporary, secondName, hadOld};
    };
    const std::vector<Case> cases = {
        {"cut before the first rename", F("old-a", Y, Y, Y), F("old-b", Y, Y, Y), nullptr,
         R::Completed, "new-a", "new-b"},
        {"cut after the first rename", F("new-a", N, Y, Y), F("old-b", Y, Y, Y), nullptr,
         R::Completed, "new-a", "new-b"},
        {"a new file that had no old one", F("new-a", N, N, N), F(nullptr, Y, N, N), nullptr,
         R::Completed, "new-a", "new-b"},
        {"a new file lost: undone", F("new-a", N, N, N), F("old-b", N, Y, Y), nullptr,
         R::RolledBack, nullptr, "old-b"},
        {"no journal", F("old-a", N, N, Y), F("old-b", N, N, Y), "", R::None, "old-a", "old-b"},
        {"a journal of something else", F("old-a", N, N, Y), F("old-b", N, N, Y), "not a journal\n",
         R::None, "old-a", "old-b"},
    };
    for (const Case& c : cases) {
        TestDir dir;
        std::string journal = "kurvask save journal 1\n";
        for (const auto& [name, f] :
             {std::pair{std::string("a.txt"), c.a}, std::pair{std::string("b.txt"), c.b}}) {
            const std::string temporary = "." + name + ".saving-1.abcdef",
                              second = temporary + ".old";
            if (f.secondName)
                dir.Write(second, "old-" + name.substr(0, 1));
            // Before its rename, the old file is under both names.
            if (f.secondName && f.now && std::string(f.now).starts_with("old"))
                ASSERT_EQ(::link(dir.Path(second).c_str(), dir.Path(name).c_str()), 0);
            else if (f.now)
                dir.Write(name, f.now);
            if (f.temporary)
                dir.Write(temporary, "new-" + name.substr(0, 1));
            for (const std::string& field :
                 {dir.Path(name), dir.Path(temporary), f.secondName ? dir.Path(second) : "",
                  std::string(f.hadOld ? "1" : "0")})
                journal += std::to_string(field.size()) + ":" + field + "\n";
        }
        if (!c.journal || *c.journal)
            dir.Write(".a.txt.journal", c.journal ? c.journal : journal);

        EXPECT_EQ(TFileBatch::Recover(dir.Path(".a.txt.journal")), c.result) << c.what;
        EXPECT_EQ(dir.Exists("a.txt"), c.aAfter != nullptr) << c.what;
        EXPECT_EQ(dir.Exists("b.txt"), c.bAfter != nullptr) << c.what;
        EXPECT_EQ(dir.Read("a.txt"), c.aAfter ? c.aAfter : "") << c.what;
        EXPECT_EQ(dir.Read("b.txt"), c.bAfter ? c.bAfter : "") << c.what;
        // Nothing is left of the batch: no journal, temporary or second name.
        for (const QString& name :
             QDir(QString::fromStdString(dir.Path(".")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
            EXPECT_FALSE(name.startsWith('.')) << c.what << ": " << name.toStdString();
    }
}

} // namespace
