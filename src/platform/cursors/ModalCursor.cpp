#include "ModalCursor.h"

#include <QCursor>
#include <QGuiApplication>

ModalCursor::ModalCursor() {
    if (WaitShown()) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
        Shown = true;
    }
}

ModalCursor::~ModalCursor() {
    if (Shown && QCoreApplication::instance())
        QGuiApplication::restoreOverrideCursor();
}

bool ModalCursor::WaitShown() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}
