#include "TEdit.h"

#include <QLineEdit>

#include <algorithm>

namespace {

QLineEdit* LineEdit(QWidget* w) {
    return qobject_cast<QLineEdit*>(w);
}

} // namespace

TEdit::TEdit(TWindow* parent, int id, unsigned textLimit)
    : TStatic(
          parent, id, textLimit,
          [](const QWidget* w) { return qobject_cast<const QLineEdit*>(w) != nullptr; },
          "single-line edit") {
    SetTextLimit(textLimit);
}

void TEdit::SetTextLimit(unsigned textLimit) {
    TextLimit = textLimit;
    QLineEdit* e = LineEdit(GetWidget());
    if (!e)
        return;
    // QLineEdit's own default (32767) stands for "no limit".
    constexpr unsigned NoLimit = 32767;
    e->setMaxLength(textLimit == 0 || textLimit > NoLimit ? int(NoLimit) : int(textLimit - 1));
}

void TEdit::SetSelection(int start, int end) {
    QLineEdit* e = LineEdit(GetWidget());
    if (!e)
        return;
    const int length = int(e->text().size());
    if (end < 0 || end > length)
        end = length;
    start = std::max(0, std::min(start, end));
    e->setSelection(start, end - start);
}
