#include "DialogDriver.h"

#include "ModalHooks.h"
#include "TDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

void Fail(const std::string& what) {
    if (ModalHooks* hooks = ModalHooks::Active())
        hooks->Fail(what);
}

/** Where a click lands: on the check mark and label of a radio button or check box (the
 *  part that takes clicks), in the middle of anything else. */
QPoint ClickPoint(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
    if (b && (radio || qobject_cast<QCheckBox*>(w))) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        opt.icon = b->icon();
        opt.iconSize = b->iconSize();
        const QRect r = w->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &opt, w);
        if (r.isValid())
            return r.center();
    }
    return w->rect().center();
}

void SendMouse(QWidget* w, QEvent::Type type, const QPoint& p, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

DialogDriver::DialogDriver(TDialog& dialog) : Dlg(dialog) {}

int DialogDriver::TemplateId() const {
    return int(Dlg.GetTemplateId());
}

bool DialogDriver::IsOpen() const {
    return Dlg.IsRunning() && Dlg.GetWidget() && Dlg.GetWidget()->isVisible();
}

std::string DialogDriver::Caption() const {
    return Dlg.GetWidget() ? Dlg.GetWidget()->windowTitle().toStdString() : std::string();
}

bool DialogDriver::Usable(const char* action) const {
    if (IsOpen())
        return true;
    Fail(std::string(action) + " on dialog " + std::to_string(TemplateId()) +
         ", which has already ended");
    return false;
}

QWidget* DialogDriver::Widget(int id) const {
    QWidget* w = Dlg.GetControlWidget(id);
    if (!w)
        Fail("dialog " + std::to_string(TemplateId()) + " has no control " + std::to_string(id));
    return w;
}

bool DialogDriver::Click(int id) {
    QWidget* w = Widget(id);
    if (!w || !Usable("a click"))
        return false;
    if (!w->isVisible() || !w->isEnabled())
        return false;
    // Pressing the mouse on a control that takes the focus on clicks gives it the focus.
    if (w->focusPolicy() & Qt::ClickFocus)
        w->setFocus(Qt::MouseFocusReason);
    const QPoint p = ClickPoint(w);
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton);
    SendMouse(w, QEvent::MouseButtonRelease, p, Qt::NoButton);
    return true;
}

bool DialogDriver::Focus(int id) {
    QWidget* w = Widget(id);
    if (!w || !Usable("a focus change"))
        return false;
    if (!w->isVisible() || !w->isEnabled() || w->focusPolicy() == Qt::NoFocus)
        return false;
    w->setFocus(Qt::TabFocusReason);
    return true;
}

bool DialogDriver::Type(int id, const std::string& text) {
    QWidget* w = Widget(id);
    if (!w || !Usable("typing"))
        return false;
    if (!qobject_cast<QLineEdit*>(w)) {
        Fail("control " + std::to_string(id) + " of dialog " + std::to_string(TemplateId()) +
             " is not an edit");
        return false;
    }
    if (!w->isVisible() || !w->isEnabled())
        return false;
    if (QApplication::focusWidget() != w && Dlg.GetWidget()->focusWidget() != w)
        w->setFocus(Qt::MouseFocusReason);
    const QString s = QString::fromStdString(text);
    for (qsizetype i = 0; i < s.size(); ++i) {
        // One key per character, a character beyond the basic plane included.
        const qsizetype n = s.at(i).isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
        SendKey(w, Qt::Key_unknown, s.mid(i, n));
        i += n - 1;
    }
    return true;
}

bool DialogDriver::ClearText(int id) {
    QWidget* w = Widget(id);
    auto* e = qobject_cast<QLineEdit*>(w);
    if (!e || !Usable("clearing") || !e->isVisible() || !e->isEnabled())
        return false;
    e->setFocus(Qt::MouseFocusReason);
    e->selectAll();
    SendKey(e, Qt::Key_Backspace, {});
    return true;
}

QWidget* DialogDriver::FocusTarget() const {
    QWidget* dialog = Dlg.GetWidget();
    QWidget* f = dialog ? dialog->focusWidget() : nullptr;
    return f ? f : dialog;
}

void DialogDriver::SendKey(QWidget* target, int qtKey, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void DialogDriver::PressKey(int qtKey, const QString& text) {
    if (Usable("a key press"))
        SendKey(FocusTarget(), qtKey, text);
}

void DialogDriver::PressEnter() {
    PressKey(Qt::Key_Return, QStringLiteral("\r"));
}

void DialogDriver::PressEscape() {
    PressKey(Qt::Key_Escape, QString(QChar(0x1b)));
}

void DialogDriver::PressClose() {
    if (!Usable("the close box"))
        return;
    QCloseEvent e;
    QApplication::sendEvent(Dlg.GetWidget(), &e);
}

std::string DialogDriver::Text(int id) const {
    QWidget* w = Widget(id);
    QString t;
    if (auto* l = qobject_cast<QLabel*>(w))
        t = l->text();
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        t = e->text();
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
        t = b->text();
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        t = g->title();
    return t.toStdString();
}

bool DialogDriver::IsEnabled(int id) const {
    QWidget* w = Widget(id);
    return w && w->isEnabled();
}

bool DialogDriver::IsVisible(int id) const {
    QWidget* w = Widget(id);
    return w && w->isVisibleTo(w->window());
}

bool DialogDriver::IsChecked(int id) const {
    auto* b = qobject_cast<QAbstractButton*>(Widget(id));
    return b && b->isChecked();
}

int DialogDriver::FocusId() const {
    QWidget* dialog = Dlg.GetWidget();
    QWidget* f = dialog ? dialog->focusWidget() : nullptr;
    if (!f)
        return 0;
    for (const auto& c : Dlg.GetTemplate().Controls)
        if (c.Id != -1 && Dlg.GetControlWidget(c.Id) == f)
            return c.Id;
    return 0;
}
