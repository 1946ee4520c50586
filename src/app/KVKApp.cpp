#include "KVKApp.h"

#include "TApplication.h"
#include "TDib.h"
#include "TXBadFile.h"

#include <exception>
#include <iostream>

KVKApp::KVKApp(const char* mapFile)
    : MapWindow(std::make_unique<KVKWindow>(nullptr, &HexField, &MoveField, mapFile)),
      MainFrame(std::make_unique<TFrameWindow>("Kurvask", *MapWindow)) {}

// The frame goes first: it hands the map window's widget back before the window goes.
KVKApp::~KVKApp() {
    MainFrame.reset();
}

void KVKApp::ReportStartupFailure(const std::string& reason, bool box) {
    const std::string text = "Kurvask cannot start.\n" + reason;
    std::cerr << text << std::endl;
    if (box)
        TApplication::MessageBox(nullptr, text.c_str(), "Kurvask", MB_OK | MB_ICONSTOP);
}

int KVKApp::Start(const char* mapFile, const std::function<int()>& runLoop) {
    std::unique_ptr<KVKApp> app;
    try {
        app = std::make_unique<KVKApp>(mapFile);
    } catch (const std::exception& e) {
        // A program that will not start says why instead of vanishing.
        ReportStartupFailure(e.what(), true);
        return 1;
    }
    app->Frame().ShowMaximized();
    return runLoop();
}

int KVKApp::NoDisplay(const char* mapFile) {
    try {
        TDib check(mapFile);
    } catch (const TXBadFile& e) {
        ReportStartupFailure(e.what(), false);
        return 1;
    }
    ReportStartupFailure("There is no display to show its window on (DISPLAY is not set).", false);
    return 1;
}
