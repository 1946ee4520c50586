#include "Windows1252.h"

#include <array>

namespace {

// The characters of bytes 0x80..0x9F; every other byte is the Latin-1 character of its value.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

} // namespace

char16_t Windows1252::ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return High[byte - 0x80];
    return char16_t(byte);
}

int Windows1252::FromUnicode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (std::size_t i = 0; i < High.size(); ++i)
        if (High[i] == c)
            return int(0x80 + i);
    return -1;
}

std::string Windows1252::Encode(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        char32_t c = ch.unicode();
        // A character beyond the basic plane is two UTF-16 units but still one '?'.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(ch, text.at(i + 1));
            ++i;
        }
        const int b = FromUnicode(c);
        out.push_back(b < 0 ? '?' : char(b));
    }
    return out;
}

QString Windows1252::Decode(std::string_view bytes) {
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (char b : bytes)
        out.append(QChar(ToUnicode(static_cast<unsigned char>(b))));
    return out;
}

QString Windows1252::Decode(const char* bytes) {
    return bytes ? Decode(std::string_view(bytes)) : QString();
}
