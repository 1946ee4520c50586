#pragma once

#include "KVKWindow.h"
#include "TControlBar.h"
#include "TDecoratedFrame.h"
#include "TListPanel.h"
#include "TSplashWindow.h"
#include "TStatusBar.h"

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

/**
 * The program. Built in two steps: the application shows the splash picture at once; then
 * InitMainWindow builds the map window (the slow step the splash covers) and the frame
 * "Kurvask" around it with its menu, tool bar and status bar, and takes the splash away.
 * The pictures "kvkmap.bmp" and "splash.bmp" are looked up in the working folder first, then
 * in the data folder of the tree the program was installed with, then in the data folder of
 * the prefix the build was configured for. A picture that cannot be used ends start-up with a
 * message that names the file and what is wrong, or every folder searched when none holds it.
 */
class KVKApp {
public:
    static constexpr const char* MapFile = "kvkmap.bmp";
    static constexpr const char* SplashFile = "splash.bmp";
    static constexpr unsigned SplashStyle =
        TSplashWindow::ShrinkToFit | TSplashWindow::CaptureMouse;
    static constexpr unsigned SplashTimeout = 50000;
    /** The tool bar, left to right: command ids, 0 for a separator. */
    static constexpr int ToolBarLayout[] = {400, 401, 0,   405, 406, 407, 0,   410, 412,
                                            413, 0,   423, 424, 422, 0,   430, 433, 432};

    /** Shows the splash picture; raises TXBadFile when it cannot be read. */
    KVKApp(const std::string& mapFile, const std::string& splashFile);
    ~KVKApp();

    /** Builds the main window and removes the splash; raises TXBadFile for a bad map. */
    void InitMainWindow();
    /** Opens a turn file given on the command line, as Open Turn does without its dialog. */
    void OpenTurnFile(const std::string& fileName);

    KVKWindow& Window() { return *MapWindow; }
    TDecoratedFrame& Frame() { return *MainFrame; }
    TSplashWindow* Splash() const { return SplashWindow.get(); }
    TTextGadget* HexGadget = nullptr;
    TTextGadget* MoveGadget = nullptr;
    /** Says why a turn shows no received moves. */
    TTextGadget* ReviewGadget = nullptr;
    TListPanel& ReviewPanel() { return *Panel; }

    /**
     * The folders searched for the pictures, in order, each named once: the working folder,
     * the data folder beside the executable's (<bin>/../share/kurvask), the configured one.
     */
    static std::vector<std::string> DataFolders();
    /**
     * The picture file to read, from the first of DataFolders() that holds it; raises TXBadFile
     * naming every one of them when none does.
     */
    static std::string FindDataFile(const std::string& name);
    /**
     * The whole program: builds it, shows the frame maximized, opens the turn file of the
     * command line (args: at most one) and runs the message loop (runLoop). Returns its
     * status, 1 after reporting why the program could not start, 2 for a bad command line.
     */
    static int Start(const std::vector<std::string>& args, const std::function<int()>& runLoop);
    /**
     * Answers "--help" and "--version", the only argument given, with a line on out; the exit
     * status (0), or none for any other command line, which starts the program.
     */
    static std::optional<int> AnswerInformation(const std::vector<std::string>& args,
                                                std::ostream& out);
    /** Start-up without a display: says what is wrong, the pictures first; status 1. */
    static int NoDisplay();
    /** Tells the player why start-up failed: on the terminal, and in a box if shown is set. */
    static void ReportStartupFailure(const std::string& reason, bool box);

private:
    std::string MapFileName;
    std::unique_ptr<TSplashWindow> SplashWindow;
    std::unique_ptr<TStatusBar> StatusBar;
    std::unique_ptr<TControlBar> ToolBar;
    std::unique_ptr<TListPanel> Panel;
    std::unique_ptr<KVKWindow> MapWindow;
    std::unique_ptr<TDecoratedFrame> MainFrame;
};
