#pragma once

/**
 * Shows the normal arrow for as long as it lives, over a wait cursor that a BusyCursor put up:
 * a message box or dialog that comes up in the middle of long work waits for the player, who
 * must not be told to wait. The wait cursor comes back when it ends.
 */
class ModalCursor {
public:
    ModalCursor();
    ~ModalCursor();
    ModalCursor(const ModalCursor&) = delete;
    ModalCursor& operator=(const ModalCursor&) = delete;

    /** Whether the program shows the wait cursor now. */
    static bool WaitShown();

private:
    bool Shown = false;
};
