#pragma once

#include "DialogConstants.h"

#include <memory>
#include <thread>

class QApplication;
class TWindow;

/**
 * The program as the game code sees it: the one application object with its message loop,
 * and the message box; under ModalHooks the box answers from the hooks' queue instead of
 * waiting for a person.
 */
class TApplication {
public:
    /** Starts the application on the desktop; needs a display (see DisplayAvailable). */
    TApplication(int& argc, char** argv);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    /**
     * Runs the message loop until the last window closes; returns the exit status. With the
     * environment variable KURVASK_TEST_PRINT_CAPTION set (by the install tests), prints the
     * main window's caption and quits at once instead, and message boxes do not wait.
     */
    int Run();
    /** Whether there is a display to show windows on (or a platform chosen explicitly). */
    static bool DisplayAvailable();

    /**
     * Shows a modal message box over owner (or over the active window when owner is null or
     * not on screen) and returns the id of the button pressed: IDOK, IDCANCEL, IDYES or IDNO.
     * text and caption are in the system's encoding, as the file names they may hold are (the
     * program's own texts are plain ASCII); "\n" breaks a line; a null caption shows "Error".
     * The wait cursor gives way to the arrow while the box waits for the player.
     * flags combine one of MB_OK, MB_OKCANCEL, MB_YESNOCANCEL, MB_YESNO with at most one icon
     * (MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION, MB_ICONSTOP; none: no icon)
     * and MB_DEFBUTTON2 or MB_DEFBUTTON3 to make a later button the one Enter presses.
     * Closing the box without a button gives IDCANCEL, or IDOK for a box with only OK, or
     * IDNO for a Yes/No box.
     */
    static int MessageBox(TWindow* owner, const char* text, const char* caption,
                          unsigned flags = MB_OK);

private:
    std::unique_ptr<QApplication> App;
    std::thread WarmUp;
};
