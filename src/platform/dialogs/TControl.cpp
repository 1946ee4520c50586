#include "TControl.h"

#include "TDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <stdexcept>
#include <string>

namespace {

bool AnyKind(const QWidget*) {
    return true;
}

} // namespace

TControl::TControl(TWindow* parent, int id) : TControl(parent, id, &AnyKind, "control") {}

TControl::TControl(TWindow* parent, int id, KindCheck fits, const char* kindName) : Id(id) {
    auto* dialog = dynamic_cast<TDialog*>(parent);
    if (!dialog)
        throw std::invalid_argument("control " + std::to_string(id) +
                                    " needs a dialog as its parent");
    const std::string where = "dialog " + std::to_string(int(dialog->GetTemplateId()));
    Widget = dialog->GetControlWidget(id);
    if (!Widget)
        throw std::invalid_argument(where + " has no control " + std::to_string(id));
    if (!fits(Widget))
        throw std::invalid_argument("control " + std::to_string(id) + " of " + where +
                                    " is not a " + kindName);
    dialog->Attach(this);
    Dialog = dialog;
}

TControl::~TControl() {
    if (Dialog)
        Dialog->Detach(this);
}

QWidget* TControl::GetWidget() const {
    return Widget.data();
}

bool TControl::EnableWindow(bool enable) {
    if (!Widget)
        return false;
    const bool wasDisabled = !Widget->isEnabled();
    Widget->setEnabled(enable);
    return wasDisabled;
}

bool TControl::IsWindowEnabled() const {
    return Widget && Widget->isEnabled();
}

bool TControl::ShowWindow(int cmdShow) {
    if (!Widget)
        return false;
    const bool wasVisible = IsWindowVisible();
    Widget->setVisible(cmdShow != SW_HIDE);
    return wasVisible;
}

bool TControl::IsWindowVisible() const {
    return Widget && Widget->isVisibleTo(Widget->window());
}

void TControl::SetFocus() {
    if (Widget)
        Widget->setFocus(Qt::OtherFocusReason);
}

QString TControl::WidgetText() const {
    if (auto* l = qobject_cast<QLabel*>(Widget.data()))
        return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(Widget.data()))
        return e->text();
    if (auto* b = qobject_cast<QAbstractButton*>(Widget.data()))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(Widget.data()))
        return g->title();
    return {};
}

void TControl::SetWidgetText(const QString& text) {
    if (auto* l = qobject_cast<QLabel*>(Widget.data()))
        l->setText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(Widget.data()))
        e->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(Widget.data()))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(Widget.data()))
        g->setTitle(text);
}
