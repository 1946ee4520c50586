// The program's start-up, timed: runs exactly what kurvask runs (splash, map window, frame,
// the turn of the command line, shown maximized) and ends as soon as the map window's first
// frame has been painted, printing the peak memory so far. Run by bench/startup.sh.
#include "KVKApp.h"
#include "TApplication.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string PeakMemory() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return line;
    return "VmHWM: unknown";
}

// Quits once a paint event has reached the map window's viewport.
class FirstFrame : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!Seen && event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && qobject_cast<QAbstractScrollArea*>(widget->parentWidget())) {
                Seen = true;
                QTimer::singleShot(0, qApp, [] {
                    std::printf("%s\n", PeakMemory().c_str());
                    QApplication::quit();
                });
            }
        }
        return false;
    }

private:
    bool Seen = false;
};

} // namespace

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    FirstFrame probe;
    qApp->installEventFilter(&probe);
    return KVKApp::Start(std::vector<std::string>(argv + 1, argv + argc),
                         [&] { return application.Run(); });
}
