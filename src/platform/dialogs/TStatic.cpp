#include "TStatic.h"

#include "Windows1252.h"

#include <QLabel>

#include <algorithm>
#include <cstring>

TStatic::TStatic(TWindow* parent, int id, unsigned textLimit)
    : TStatic(
          parent, id, textLimit,
          [](const QWidget* w) { return qobject_cast<const QLabel*>(w) != nullptr; },
          "static text") {}

TStatic::TStatic(TWindow* parent, int id, unsigned textLimit, KindCheck fits, const char* kindName)
    : TControl(parent, id, fits, kindName), TextLimit(textLimit) {}

void TStatic::SetText(const char* text) {
    SetWidgetText(Windows1252::Decode(text));
}

std::string TStatic::GetText() const {
    return Windows1252::Encode(WidgetText());
}

int TStatic::GetText(char* buffer, int maxChars) const {
    if (!buffer || maxChars <= 0)
        return 0;
    const std::string text = GetText();
    const std::size_t n = std::min(text.size(), std::size_t(maxChars - 1));
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return int(n);
}

int TStatic::GetTextLen() const {
    return int(GetText().size());
}
