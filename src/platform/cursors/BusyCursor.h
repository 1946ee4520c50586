#pragma once

/**
 * Shows the system's wait cursor over the whole program for as long as it lives, for work
 * that keeps the program from answering (reading a turn file, resolving a combat). Holders
 * nest: the cursor that was shown before each one comes back when it ends. Without a running
 * GUI application it does nothing, so code that holds one also runs in command-line tools.
 */
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool Shown = false;
};
