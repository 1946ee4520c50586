#include "ShowCursor.h"

#include <QCursor>
#include <QGuiApplication>

int ShowCursor(bool show) {
    static int count = 0;
    if (show) {
        if (++count == 0 && qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    } else {
        if (--count == -1 && qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    }
    return count;
}
