// Whole-file writing and reading: exact bytes, replacing old content, and failures that leave
// an existing file as it was.
#include "TFileWriter.h"
#include "TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string Binary("\x01\x00\x00\x00\x00\xff\x80kvk\r\n", 12);

// Only files exist and can be read: not a missing file, nor a folder.
TEST(TFileWriter, writesReadsAndReplacesWholeFiles) {
    TestDir dir;
    const std::string name = dir.Path("Zug \xc3\xbc.cbt"); // a non-ASCII name in local bytes
    std::string back = "unchanged";
    EXPECT_FALSE(TFileWriter::Exists(name));
    EXPECT_FALSE(TFileWriter::ReadAll(name, back));
    EXPECT_FALSE(TFileWriter::Exists(dir.Path(".")));
    EXPECT_FALSE(TFileWriter::ReadAll(dir.Path("."), back));
    EXPECT_EQ(back, "unchanged");
    ASSERT_TRUE(TFileWriter::WriteAll(name, std::string(100, 'o')));
    ASSERT_TRUE(TFileWriter::WriteAll(name, Binary));
    EXPECT_TRUE(TFileWriter::Exists(name));
    EXPECT_EQ(dir.Read("Zug \xc3\xbc.cbt"), Binary) << "the shorter content replaces it all";
    ASSERT_TRUE(TFileWriter::ReadAll(name, back));
    EXPECT_EQ(back, Binary);
}

TEST(TFileWriter, failedWritesCreateNothingAndLeaveOldFilesUntouched) {
    TestDir dir;
    EXPECT_FALSE(TFileWriter::WriteAll(dir.Path("missing/turn.cbt"), Binary));
    EXPECT_FALSE(dir.Exists("missing"));

    dir.Write("plain", "content");
    EXPECT_FALSE(TFileWriter::WriteAll(dir.Path("plain/turn.cbt"), Binary));
    EXPECT_EQ(dir.Read("plain"), "content");

    // A name of the longest length a folder entry may have: no temporary name can be made
    // from it, so the safe write fails, and the file written before keeps its content.
    const std::string longName(255, 'a');
    dir.Write(longName, "good old turn");
    EXPECT_FALSE(TFileWriter::WriteAll(dir.Path(longName), Binary));
    EXPECT_EQ(dir.Read(longName), "good old turn");

    // A folder in the way of the file is not replaced either.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.Path("sub"))));
    dir.Write("sub/keep", "x");
    EXPECT_FALSE(TFileWriter::WriteAll(dir.Path("sub"), Binary));
    EXPECT_EQ(dir.Read("sub/keep"), "x");
}

} // namespace
