// The Windows-1252 code page: the 32 bytes where it differs from Latin-1, round trips of
// every byte, and '?' for characters it lacks.
#include "Windows1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Windows1252, mapsCharactersToTheirBytesBothWays) {
    const struct {
        const char* Utf8;
        unsigned char Byte;
    } cases[] = {
        {"\u20ac", 0x80}, {"\u201a", 0x82}, {"\u0192", 0x83}, {"\u2026", 0x85}, {"\u02c6", 0x88},
        {"\u0160", 0x8A}, {"\u0152", 0x8C}, {"\u017d", 0x8E}, {"\u2018", 0x91}, {"\u201d", 0x94},
        {"\u2014", 0x97}, {"\u2122", 0x99}, {"\u0153", 0x9C}, {"\u017e", 0x9E}, {"\u0178", 0x9F},
        {"\u00a0", 0xA0}, {"\u00e9", 0xE9}, {"\u00df", 0xDF}, {"\u00ff", 0xFF}, {"A", 0x41},
        {"\u0081", 0x81}, {"\u009d", 0x9D},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.Utf8);
        EXPECT_EQ(Windows1252::Encode(text), std::string(1, char(c.Byte))) << c.Utf8;
        EXPECT_EQ(Windows1252::Decode(std::string(1, char(c.Byte))), text) << int(c.Byte);
    }
}

TEST(Windows1252, everyByteSurvivesADecodeAndEncode) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(char(b));
    const QString text = Windows1252::Decode(all);
    EXPECT_EQ(text.size(), qsizetype(all.size()));
    EXPECT_EQ(Windows1252::Encode(text), all);
    EXPECT_EQ(Windows1252::Decode(std::string_view("a\0b", 3)).size(), 3);
}

TEST(Windows1252, charactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    const struct {
        const char* Utf8;
        const char* Bytes;
    } cases[] = {
        {"\u03a9", "?"},
        {"\u4e2d\u6587", "??"},
        {"x\U0001F600y", "x?y"},
        {"\u0080", "?"}, // a control character the table gives to the euro sign
        {"\u0100", "?"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Windows1252::Encode(QString::fromUtf8(c.Utf8)), c.Bytes) << c.Utf8;
    EXPECT_TRUE(Windows1252::Decode(static_cast<const char*>(nullptr)).isEmpty());
}

} // namespace
