// The unit file codec: the layout of a record, every hex with every mark round-tripping, and
// damaged files refused whole.
#include "UnitFile.h"
#include "TextChecks.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

UnitFile::Records AllAt(int hex, int start, int mark) {
    UnitFile::Records records;
    records.fill(CounterRecord(hex, start, mark));
    return records;
}

std::string Word(std::int32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[std::size_t(i)] = char((std::uint32_t(v) >> (8 * i)) & 0xff);
    return s;
}

TEST(UnitFile, recordsAreTwoLittleEndianWordsInUnitOrder) {
    EXPECT_EQ(UnitFile::PositionWord(100, 0), 100);
    EXPECT_EQ(UnitFile::PositionWord(1234, 2), 21234);
    EXPECT_EQ(UnitFile::PositionWord(0, 3), 30000);
    EXPECT_EQ(UnitFile::PositionWord(1919, 3), 31919);

    UnitFile::Records records = AllAt(0, 0, 0);
    records[0] = CounterRecord(1919, 1376, 3);
    records[219] = CounterRecord(1234, 5, 2);
    const std::string bytes = UnitFile::Serialize(records);
    ASSERT_EQ(bytes.size(), 1760u);
    EXPECT_EQ(bytes.substr(0, 8), Word(31919) + Word(1376));
    EXPECT_EQ(bytes.substr(8 * 219), Word(21234) + Word(5));
}

TEST(UnitFile, everyHexWithEveryMarkReadsBack) {
    // 220 units a file: the hexes 0..1919 with the marks 0..3 take 35 files.
    for (int first = 0; first < UnitFile::HexCount * 4; first += UnitFile::Units) {
        UnitFile::Records records;
        for (int u = 0; u < UnitFile::Units; ++u) {
            const int n = (first + u) % (UnitFile::HexCount * 4);
            records[std::size_t(u)] = CounterRecord(n / 4, UnitFile::HexCount - 1 - n / 4, n % 4);
        }
        const ParsedUnitFile parsed = UnitFile::Parse(UnitFile::Serialize(records));
        ASSERT_TRUE(parsed.Ok()) << parsed.Reason;
        ASSERT_EQ(parsed.Records, records) << "from " << first;
    }
}

TEST(UnitFile, damagedFilesAreRefusedWhole) {
    const std::string sound = UnitFile::Serialize(AllAt(100, 100, 0));
    auto with = [&](int unit, int field, std::int32_t value) {
        std::string bytes = sound;
        bytes.replace(std::size_t(unit * 8 + field * 4), 4, Word(value));
        return bytes;
    };
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"empty", "", "holds 0 bytes"},
        {"one record", sound.substr(0, 8), "holds 8 bytes"},
        {"one byte short", sound.substr(0, 1759), "holds 1759 bytes"},
        {"one byte long", sound + "x", "longer than a unit file's 1760 bytes"},
        {"current hex 1920", with(7, 0, 1920), "unit 7: the current hex 1920 is outside 0..1919"},
        {"current hex 9999 with a mark", with(8, 0, 19999), "unit 8: the current hex 9999"},
        {"mark 4", with(9, 0, 40000), "unit 9: the position word 40000 gives the mark 4"},
        {"huge word", with(10, 0, 0x7fffffff), "gives the mark 214748"},
        {"negative word", with(11, 0, -5), "unit 11: the current hex -5"},
        {"negative mark", with(12, 0, -10001), "gives the mark -1"},
        {"start hex 1920", with(219, 1, 1920), "unit 219: the start hex 1920"},
        {"negative start", with(0, 1, -1), "unit 0: the start hex -1"},
    };
    for (const Case& c : cases) {
        const ParsedUnitFile parsed = UnitFile::Parse(c.bytes);
        EXPECT_FALSE(parsed.Ok()) << c.what;
        EXPECT_TRUE(Holds(parsed.Reason, c.reason)) << c.what;
        EXPECT_EQ(parsed.Records, UnitFile::Records{}) << c.what;
    }
}

} // namespace
