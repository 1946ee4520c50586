// The combat file: exact bytes of a record, round trips, how texts are kept, and refusal of
// every kind of corrupt or cut-short file without building anything from it.
#include "CombatFile.h"
#include "LittleEndianBytes.h"
#include "OddsTable.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

using Fault = ParsedCombatFile::FaultKind;

// The first combat declared against hex 33 at odds 3:1, rolled 4, as the opponent receives it.
const std::string GoldenRecord =
    Le32s({3, 1, 2}) + "3:1\0"s + "4\0"s + "DE\0"s + Le32s({33, 60, 46, 8515});

const CombatRecord GoldenCombat{{"3:1", "4", "DE", 33}, {60, 46}, 8515};

std::vector<CombatRecord> ManyCombats() {
    std::vector<CombatRecord> records;
    for (int i = 0; i < 40; ++i) {
        CombatRecord r;
        const auto& odds = OddsTable::Classes()[std::size_t(i) % OddsTable::Classes().size()];
        r.Data.Odds = i % 7 == 0 ? OddsTable::Placeholder : odds.StoredText;
        r.Data.DieRoll = std::string(1, char('1' + i % 6));
        // Windows-1252 bytes pass unchanged; some comments are at the longest length kept.
        r.Data.Comments =
            i % 5 == 0 ? std::string(83, char(0xE4 - i % 3)) : "DR " + std::to_string(i);
        if (i % 11 == 3)
            r.Data = {"", "", "", r.Data.HexIndex};
        r.Data.HexIndex = i * 47 % 1920;
        r.MarkerPosition = {i * 35 + 59, i * 9 - 4};
        r.MarkerImage = 8512 + i % 6;
        records.push_back(r);
    }
    return records;
}

TEST(CombatFile, goldenRecordByteForByte) {
    const std::string file = CombatFile::Serialize({GoldenCombat});
    EXPECT_EQ(GoldenRecord.size(), 37u);
    EXPECT_EQ(file, Le32s({1}) + GoldenRecord);

    // Bytes after the last record are ignored: the count says where the combats end.
    const ParsedCombatFile parsed = CombatFile::Parse(file + "trailing");
    ASSERT_TRUE(parsed.Ok()) << parsed.Reason;
    EXPECT_EQ(parsed.Records, std::vector<CombatRecord>{GoldenCombat});
}

TEST(CombatFile, manyRecordsRoundTripInOrder) {
    const std::vector<CombatRecord> records = ManyCombats();
    const ParsedCombatFile parsed = CombatFile::Parse(CombatFile::Serialize(records));
    ASSERT_TRUE(parsed.Ok()) << parsed.Reason;
    EXPECT_EQ(parsed.Records, records);

    // Empty texts carry no bytes at all, not even a terminator.
    ASSERT_EQ(records[3].Data.Odds, "");
    EXPECT_EQ(CombatFile::Serialize({records[3]}).size(), 4 + CombatFile::MinRecordSize);
    EXPECT_EQ(CombatFile::Serialize({}), std::string(4, '\0'));
    EXPECT_TRUE(CombatFile::Parse(std::string(4, '\0')).Ok());
}

TEST(CombatFile, textEndsAtTheFirstZeroAmongItsBytesAndWrittenTextsAreThoseAReaderKeeps) {
    // Odds "ab", a zero, "cd", then the terminator; die roll "45" with a stray byte where the
    // terminator belongs; a comment with a zero first, so the text is empty.
    const std::string file =
        Le32s({1, 5, 2, 3}) + "ab\0cd\0"s + "45X" + "\0EX\0"s + Le32s({7, 10, 20, 8510});

    const ParsedCombatFile parsed = CombatFile::Parse(file);
    ASSERT_TRUE(parsed.Ok()) << parsed.Reason;
    EXPECT_EQ(parsed.Records[0].Data, (CombatStruct{"ab", "45", "", 7}));

    // Written texts are those a reader keeps: cut at a zero and at the longest length.
    CombatRecord r = GoldenCombat;
    r.Data.Comments = std::string(100, 'c');
    r.Data.Odds = "2:1\0junk"s;
    const ParsedCombatFile written = CombatFile::Parse(CombatFile::Serialize({r}));
    ASSERT_TRUE(written.Ok()) << written.Reason;
    EXPECT_EQ(written.Records[0].Data.Comments, std::string(83, 'c'));
    EXPECT_EQ(written.Records[0].Data.Odds, "2:1");
}

