#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        Shown = true;
    }
}

BusyCursor::~BusyCursor() {
    if (Shown && QCoreApplication::instance())
        QGuiApplication::restoreOverrideCursor();
}
