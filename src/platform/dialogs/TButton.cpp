#include "TButton.h"

#include <QPushButton>

TButton::TButton(TWindow* parent, int id)
    : TControl(
          parent, id,
          [](const QWidget* w) { return qobject_cast<const QPushButton*>(w) != nullptr; },
          "push button") {}
