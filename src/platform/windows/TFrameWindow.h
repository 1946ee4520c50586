#pragma once

#include "TWindow.h"

#include <memory>

class QMainWindow;

/**
 * The main frame: a top-level window with a caption around a client window, opened
 * maximized. The frame takes the client's widget for its lifetime, and closes only when the
 * client's CanClose agrees.
 */
class TFrameWindow : public TWindow {
public:
    TFrameWindow(const char* caption, TWindow& client);
    ~TFrameWindow() override;

    QWidget* GetWidget() const override;
    /** Sets the caption; it names the turn's file, so it is in the system's file-name encoding. */
    void SetCaption(const char* caption);
    void ShowMaximized();

protected:
    QMainWindow& MainWidget() const { return *Frame; }
    TWindow& ClientWindow() const { return Client; }

private:
    std::unique_ptr<QMainWindow> Frame;
    TWindow& Client;
};
