// The map window's mouse: the six mouse modes, each a handler chosen from a table by the
// mode's command id, and the drag of a counter from press to drop.
#include "KVKWindow.h"

#include "TClientDC.h"

const KVKWindow::MouseMode KVKWindow::LeftModes[3] = {
    {ModeMoveId, &KVKWindow::PressMove},
    {ModeReturnId, &KVKWindow::PressReturn},
    {ModeCombatId, &KVKWindow::PressCombat},
};

const KVKWindow::MouseMode KVKWindow::RightModes[3] = {
    {ModeRotateId, &KVKWindow::PressRotate},
    {ModeMarkId, &KVKWindow::PressMark},
    {ModeShowCombatId, &KVKWindow::PressShowCombat},
};

const KVKWindow::MouseMode& KVKWindow::ModeOf(const MouseMode (&modes)[3], int id) {
    for (const MouseMode& mode : modes)
        if (mode.Id == id)
            return mode;
    return modes[0];
}

// ---- The left button ---------------------------------------------------------------------

// A press in the band along the right and bottom edges does nothing at all; one on an empty
// hex, or while zoomed, only empties the move memory.
void KVKWindow::EvLButtonDown(unsigned, const TPoint& p) {
    if (!InActiveArea(p) || Drag.Active())
        return;
    const TPoint m = ClientToMap(p);
    if (!Board->HasCounters(m) || Zoomed) {
        ForgetMove();
        return;
    }
    (this->*ModeOf(LeftModes, LeftMode).Press)(p, m);
}

// Move: the top counter is picked up. The drag keeps where it began; the move memory keeps
// the last move until the drop.
void KVKWindow::PressMove(const TPoint& p, const TPoint& m) {
    if (Board->TopCounterCanMove(m))
        Drag.Begin(Instance, Board->TopCounterPicture(m), m, p);
}

// Return to Start Hex: the top counter slides back to where it began the turn; Undo sends it
// back to the hex it was taken from.
void KVKWindow::PressReturn(const TPoint& p, const TPoint& m) {
    if (!Board->TopCounterCanMove(m))
        return;
    TClientDC dc(*this);
    StartPoint = m;
    LastPoint = Board->ReturnToStart(p, GetScrollPos(), dc);
    if (LastPoint != MapBoard::NoPoint)
        TurnChanged();
}

// Combat: a combat against the hex is declared and resolved through the combat dialog.
void KVKWindow::PressCombat(const TPoint&, const TPoint& m) {
    TClientDC dc(*this);
    Board->DeclareCombat(dc, GetScrollPos(), m);
    ForgetMove();
    TurnChanged(); // the combat and its die roll belong to the turn now
}

void KVKWindow::EvLButtonUp(unsigned, const TPoint& p) {
    if (Drag.Active())
        Drop(Drag.End(), p);
    Status.Forget();
    EvMouseMove(0, p);
}

// Let go outside the window, nothing moves and the last move stays the one to undo.
void KVKWindow::Drop(const TPoint& origin, const TPoint& p) {
    if (!GetClientRect().Contains(p))
        return;
    TClientDC dc(*this);
    const int from = MapBoard::HexAt(origin);
    const int to = MapBoard::HexAt(ClientToMap(p));
    if (from != to && MoveAllMode) {
        Board->MoveAll(origin, p, GetScrollPos(), dc);
        ForgetMove();
    } else if (from != to) {
        Board->MoveTopCounter(origin, p, GetScrollPos(), dc);
        StartPoint = origin;
        LastPoint = ClientToMap(p);
    } else {
        // Let go on its own hex, the stack turns over.
        Board->RotateStack(p, GetScrollPos(), dc);
        ForgetMove();
    }
    TurnChanged();
}

// ---- The right button --------------------------------------------------------------------

void KVKWindow::EvRButtonDown(unsigned, const TPoint& p) {
    // A right press in the middle of a drag would act on the board while the counter is in the
    // air (or open a dialog while the mouse is held): it is refused.
    if (Drag.Active())
        return;
    if (!Zoomed)
        (this->*ModeOf(RightModes, RightMode).Press)(p, ClientToMap(p));
    Status.Forget();
    EvMouseMove(0, p);
}

// Rotate: the bottom counter of the stack goes to the top.
void KVKWindow::PressRotate(const TPoint& p, const TPoint& m) {
    if (!Board->HasCounters(m))
        return;
    ForgetMove();
    TClientDC dc(*this);
    Board->RotateStack(p, GetScrollPos(), dc);
    TurnChanged();
}

// Surr/Rail/Rep: the top counter's mark steps on.
void KVKWindow::PressMark(const TPoint& p, const TPoint& m) {
    if (!Board->HasCounters(m))
        return;
    ForgetMove();
    TClientDC dc(*this);
    Board->CycleMark(p, GetScrollPos(), dc);
    TurnChanged();
}

// Show Combat: the results of the combats against the hex, found by its column strip and row
// band alone, with or without counters.
void KVKWindow::PressShowCombat(const TPoint&, const TPoint& m) {
    Board->ShowCombatAt(MapBoard::CoarseHexAt(m));
}

// ---- Keys and the pointer ----------------------------------------------------------------

bool KVKWindow::EvKeyDown(unsigned key) {
    if (key != VK_ESCAPE || !Drag.Active())
        return false;
    Drag.Cancel();
    Status.Forget(); // the status texts are written afresh at the next mouse move
    return true;
}

void KVKWindow::EvMouseMove(unsigned, const TPoint& p) {
    Drag.Move(p);
    if (InActiveArea(p))
        RefreshStatus(p);
}

void KVKWindow::RefreshStatus(const TPoint& p) {
    Status.Show(*Board, SeenMapPoint(p), Drag.Active());
}
