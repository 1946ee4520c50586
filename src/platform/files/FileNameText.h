#pragma once

#include <QString>

#include <string>
#include <string_view>

/**
 * File names as the player reads them. A name is a byte string in the system's file-name
 * encoding (UTF-8 on a current desktop), not in the game's code page: only the texts inside
 * the turn files are Windows-1252. Captions and message boxes, which show names beside the
 * program's own plain ASCII texts, are decoded here.
 */
class FileNameText {
public:
    /** The text of a name, or of a message that holds names, in the system's encoding. */
    static QString Decode(std::string_view bytes);
    /** The same text in UTF-8, for a terminal or a JSON document. */
    static std::string ToUtf8(std::string_view bytes);
};
