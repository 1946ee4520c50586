// Little-endian values in binary files: the exact bytes written, and bounded reading that
// reports running off the end instead of reading past it.
#include "LittleEndianReader.h"
#include "LittleEndianWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

TEST(LittleEndian, int32ValuesHaveTheirBytesAndReadBack) {
    const std::pair<std::int32_t, std::string> cases[] = {
        {1, std::string("\x01\x00\x00\x00", 4)},
        {-1, std::string("\xff\xff\xff\xff", 4)},
        {8515, std::string("\x43\x21\x00\x00", 4)},
        {0x12345678, std::string("\x78\x56\x34\x12", 4)},
        {std::numeric_limits<std::int32_t>::min(), std::string("\x00\x00\x00\x80", 4)},
    };
    for (const auto& [value, bytes] : cases) {
        std::string out = "AB";
        LittleEndianWriter writer(out);
        writer.WriteInt32(value);
        EXPECT_EQ(out, "AB" + bytes) << value;

        LittleEndianReader reader(out);
        std::string head;
        std::int32_t back = 0;
        ASSERT_TRUE(reader.ReadBytes(2, head));
        ASSERT_TRUE(reader.ReadInt32(back));
        EXPECT_EQ(back, value);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(LittleEndian, runningOffTheEndFailsReadsNothingAndStaysFailed) {
    const std::string bytes("\x07\x00\x00", 3);
    LittleEndianReader reader(bytes);
    std::int32_t value = 42;
    EXPECT_FALSE(reader.ReadInt32(value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(reader.Failed());
    EXPECT_EQ(reader.Remaining(), 3u);
    // Even a read that would fit fails once the reader has failed.
    std::string out = "keep";
    EXPECT_FALSE(reader.ReadBytes(1, out));
    EXPECT_EQ(out, "keep");

    // A wild count is refused before anything is allocated (allocating it would throw).
    EXPECT_FALSE(LittleEndianReader(bytes).ReadBytes(std::numeric_limits<std::size_t>::max(), out));
    EXPECT_EQ(out, "keep");
}

} // namespace
