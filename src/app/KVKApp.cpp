#include "KVKApp.h"

#include "KVKMap.h"
#include "ProgramFolder.h"
#include "TApplication.h"
#include "TButtonGadget.h"
#include "TDib.h"
#include "TFileWriter.h"
#include "TModule.h"
#include "TSeparatorGadget.h"
#include "TXBadFile.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <iostream>

KVKApp::KVKApp(const std::string& mapFile, const std::string& splashFile) : MapFileName(mapFile) {
    // The map is the largest picture: it is decoded while the splash shows and the frame is
    // built, on the second processor where there is one.
    TDib::Preload(mapFile);
    const TDib splash(splashFile.c_str());
    SplashWindow = std::make_unique<TSplashWindow>(splash, 256, 256, SplashStyle, SplashTimeout, "",
                                                   &TModule::Application());
    SplashWindow->Create();
    SplashWindow->UpdateWindow();
    // The counters' pictures, some two hundred small ones, are decoded while the frame is
    // built, ready for the turn of the command line to be drawn.
    TModule::Application().Preload(KVKMap::CounterPictures());
}

// The frame goes first: it hands the map window's widget back and deletes the status bar's
// fields; then the window, whose board may still write the fields, then the bars.
KVKApp::~KVKApp() {
    MainFrame.reset();
    MapWindow.reset();
    Panel.reset();
    ToolBar.reset();
    StatusBar.reset();
}

void KVKApp::InitMainWindow() {
    StatusBar = std::make_unique<TStatusBar>();
    HexGadget = StatusBar->Insert(std::make_unique<TTextGadget>(600, 12));
    MoveGadget = StatusBar->Insert(std::make_unique<TTextGadget>(601, 10));
    ReviewGadget = StatusBar->Insert(std::make_unique<TTextGadget>(602));
    MapWindow = std::make_unique<KVKWindow>(nullptr, HexGadget, MoveGadget, MapFileName.c_str());
    MainFrame = std::make_unique<TDecoratedFrame>("Kurvask", *MapWindow);
    HINSTANCE module = &TModule::Application();
    MainFrame->SetIconSm(module, 451);
    MainFrame->SetIcon(module, 450);
    ToolBar = std::make_unique<TControlBar>();
    for (const int id : ToolBarLayout) {
        if (id)
            ToolBar->Insert(std::make_unique<TButtonGadget>(id, id));
        else
            ToolBar->Insert(std::make_unique<TSeparatorGadget>(0));
    }
    // The bars that show text come last: the font configuration they need may still be
    // loading on the warm-up thread (see TApplication), which loads the tool bar's needs first.
    MainFrame->Insert(*ToolBar, TDecoratedFrame::Top);
    MainFrame->Insert(*StatusBar, TDecoratedFrame::Bottom);
    MainFrame->AssignMenu("COMMAND");
    Panel = std::make_unique<TListPanel>("Review", "review");
    MainFrame->Insert(*Panel);
    MapWindow->AttachReview(Panel.get(), ReviewGadget);
    SplashWindow.reset();
}

void KVKApp::OpenTurnFile(const std::string& fileName) {
    MapWindow->Map().FileData.FileName = TFileWriter::AbsolutePath(fileName);
    bool opened = false;
    MainFrame->SetCaption(MapWindow->Turn().OpenTurn(false, opened).c_str());
    MapWindow->TurnOpened();
    MainFrame->UpdateCommands();
}

std::vector<std::string> KVKApp::DataFolders() {
    namespace fs = std::filesystem;
    std::vector<std::string> folders;
    const auto add = [&folders](const fs::path& folder) {
        const std::string path = folder.lexically_normal().string();
        if (!path.empty() && std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    };
    // A player may keep pictures of their own beside their turns: the working folder wins.
    std::error_code error;
    const fs::path working = fs::current_path(error);
    add(error ? fs::path(".") : working);
    // The data folder of the tree the program was installed with, wherever that tree was put:
    // the same way from the executable's folder as from the install prefix's bin to its data.
    if (const std::string program = ProgramFolder::Path(); !program.empty())
        add(fs::path(program) / KURVASK_DATA_BESIDE_PROGRAM);
    // The prefix the build was configured for, for a program moved away from its data.
    add(KURVASK_INSTALLED_DATA);
    return folders;
}

std::string KVKApp::FindDataFile(const std::string& name) {
    const std::vector<std::string> folders = DataFolders();
    for (const std::string& folder : folders) {
        const std::string path = (std::filesystem::path(folder) / name).string();
        if (TFileWriter::PathExists(path))
            return path;
    }
    std::string tried;
    for (const std::string& folder : folders)
        tried += "\n  " + folder;
    throw TXBadFile(name, "cannot be opened; it is in none of these folders:" + tried);
}

void KVKApp::ReportStartupFailure(const std::string& reason, bool box) {
    const std::string text = "Kurvask cannot start.\n" + reason;
    std::cerr << text << std::endl;
    if (box)
        TApplication::MessageBox(nullptr, text.c_str(), "Kurvask", MB_OK | MB_ICONSTOP);
}

std::optional<int> KVKApp::AnswerInformation(const std::vector<std::string>& args,
                                             std::ostream& out) {
    if (args.size() != 1)
        return std::nullopt;
    if (args.front() == "--help") {
        out << "usage: kurvask [TURN.kvk]   (opens the turn's unit file with its combats)"
            << std::endl;
        return 0;
    }
    if (args.front() == "--version") {
        out << "kurvask " << KURVASK_VERSION << std::endl;
        return 0;
    }
    return std::nullopt;
}

int KVKApp::Start(const std::vector<std::string>& args, const std::function<int()>& runLoop) {
    if (const auto status = AnswerInformation(args, std::cout))
        return *status;
    if (args.size() > 1) {
        std::cerr << "usage: kurvask [TURN.kvk]" << std::endl;
        return 2;
    }
    std::unique_ptr<KVKApp> app;
    try {
        app = std::make_unique<KVKApp>(FindDataFile(MapFile), FindDataFile(SplashFile));
        app->InitMainWindow();
    } catch (const std::exception& e) {
        // A program that will not start says why instead of vanishing.
        app.reset();
        ReportStartupFailure(e.what(), true);
        return 1;
    }
    app->Frame().ShowMaximized();
    if (!args.empty())
        app->OpenTurnFile(args.front());
    return runLoop();
}

int KVKApp::NoDisplay() {
    try {
        TDib map(FindDataFile(MapFile).c_str());
        TDib splash(FindDataFile(SplashFile).c_str());
    } catch (const TXBadFile& e) {
        ReportStartupFailure(e.what(), false);
        return 1;
    }
    ReportStartupFailure("There is no display to show its window on (DISPLAY is not set).", false);
    return 1;
}
