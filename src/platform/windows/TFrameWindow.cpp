#include "TFrameWindow.h"

#include "FileNameText.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace {

// The frame asks its client before it closes, so unsaved work can keep the program open.
class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(TWindow& client) : Client(client) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        if (Client.CanClose())
            event->accept();
        else
            event->ignore();
    }

private:
    TWindow& Client;
};

} // namespace

TFrameWindow::TFrameWindow(const char* caption, TWindow& client)
    : Frame(std::make_unique<FrameWidget>(client)), Client(client) {
    SetCaption(caption);
    Frame->setCentralWidget(client.GetWidget());
}

TFrameWindow::~TFrameWindow() {
    // The client window deletes its own widget: take it back before the frame goes.
    if (QWidget* client = Frame->takeCentralWidget())
        client->setParent(nullptr);
}

QWidget* TFrameWindow::GetWidget() const {
    return Frame.get();
}

void TFrameWindow::SetCaption(const char* caption) {
    Frame->setWindowTitle(FileNameText::Decode(caption ? caption : ""));
}

void TFrameWindow::ShowMaximized() {
    // Cover the screen and ask for the maximized state before showing: a window manager then
    // maps the frame maximized at once, and without one it still fills the screen. Asked for
    // after the frame is shown, the request can reach the manager after it has mapped the
    // frame at the size given, and the frame is laid out and painted twice.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        Frame->setGeometry(screen->availableGeometry());
    Frame->setWindowState(Frame->windowState() | Qt::WindowMaximized);
    Frame->show();
}
