#pragma once

#include <QtGlobal>

#include <QString>

/**
 * Keeps the offscreen platform's warning that it cannot grab the mouse, given at every drag
 * and slide, out of the soak's output; every other message passes.
 */
class QuietMouseGrab {
public:
    QuietMouseGrab() { Previous = qInstallMessageHandler(&Filter); }
    ~QuietMouseGrab() { qInstallMessageHandler(Previous); }
    QuietMouseGrab(const QuietMouseGrab&) = delete;
    QuietMouseGrab& operator=(const QuietMouseGrab&) = delete;

private:
    static void Filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (text.contains(QStringLiteral("does not support grabbing the mouse")))
            return;
        if (Previous)
            Previous(type, context, text);
    }
    static inline QtMessageHandler Previous = nullptr;
};
