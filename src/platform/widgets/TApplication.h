#pragma once

#include "DialogConstants.h"

class TWindow;

/**
 * The program as the game code sees it. For now it offers the message box; under ModalHooks
 * the box answers from the hooks' queue instead of waiting for a person.
 */
class TApplication {
public:
    /**
     * Shows a modal message box over owner (or over the active window when owner is null or
     * not on screen) and returns the id of the button pressed: IDOK, IDCANCEL, IDYES or IDNO.
     * text and caption are Windows-1252; "\n" breaks a line; a null caption shows "Error".
     * flags combine one of MB_OK, MB_OKCANCEL, MB_YESNOCANCEL, MB_YESNO with at most one icon
     * (MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONINFORMATION, MB_ICONSTOP; none: no icon)
     * and MB_DEFBUTTON2 or MB_DEFBUTTON3 to make a later button the one Enter presses.
     * Closing the box without a button gives IDCANCEL, or IDOK for a box with only OK, or
     * IDNO for a Yes/No box.
     */
    static int MessageBox(TWindow* owner, const char* text, const char* caption,
                          unsigned flags = MB_OK);
};
