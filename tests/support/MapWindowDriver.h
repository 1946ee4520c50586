#pragma once

#include "CombatScript.h"
#include "HexGrid.h"
#include "KVKWindow.h"
#include "ModalHooks.h"
#include "TCommandEnabler.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>

/**
 * The real map window worked as a player works it: mouse presses, moves and releases on its
 * viewport, keys, commands run as their menu items run them (only when enabled), and the
 * questions of a save answered in advance on the hooks in force.
 */
class MapWindowDriver {
public:
    explicit MapWindowDriver(KVKWindow& window) : Window(window) {}

    QAbstractScrollArea* Widget() const {
        return static_cast<QAbstractScrollArea*>(Window.GetWidget());
    }
    QWidget* Viewport() const { return Widget()->viewport(); }
    /** The client point of the middle of a hex's body, at the current scroll position. */
    TPoint At(int hex) const {
        return HexGrid::Origin(hex) + TPoint(12, 20) - Window.GetScrollPos();
    }

    void Press(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) const {
        QTest::mousePress(Viewport(), b, {}, Q(p));
    }
    void Release(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) const {
        QTest::mouseRelease(Viewport(), b, {}, Q(p));
    }
    void Click(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) const {
        Press(p, b);
        Release(p, b);
    }
    /**
     * The pointer moves over the viewport. Sent to it directly, as the test library's moves
     * reach only the window under the pointer, which another top-level window may hide.
     */
    void MoveTo(const TPoint& p) const {
        QMouseEvent move(QEvent::MouseMove, Q(p), Viewport()->mapToGlobal(Q(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Viewport(), &move);
    }
    /**
     * A drag as a player makes it: press, steps - 1 moves on the way, the move onto to,
     * release. Never through (0, 0), which the test library takes for the widget's middle.
     */
    void Drag(const TPoint& from, const TPoint& to, int steps = 4) const {
        Press(from);
        for (int i = 1; i < steps; ++i) {
            const TPoint on =
                from + TPoint((to.x - from.x) * i / steps, (to.y - from.y) * i / steps);
            if (on.x != 0 || on.y != 0)
                MoveTo(on);
        }
        MoveTo(to);
        Release(to);
    }
    void Key(Qt::Key key) const { QTest::keyClick(Widget(), key); }
    /** The wheel turned by notches (positive: towards the user) with the pointer at p. */
    void Wheel(const TPoint& p, int notches, Qt::KeyboardModifiers modifiers = {}) const {
        const QPointF at(Q(p));
        QWheelEvent wheel(at, Viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(Viewport(), &wheel);
    }

    /** What the command's enabler says now. */
    TCommandEnabler Ask(int id) const {
        TCommandEnabler ce(id);
        Window.EnableCommand(ce);
        return ce;
    }
    bool Enabled(int id) const { return Ask(id).IsEnabled(); }
    /** Runs a command as its menu item does, which only an enabled command can; whether it ran. */
    bool Command(int id) const {
        if (!Enabled(id))
            return false;
        EXPECT_TRUE(Window.RunCommand(id)) << "command " << id;
        return true;
    }

    /** In Combat mode, a click on the hex declares a combat resolved as the script says. */
    void DeclareCombat(int hex, const std::string& comment,
                       int oddsButton = CombatScript::ThreeToOne) const {
        Window.CmModeCombat();
        CombatScript::Resolve(comment, oddsButton);
        Click(At(hex));
    }
    /** Queues the answers of a save: the end-of-turn question, then the file chosen. */
    static void AnswerSave(int endOfTurn, const std::string& path) {
        ModalHooks::Active()->AnswerMessageBox(endOfTurn);
        ModalHooks::Active()->AnswerFileDialog(path);
    }

private:
    static QPoint Q(const TPoint& p) { return {p.x, p.y}; }

    KVKWindow& Window;
};
