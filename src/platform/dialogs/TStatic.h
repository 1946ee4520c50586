#pragma once

#include "TControl.h"

#include <string>

/**
 * A static text of a dialog. Texts go in and come out as Windows-1252 byte strings, the form
 * in which the game keeps them.
 */
class TStatic : public TControl {
public:
    /** textLimit is kept for the classic signature; a static shows any text it is given. */
    TStatic(TWindow* parent, int id, unsigned textLimit = 0);

    void SetText(const char* text);
    void SetText(const std::string& text) { SetText(text.c_str()); }
    /** Copies at most maxChars - 1 bytes and a terminating NUL; returns the bytes copied. */
    int GetText(char* buffer, int maxChars) const;
    std::string GetText() const;
    /** The length of the text in bytes (characters), without a terminator. */
    int GetTextLen() const;
    void Clear() { SetText(""); }

protected:
    TStatic(TWindow* parent, int id, unsigned textLimit, KindCheck fits, const char* kindName);

    unsigned TextLimit;
};
