#pragma once

#include <QObject>

/**
 * Ends a program at the moment its main window is first on the screen, told the same way for
 * kurvask and for the minimal window, so that bench/startup.sh compares like with like.
 *
 * The moment is the first paint of a top-level QMainWindow that is exposed and maximized, at
 * most as large as the screen's available area with its frame: with a window manager, a paint
 * at the size asked for before the manager has maximized the window does not count. Once that
 * paint has been flushed and the display server has taken it (a round trip), the probe prints
 * the wall-clock time in microseconds since the epoch ("frame <us>") and the peak memory so far
 * ("VmHWM: ..."), then quits. Install it (as an event filter on the application) before the
 * window is shown.
 */
class FirstFrameProbe : public QObject {
public:
    FirstFrameProbe();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report();

    bool Seen = false;
};
