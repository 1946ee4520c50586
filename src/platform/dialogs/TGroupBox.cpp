#include "TGroupBox.h"

#include "TDialog.h"

#include <QGroupBox>

TGroupBox::TGroupBox(TWindow* parent, int id)
    : TControl(
          parent, id, [](const QWidget* w) { return qobject_cast<const QGroupBox*>(w) != nullptr; },
          "group box") {}

void TGroupBox::SelectionChanged(int controlId) {
    (void)controlId;
    if (TDialog* dialog = GetDialog())
        dialog->GroupNotify(GetId());
}
