// The yardstick of start-up: a minimal Qt Widgets program that shows an empty maximized
// window and ends as soon as it is first on the screen, told the same way as for kurvask
// (see FirstFrameProbe). Run by bench/startup.sh.
#include "FirstFrameProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FirstFrameProbe probe;
    QMainWindow window;
    window.showMaximized();
    return app.exec();
}
