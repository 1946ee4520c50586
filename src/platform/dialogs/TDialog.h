#pragma once

#include "DialogConstants.h"
#include "DialogTemplate.h"
#include "TResId.h"
#include "TWindow.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class DialogWindow;
class TControl;

/**
 * A modal dialog built from a dialog template. A subclass attaches control objects to the
 * template's controls in its constructor (new TButton(this, id) and so on; the dialog owns and
 * deletes them), fills them in SetupWindow and registers handlers in its response table:
 *
 *   OnCommand(id, &MyDialog::CmBone)      a button or menu command with that id
 *   OnGroupNotify(groupId, &MyDialog::F)  the user changed the selection of a group box's radios
 *   OnClose(&MyDialog::EvClose)           the close box or the system menu's Close
 *
 * Without handlers, command IDOK closes the dialog with IDOK (if CanClose agrees), command
 * IDCANCEL ends it with IDCANCEL, and the close request sends command IDCANCEL. Enter sends
 * command IDOK and Escape command IDCANCEL whatever control has the focus, as in the classic
 * dialog manager; no button is drawn as a default button.
 *
 * The dialog's window and its controls exist from construction on, hidden until Execute.
 */
class TDialog : public TWindow {
public:
    /** A dialog from the embedded template; raises TXBadFile if there is none. */
    TDialog(TWindow* parent, TResId templateId);
    /** A dialog from a template already read. */
    TDialog(TWindow* parent, const DialogTemplate& dialogTemplate);
    ~TDialog() override;
    TDialog(const TDialog&) = delete;
    TDialog& operator=(const TDialog&) = delete;

    /** Runs the dialog modally; returns the value CloseWindow ended it with. */
    int Execute();
    /** Runs when the window exists, before it is shown; subclasses call the base first. */
    virtual void SetupWindow();
    /** Ends the dialog with retValue, unless CanClose says no. */
    void CloseWindow(int retValue = IDCANCEL);
    /** Asked before CloseWindow ends the dialog; false keeps it open. */
    virtual bool CanClose();

    /** The dialog window (a QDialog). */
    QWidget* GetWidget() const override;
    TResId GetTemplateId() const { return Template.Id; }
    const DialogTemplate& GetTemplate() const { return Template; }
    /** The widget of a template control, or null if the template has no control of that id. */
    QWidget* GetControlWidget(int id) const;
    /** The control object attached to a template control, or null. */
    TControl* GetControl(int id) const;
    /** Sets the window caption from a Windows-1252 text. */
    void SetCaption(const char* caption);
    /** True from Execute until the dialog has ended. */
    bool IsRunning() const { return Running; }

protected:
    template <class D> void OnCommand(int id, void (D::*handler)()) {
        OnCommand(id, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    void OnCommand(int id, std::function<void()> handler);
    template <class D> void OnGroupNotify(int groupId, void (D::*handler)()) {
        OnGroupNotify(groupId, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    void OnGroupNotify(int groupId, std::function<void()> handler);
    template <class D> void OnClose(void (D::*handler)()) {
        OnClose([this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    void OnClose(std::function<void()> handler);

    /** The default answer to command IDCANCEL: ends the dialog at once, without CanClose. */
    void CmCancel();

private:
    friend class DialogWindow;
    friend class TControl;
    friend class TGroupBox;

    void Build(TWindow* parent);
    void Command(int id);
    void ButtonClicked(int id);
    void GroupNotify(int groupId);
    void CloseRequest();
    void EndDialog(int retValue);
    void RunScripted();
    void Attach(TControl* control);
    void Detach(TControl* control);

    DialogTemplate Template;
    QPointer<DialogWindow> Window;
    std::vector<std::unique_ptr<TControl>> Owned;
    std::map<int, TControl*> Attached;
    std::map<int, std::function<void()>> Commands;
    std::map<int, std::function<void()>> GroupHandlers;
    std::function<void()> CloseHandler;
    bool Running = false;
    bool Ended = false;
    int Result = IDCANCEL;
};
