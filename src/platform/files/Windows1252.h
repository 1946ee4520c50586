#pragma once

#include <QString>

#include <string>
#include <string_view>

/**
 * The Windows-1252 code page, in which the game keeps all its texts as byte strings: turn
 * files, unit names and every text it hands to windows and dialogs. Qt has no codec for it, so
 * the table of the 32 bytes 0x80..0x9F that differ from Latin-1 is kept here. The five bytes the
 * code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the
 * same value, as Windows maps them, so every byte string survives a decode and encode unchanged.
 */
class Windows1252 {
public:
    /** The bytes of a text; each character the code page lacks becomes one '?'. */
    static std::string Encode(const QString& text);
    /** The text of a byte string. */
    static QString Decode(std::string_view bytes);
    /** The text of a NUL-terminated byte string; a null pointer gives an empty text. */
    static QString Decode(const char* bytes);

    /** The character of one byte. */
    static char16_t ToUnicode(unsigned char byte);
    /** The byte of one character, or -1 when the code page lacks it. */
    static int FromUnicode(char32_t c);
};
