#pragma once

#include "DialogTemplate.h"
#include "DialogUnits.h"

#include <QDialog>

#include <map>

class TDialog;

/**
 * The Qt window behind a TDialog: builds the template's controls as widgets placed in dialog
 * units, and turns what the user does into the dialog's commands: button clicks, Enter and
 * Escape (caught before any control sees them) and the close request. Radio buttons are made
 * mutually exclusive per template group, not per parent as Qt would do.
 */
class DialogWindow : public QDialog {
public:
    DialogWindow(TDialog& owner, const DialogTemplate& dialogTemplate, QWidget* parent);

    /** The widget of a control id, or null. */
    QWidget* Control(int id) const;
    /** The control id of a widget of this dialog, or 0 if it is none of the template's. */
    int IdOf(const QWidget* widget) const;
    const DialogUnits& Units() const { return DluUnits; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void accept() override;

private:
    QWidget* Create(const DialogTemplate::Control& c);
    bool DialogKey(QKeyEvent* event);

    TDialog& Owner;
    DialogUnits DluUnits;
    std::map<int, QWidget*> Controls;
};
