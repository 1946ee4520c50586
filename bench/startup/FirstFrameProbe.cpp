#include "FirstFrameProbe.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <chrono>
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

// Maximized, and no larger than the screen's available area with its frame: the size the
// window manager gives a maximized window. (Its position may still be the one asked for
// until the manager's move arrives, which can come after the first paint.)
bool ShownMaximized(const QWidget& frame) {
    const QWindow* window = frame.windowHandle();
    const QScreen* screen = frame.screen();
    if (!window || !window->isExposed() || !frame.isMaximized() || !screen)
        return false;
    const QSize available = screen->availableGeometry().size();
    const QSize framed = frame.frameGeometry().size();
    return framed.width() <= available.width() && framed.height() <= available.height();
}

} // namespace

FirstFrameProbe::FirstFrameProbe() {
    qApp->installEventFilter(this);
}

bool FirstFrameProbe::eventFilter(QObject* watched, QEvent* event) {
    if (Seen || event->type() != QEvent::Paint || !watched->isWidgetType())
        return false;
    const QWidget* frame = static_cast<QWidget*>(watched)->window();
    if (qobject_cast<const QMainWindow*>(frame) && ShownMaximized(*frame)) {
        Seen = true;
        // Painting a window ends with flushing it to the display; the zero timer runs once
        // the paint that is under way, and its flush, are done.
        QTimer::singleShot(0, this, [this] { Report(); });
    }
    return false;
}

void FirstFrameProbe::Report() {
    QGuiApplication::sync();
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("frame %lld\n%s\n",
                (long long)std::chrono::duration_cast<std::chrono::microseconds>(now).count(),
                PeakMemory().c_str());
    std::fflush(stdout);
    QApplication::quit();
}
