#pragma once

#include "KVKWindow.h"
#include "TFrameWindow.h"

#include <functional>
#include <memory>
#include <string>

/**
 * The program: the main frame "Kurvask" around the map window, on the map picture
 * "kvkmap.bmp" of the working directory. A map picture that cannot be used ends start-up
 * with a message that names the file and what is wrong, on the terminal and in a message box.
 */
class KVKApp {
public:
    static constexpr const char* MapFile = "kvkmap.bmp";

    /** Builds the map window and the frame; raises TXBadFile when the map is unusable. */
    explicit KVKApp(const char* mapFile = MapFile);
    ~KVKApp();

    KVKWindow& Window() { return *MapWindow; }
    /** The status-bar fields of the hex label (600) and of the top counter's move (601). */
    TTextGadget& HexGadget() { return HexField; }
    TTextGadget& MoveGadget() { return MoveField; }
    TFrameWindow& Frame() { return *MainFrame; }

    /**
     * Builds the program, shows the frame maximized and runs the message loop (runLoop);
     * returns its status, or 1 after reporting why the program could not start.
     */
    static int Start(const char* mapFile, const std::function<int()>& runLoop);
    /** Start-up without a display: says what is wrong, the map picture first; status 1. */
    static int NoDisplay(const char* mapFile = MapFile);
    /** Tells the player why start-up failed: on the terminal, and in a box if shown is set. */
    static void ReportStartupFailure(const std::string& reason, bool box);

private:
    TTextGadget HexField{600};
    TTextGadget MoveField{601};
    std::unique_ptr<KVKWindow> MapWindow;
    std::unique_ptr<TFrameWindow> MainFrame;
};
