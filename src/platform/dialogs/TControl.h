#pragma once

#include "DialogConstants.h"
#include "TWindow.h"

#include <QPointer>
#include <QString>

class TDialog;

/**
 * A control of a dialog as the game code sees it: an object attached by id to one of the
 * controls of the dialog's template. The dialog owns its control objects and deletes them
 * with itself; deleting one earlier detaches it. Attaching to an id the template lacks, to a
 * control of the wrong kind, or twice to the same id raises std::invalid_argument, so a
 * mismatch between code and template shows when the dialog is built.
 */
class TControl : public TWindow {
public:
    /** Attaches to the control of that id, of whatever kind; parent must be a TDialog. */
    TControl(TWindow* parent, int id);
    ~TControl() override;
    TControl(const TControl&) = delete;
    TControl& operator=(const TControl&) = delete;

    int GetId() const { return Id; }
    QWidget* GetWidget() const override;
    /** The dialog the control belongs to, or null once that is gone. */
    TDialog* GetDialog() const { return Dialog; }

    /** Enables or disables the control; returns whether it was disabled before. */
    bool EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    /** SW_HIDE (or false) hides the control, anything else shows it; returns whether it was
     *  shown before. */
    bool ShowWindow(int cmdShow);
    /** Whether the control is shown, that is not hidden; also before the dialog is shown. */
    bool IsWindowVisible() const;
    void SetFocus();

protected:
    /** Says whether a widget is of the kind a subclass stands for. */
    using KindCheck = bool (*)(const QWidget*);
    TControl(TWindow* parent, int id, KindCheck fits, const char* kindName);

    /** The user clicked the control (buttons, check boxes and radio buttons). */
    virtual void Clicked() {}
    /** The control's text: a static's or edit's text, a button's or group box's caption. */
    QString WidgetText() const;
    void SetWidgetText(const QString& text);

private:
    friend class TDialog;

    TDialog* Dialog = nullptr;
    int Id = 0;
    QPointer<QWidget> Widget;
};
