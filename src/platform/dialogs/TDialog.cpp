#include "TDialog.h"

#include "DialogDriver.h"
#include "DialogWindow.h"
#include "ModalCursor.h"
#include "ModalHooks.h"
#include "TControl.h"
#include "Windows1252.h"

#include <QApplication>

#include <stdexcept>
#include <string>

namespace {

/** Makes a window the active one at once, without waiting for the window system. */
void Activate(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

} // namespace

TDialog::TDialog(TWindow* parent, TResId templateId) : Template(DialogTemplate::Load(templateId)) {
    Build(parent);
}

TDialog::TDialog(TWindow* parent, const DialogTemplate& dialogTemplate) : Template(dialogTemplate) {
    Build(parent);
}

void TDialog::Build(TWindow* parent) {
    Window = new DialogWindow(*this, Template, parent ? parent->GetWidget() : nullptr);
}

TDialog::~TDialog() {
    // Controls go first, while their widgets still exist; each is told not to detach itself.
    std::vector<std::unique_ptr<TControl>> owned = std::move(Owned);
    Owned.clear();
    Attached.clear();
    for (auto& c : owned)
        c->Dialog = nullptr;
    owned.clear();
    // The window may already be gone with a parent widget that was destroyed first.
    delete Window.data();
}

QWidget* TDialog::GetWidget() const {
    return Window.data();
}

QWidget* TDialog::GetControlWidget(int id) const {
    return Window ? Window->Control(id) : nullptr;
}

TControl* TDialog::GetControl(int id) const {
    const auto found = Attached.find(id);
    return found == Attached.end() ? nullptr : found->second;
}

void TDialog::SetCaption(const char* caption) {
    if (Window)
        Window->setWindowTitle(Windows1252::Decode(caption));
}

void TDialog::SetupWindow() {}

bool TDialog::CanClose() {
    return true;
}

void TDialog::OnCommand(int id, std::function<void()> handler) {
    Commands[id] = std::move(handler);
}

void TDialog::OnGroupNotify(int groupId, std::function<void()> handler) {
    GroupHandlers[groupId] = std::move(handler);
}

void TDialog::OnClose(std::function<void()> handler) {
    CloseHandler = std::move(handler);
}

int TDialog::Execute() {
    Ended = false;
    Result = IDCANCEL;
    if (!Window)
        return Result;
    Running = true;
    const ModalCursor arrow;
    SetupWindow();
    // SetupWindow may already have ended the dialog; then it is never shown.
    if (!Ended) {
        if (ModalHooks::Active())
            RunScripted();
        else
            Window->exec();
    }
    Running = false;
    return Result;
}

void TDialog::RunScripted() {
    ModalHooks& hooks = *ModalHooks::Active();
    const ModalHooks::Driver driver = hooks.TakeDriver(Template.Id);
    if (!driver) {
        EndDialog(IDCANCEL);
        hooks.RecordDialog({int(Template.Id), Result, true});
        return;
    }
    // Shown and made the active window at once, as a user would find it, so focus and
    // keyboard behave as on screen; the window that was active before gets it back after.
    QPointer<QWidget> previous = QApplication::activeWindow();
    Window->setWindowModality(Qt::ApplicationModal);
    Window->show();
    Activate(Window);
    auto restore = [&previous] {
        if (previous && previous->isVisible())
            Activate(previous);
    };
    try {
        DialogDriver d(*this);
        driver(d);
    } catch (...) {
        if (Window)
            Window->hide();
        restore();
        throw;
    }
    if (!Ended) {
        hooks.Fail("dialog " + std::to_string(int(Template.Id)) +
                   " was still open when its driver returned");
        EndDialog(IDCANCEL);
    }
    restore();
    hooks.RecordDialog({int(Template.Id), Result, false});
}

void TDialog::CloseWindow(int retValue) {
    if (CanClose())
        EndDialog(retValue);
}

void TDialog::CmCancel() {
    EndDialog(IDCANCEL);
}

void TDialog::EndDialog(int retValue) {
    Ended = true;
    Result = retValue;
    if (Window)
        Window->done(retValue);
}

void TDialog::Command(int id) {
    const auto found = Commands.find(id);
    if (found != Commands.end()) {
        // A copy, so a handler may replace its own entry while it runs.
        const std::function<void()> handler = found->second;
        handler();
    } else if (id == IDOK) {
        CloseWindow(IDOK);
    } else if (id == IDCANCEL) {
        CmCancel();
    }
}

void TDialog::ButtonClicked(int id) {
    if (TControl* c = GetControl(id))
        c->Clicked();
    if (id != -1)
        Command(id);
}

void TDialog::GroupNotify(int groupId) {
    const auto found = GroupHandlers.find(groupId);
    if (found != GroupHandlers.end()) {
        const std::function<void()> handler = found->second;
        handler();
    }
}

void TDialog::CloseRequest() {
    if (Ended)
        return;
    if (CloseHandler) {
        const std::function<void()> handler = CloseHandler;
        handler();
    } else {
        Command(IDCANCEL);
    }
}

void TDialog::Attach(TControl* control) {
    const int id = control->GetId();
    if (Attached.count(id))
        throw std::invalid_argument("control " + std::to_string(id) + " of dialog " +
                                    std::to_string(int(Template.Id)) +
                                    " already has a control object");
    Owned.emplace_back(control);
    Attached[id] = control;
}

void TDialog::Detach(TControl* control) {
    Attached.erase(control->GetId());
    for (auto it = Owned.begin(); it != Owned.end(); ++it)
        if (it->get() == control) {
            // The control is being deleted by its own destructor: let go without deleting.
            (void)it->release();
            Owned.erase(it);
            return;
        }
}
