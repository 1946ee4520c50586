#include "TFrameWindow.h"

#include "Windows1252.h"

#include <QMainWindow>

TFrameWindow::TFrameWindow(const char* caption, TWindow& client)
    : Frame(std::make_unique<QMainWindow>()), Client(client) {
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
    Frame->setWindowTitle(Windows1252::Decode(caption ? caption : ""));
}

void TFrameWindow::ShowMaximized() {
    Frame->showMaximized();
}
