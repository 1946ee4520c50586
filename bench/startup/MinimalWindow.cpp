// The yardstick of start-up: a minimal Qt Widgets program that shows an empty maximized
// window and ends at its first painted frame. Run by bench/startup.sh.
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <string>

class Window : public QMainWindow {
protected:
    bool event(QEvent* e) override {
        const bool handled = QMainWindow::event(e);
        if (e->type() == QEvent::Paint && !Seen) {
            Seen = true;
            QTimer::singleShot(0, qApp, [] {
                std::ifstream status("/proc/self/status");
                for (std::string line; std::getline(status, line);)
                    if (line.rfind("VmHWM:", 0) == 0)
                        std::printf("%s\n", line.c_str());
                QApplication::quit();
            });
        }
        return handled;
    }

private:
    bool Seen = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Window w;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w.setGeometry(screen->availableGeometry());
    w.show();
    w.setWindowState(w.windowState() | Qt::WindowMaximized);
    return app.exec();
}
