// Usage: kvkscreenshot <repository root> -- writes docs/screenshot.png: the program's frame
// on the bundled map with the sample turn open, at 1:1, drawn by the program itself offscreen.

#include "KVKApp.h"
#include "TApplication.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <repository root>\n", argc > 0 ? argv[0] : "kvkscreenshot");
        return 2;
    }
    const std::string root = argv[1];
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    TApplication application(qtArgc, argv);
    try {
        KVKApp app(root + "/data/kvkmap.bmp", root + "/data/splash.bmp");
        app.InitMainWindow();
        QWidget* frame = app.Frame().GetWidget();
        frame->resize(1280, 800);
        frame->show();
        app.OpenTurnFile(root + "/data/sample/opening.kvk");
        app.Window().ScrollTo(140, 0);
        app.Window().UpdateWindow();
        QDir().mkpath(QString::fromStdString(root + "/docs"));
        const std::string file = root + "/docs/screenshot.png";
        if (!frame->grab().save(QString::fromStdString(file)))
            throw std::runtime_error("cannot write " + file);
        std::printf("wrote %s\n", file.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvkscreenshot: %s\n", e.what());
        return 1;
    }
    return 0;
}