// A one-record file with the given lengths and marker image; texts of 'x' follow for the
// lengths a reader accepts (the others are refused before any text is read).
std::string OneRecord(std::int32_t l1, std::int32_t l2, std::int32_t l3, std::int32_t image) {
    std::string file = Le32s({1, l1, l2, l3});
    for (std::int32_t l : {l1, l2, l3})
        if (l > 0 && l <= CombatFile::MaxTextLength)
            file += std::string(std::size_t(l), 'x') + '\0';
    return file + Le32s({33, 60, 46, image});
}

struct CorruptCase {
    const char* what;
    std::string bytes;
    Fault fault;
};

TEST(CombatFile, corruptFilesAreRefusedWhole) {
    const std::vector<CorruptCase> cases = {
        {"empty file", "", Fault::Truncated},
        {"count cut short", Le32s({1}).substr(0, 3), Fault::Truncated},
        {"negative count", Le32s({-1}) + GoldenRecord, Fault::NegativeCount},
        {"huge count in a tiny file", Le32s({0x7fffffff}) + GoldenRecord, Fault::CountTooLarge},
        {"two combats, bytes for one", Le32s({2}) + GoldenRecord, Fault::CountTooLarge},
        // 10001 records of 28 bytes would fit, but no turn has that many combats.
        {"more combats than a turn has", Le32s({10001}) + std::string(10001 * 28, '\0'),
         Fault::CountTooLarge},
        {"count fits by size, second record cut", Le32s({2}) + GoldenRecord + std::string(20, '\0'),
         Fault::Truncated},
        {"negative odds length", OneRecord(-1, 1, 2, 8515), Fault::BadTextLength},
        {"odds length 84", OneRecord(84, 1, 2, 8515), Fault::BadTextLength},
        {"die roll length 84", OneRecord(3, 84, 2, 8515), Fault::BadTextLength},
        {"comment length 84", OneRecord(3, 1, 84, 8515), Fault::BadTextLength},
        {"wild comment length", OneRecord(3, 1, 0x7fffffff, 8515), Fault::BadTextLength},
        {"marker image 0", OneRecord(3, 1, 2, 0), Fault::BadMarkerImage},
        {"marker image below the markers", OneRecord(3, 1, 2, 8505), Fault::BadMarkerImage},
        {"marker image above the markers", OneRecord(3, 1, 2, 8518), Fault::BadMarkerImage},
        {"bad record after a good one",
         Le32s({2}) + GoldenRecord + OneRecord(3, 1, 2, 2001).substr(4), Fault::BadMarkerImage},
    };
    for (const CorruptCase& c : cases) {
        const ParsedCombatFile parsed = CombatFile::Parse(c.bytes);
        EXPECT_EQ(parsed.Fault, c.fault) << c.what << ": " << parsed.Reason;
        EXPECT_FALSE(parsed.Ok()) << c.what;
        EXPECT_FALSE(parsed.Reason.empty()) << c.what;
        EXPECT_TRUE(parsed.Records.empty()) << c.what;
    }
    // The limits themselves are fine: 10000 combats are read, and a file no longer than the
    // largest the reader reads holds them all.
    EXPECT_TRUE(CombatFile::Parse(OneRecord(83, 83, 83, 8506)).Ok());
    std::vector<CombatRecord> most(10000, GoldenCombat);
    most.back().Data = {std::string(83, 'o'), std::string(83, 'd'), std::string(83, 'c'), 33};
    const std::string largest = CombatFile::Serialize(most);
    EXPECT_TRUE(CombatFile::Parse(largest).Ok());
    EXPECT_LE(largest.size(), 4u + 10000u * (28u + 3u * 84u));
    EXPECT_TRUE(CombatFile::Parse(OneRecord(0, 0, 0, 8517)).Ok());
}

TEST(CombatFile, everyTruncationPointIsRefused) {
    const std::string file = CombatFile::Serialize(ManyCombats());
    for (std::size_t size = 0; size < file.size(); ++size) {
        const ParsedCombatFile parsed = CombatFile::Parse(std::string_view(file).substr(0, size));
        ASSERT_FALSE(parsed.Ok()) << "cut at " << size << " of " << file.size();
        ASSERT_TRUE(parsed.Records.empty());
    }
}

} // namespace
