#include "TRadioButton.h"

#include <QRadioButton>

TRadioButton::TRadioButton(TWindow* parent, int id, TGroupBox* group)
    : TCheckBox(
          parent, id, group,
          [](const QWidget* w) { return qobject_cast<const QRadioButton*>(w) != nullptr; },
          "radio button") {}
