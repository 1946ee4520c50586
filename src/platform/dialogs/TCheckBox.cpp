#include "TCheckBox.h"

#include "TGroupBox.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>

namespace {

bool Checkable(const QWidget* w) {
    auto* b = qobject_cast<const QAbstractButton*>(w);
    return b && b->isCheckable();
}

} // namespace

TCheckBox::TCheckBox(TWindow* parent, int id, TGroupBox* group)
    : TCheckBox(parent, id, group, &Checkable, "check box") {}

TCheckBox::TCheckBox(TWindow* parent, int id, TGroupBox* group, KindCheck fits,
                     const char* kindName)
    : TControl(parent, id, fits, kindName), Group(group) {}

QAbstractButton* TCheckBox::Button() const {
    return qobject_cast<QAbstractButton*>(GetWidget());
}

void TCheckBox::SetCheck(unsigned state) {
    QAbstractButton* b = Button();
    if (!b)
        return;
    if (auto* box = qobject_cast<QCheckBox*>(b)) {
        if (state == BF_GRAYED)
            box->setTristate(true);
        box->setCheckState(state == BF_CHECKED  ? Qt::Checked
                           : state == BF_GRAYED ? Qt::PartiallyChecked
                                                : Qt::Unchecked);
        return;
    }
    if (state == BF_CHECKED) {
        b->setChecked(true);
        return;
    }
    // An exclusive button group refuses to clear its checked button; the classic control
    // clears it, so the group lets go of exclusivity for that one change.
    QButtonGroup* group = b->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    b->setChecked(false);
    if (exclusive)
        group->setExclusive(true);
}

unsigned TCheckBox::GetCheck() const {
    QAbstractButton* b = Button();
    if (!b)
        return BF_UNCHECKED;
    if (auto* box = qobject_cast<QCheckBox*>(b))
        return box->checkState() == Qt::Checked            ? BF_CHECKED
               : box->checkState() == Qt::PartiallyChecked ? BF_GRAYED
                                                           : BF_UNCHECKED;
    return b->isChecked() ? BF_CHECKED : BF_UNCHECKED;
}

void TCheckBox::Clicked() {
    if (Group)
        Group->SelectionChanged(GetId());
}
