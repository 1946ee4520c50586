// What a batch leaves in the folder besides its files: a save that was cut off leaves its
// temporaries, and the next save of the same file removes them, and nothing else.
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
    int status = 0;
    ::waitpid(pid, &status, 0);
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
    };
    dir.Write("turn.kvk", "old");
    for (const Case& c : cases)
        dir.Write(c.name, "left");

    ASSERT_TRUE(TFileWriter::WriteAll(dir.Path("turn.kvk"), "new"));
    EXPECT_EQ(dir.Read("turn.kvk"), "new");
    for (const Case& c : cases) {
        EXPECT_EQ(dir.Exists(c.name), !c.removed) << c.name;
        if (!c.removed) {
            EXPECT_EQ(dir.Read(c.name), "left") << c.name;
        }
    }
    // Besides what was there, nothing is left.
    const QStringList all = QDir(QString::fromStdString(dir.Path(".")))
                                .entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_EQ(std::size_t(all.size()), cases.size() + 1 - 3) << all.join(' ').toStdString();
}

// A file named without a folder is written in the working folder, and the batch looks for
// leftovers there.
TEST(TFileBatch, aNameWithoutAFolderIsWrittenInTheWorkingFolder) {
    TestDir dir;
    const std::string gone = std::to_string(EndedProcess());
    dir.Write(".plain.saving-" + gone + ".q1w2e3", "left");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.Path("."))));
    const bool written = TFileWriter::WriteAll("plain", "content");
    QDir::setCurrent(before);
    ASSERT_TRUE(written);
    EXPECT_EQ(dir.Read("plain"), "content");
    EXPECT_FALSE(dir.Exists(".plain.saving-" + gone + ".q1w2e3"));
}

} // namespace
