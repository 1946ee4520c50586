#include "KVKWindow.h"

#include "BusyCursor.h"
#include "CaECombats.h"
#include "DialogConstants.h"
#include "TApplication.h"
#include "TClientDC.h"
#include "TDialog.h"
#include "TDib.h"
#include "TXBadFile.h"

#include <algorithm>
#include <cstdint>
#include <string>

KVKWindow::KVKWindow(TWindow* parent, TTextGadget* hexGadget, TTextGadget* moveGadget,
                     const char* mapFileName)
    : Instance(GetModule()), Status(hexGadget, moveGadget) {
    (void)parent; // the frame adopts the window as its client
    // Provisional ranges; the first size event sets the real ones.
    SetScrollRange(160, 144);
    CmModeMove();
    CmModeRotate();
    Palette = std::make_unique<TPalette>(TDib(Instance, PaletteBitmap));
    ForgetMove();
    Board = std::make_unique<KVKMap>(this, Instance, mapFileName, &CaECombats::Make);
    // Counters are drawn and hexes found anywhere on the grid: a smaller picture would leave
    // part of the board where no one can see or reach it. A larger one is used as it is.
    if (Board->MapWidth() < MapBoard::GridWidth || Board->MapHeight() < MapBoard::GridHeight)
        throw TXBadFile(
            mapFileName ? mapFileName : "",
            "the picture is " + std::to_string(Board->MapWidth()) + " x " +
                std::to_string(Board->MapHeight()) + " pixels; the map needs at least " +
                std::to_string(MapBoard::GridWidth) + " x " + std::to_string(MapBoard::GridHeight));
    Turns = std::make_unique<TurnFile>(*Board);
    RealizeGamePalette();
}

KVKWindow::~KVKWindow() {
    Drag.Cancel();
    Turns.reset();
    Board.reset();
    Palette.reset();
}

bool KVKWindow::CanClose() {
    // Closing in the middle of a drag gives the drag up first: the question must not come up
    // while the mouse is held and its cursor hidden.
    Drag.Cancel();
    return SaveOrGiveUpUnsavedWork();
}

bool KVKWindow::SaveOrGiveUpUnsavedWork() {
    if (!Modified)
        return true;
    const int answer = TApplication::MessageBox(this, "Do you want to Save?", "Brisvane",
                                                MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL)
        return false;
    if (answer == IDYES)
        CmSaveTurn(); // a save that does not complete keeps the work, and the program open
    return answer == IDNO || !Modified;
}

void KVKWindow::Paint(TDC& dc, bool, const TRect&) {
    if (Zoomed) {
        Board->PaintMapScaled(dc, GetClientRect());
        return;
    }
    Board->PaintMap(dc);
    // A window larger than the map shows nothing beside and below it, not what the stretched
    // map left there. The context's coordinates are map coordinates.
    const TPoint s = GetScrollPos();
    const TRect client = GetClientRect();
    const int w = Board->MapWidth(), h = Board->MapHeight();
    dc.FillRect({w, s.y, s.x + client.right, s.y + client.bottom}, OutsideMap);
    dc.FillRect({s.x, h, w, s.y + client.bottom}, OutsideMap);
}

void KVKWindow::EvSize(unsigned sizeType, const TSize&) {
    if (!Board || sizeType == SIZE_MINIMIZED)
        return; // a size event while the board is still being built, or an icon
    UpdateScrollRange();
    Invalidate(false);
}

bool KVKWindow::EvQueryNewPalette() {
    return RealizeGamePalette();
}

void KVKWindow::EvPaletteChanged(const TWindow* changedBy) {
    if (changedBy == this)
        return;
    TClientDC dc(*this);
    dc.SelectObject(*Palette, false);
    dc.RealizePalette();
    dc.UpdateColors();
    dc.RestorePalette();
}

bool KVKWindow::RealizeGamePalette() {
    TClientDC dc(*this);
    dc.SelectObject(*Palette, false);
    dc.RealizePalette();
    Invalidate(true);
    UpdateWindow();
    dc.RestorePalette();
    return true;
}

void KVKWindow::UpdateScrollRange() {
    const TRect client = GetClientRect();
    if (Zoomed)
        SetScrollRange(0, 0);
    else
        SetScrollRange(std::max(0, Board->MapWidth() - client.Width()),
                       std::max(0, Board->MapHeight() - client.Height()));
    ScrollTo(0, 0);
    UpdateArrowScale(); // the arrows follow the map: at full size, or stretched with it
    Invalidate(false);
}

void KVKWindow::ForgetMove() {
    StartPoint = MapBoard::NoPoint;
    LastPoint = MapBoard::NoPoint;
}

bool KVKWindow::InActiveArea(const TPoint& p) const {
    return GetClientRect().Contains(p + TPoint(ActiveMargin, ActiveMargin));
}

TPoint KVKWindow::SeenMapPoint(const TPoint& p) const {
    if (!Zoomed)
        return ClientToMap(p);
    // Zoomed, the whole map is stretched over the client area: the pointer is mapped back
    // through the stretch, so the status bar names the hex the player points at.
    const TRect client = GetClientRect();
    if (client.Width() <= 0 || client.Height() <= 0)
        return p;
    return {int(std::int64_t(p.x) * Board->MapWidth() / client.Width()),
            int(std::int64_t(p.y) * Board->MapHeight() / client.Height())};
}

// ---- Modes -------------------------------------------------------------------------------

void KVKWindow::SetLeftMode(int id) {
    LeftMode = id;
    ShowModeCursor();
}

void KVKWindow::SetRightMode(int id) {
    RightMode = id; // the cursor follows the left button's mode only
}

void KVKWindow::ShowModeCursor() {
    switch (LeftMode) {
    case ModeReturnId:
        return SetCursor(Instance, ReturnCursor);
    case ModeCombatId:
        return SetCursor(Instance, CombatCursor);
    default:
        return SetCursor(Instance, MoveAllMode ? MoveAllCursor : TResId(TCursor::Arrow));
    }
}

void KVKWindow::CmModeMove() {
    SetLeftMode(ModeMoveId);
}

void KVKWindow::CmModeReturn() {
    SetLeftMode(ModeReturnId);
}

void KVKWindow::CmModeCombat() {
    SetLeftMode(ModeCombatId);
}

void KVKWindow::CmModeRotate() {
    SetRightMode(ModeRotateId);
}

void KVKWindow::CmModeMark() {
    SetRightMode(ModeMarkId);
}

void KVKWindow::CmModeShowCombat() {
    SetRightMode(ModeShowCombatId);
}

void KVKWindow::CmMoveAll() {
    MoveAllMode = !MoveAllMode;
    ShowModeCursor(); // in Move mode the cursor follows at once
}

void KVKWindow::CmZoom() {
    Zoomed = !Zoomed;
    UpdateScrollRange();
}

void KVKWindow::ModeEnabler(TCommandEnabler& ce, bool on) const {
    ce.SetCheck(on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(!Zoomed);
}

void KVKWindow::CeModeMove(TCommandEnabler& ce) {
    ModeEnabler(ce, LeftMode == ModeMoveId);
}

void KVKWindow::CeModeReturn(TCommandEnabler& ce) {
    ModeEnabler(ce, LeftMode == ModeReturnId);
}

void KVKWindow::CeModeCombat(TCommandEnabler& ce) {
    ModeEnabler(ce, LeftMode == ModeCombatId);
}

void KVKWindow::CeModeRotate(TCommandEnabler& ce) {
    ModeEnabler(ce, RightMode == ModeRotateId);
}

void KVKWindow::CeModeMark(TCommandEnabler& ce) {
    ModeEnabler(ce, RightMode == ModeMarkId);
}

void KVKWindow::CeModeShowCombat(TCommandEnabler& ce) {
    ModeEnabler(ce, RightMode == ModeShowCombatId);
}

void KVKWindow::CeMoveAll(TCommandEnabler& ce) {
    ModeEnabler(ce, MoveAllMode);
}

void KVKWindow::CeZoom(TCommandEnabler& ce) {
    ce.SetCheck(Zoomed ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    ce.Enable(true);
}

void KVKWindow::CeUndoMove(TCommandEnabler& ce) {
    ce.Enable(StartPoint != MapBoard::NoPoint && LastPoint != MapBoard::NoPoint && !Zoomed);
}

namespace {

// The window's response table: each command with its handler and, where it has one, its
// enabler, in the order of the menu.
struct CommandEntry {
    int Id;
    void (KVKWindow::*Run)();
    void (KVKWindow::*Enable)(TCommandEnabler&);
};

constexpr CommandEntry Commands[] = {
    {KVKWindow::OpenTurnId, &KVKWindow::CmOpenTurn, nullptr},
    {KVKWindow::SaveTurnId, &KVKWindow::CmSaveTurn, nullptr},
    {KVKWindow::UndoMoveId, &KVKWindow::CmUndoMove, &KVKWindow::CeUndoMove},
    {KVKWindow::MoveAllId, &KVKWindow::CmMoveAll, &KVKWindow::CeMoveAll},
    {KVKWindow::ZoomId, &KVKWindow::CmZoom, &KVKWindow::CeZoom},
    {KVKWindow::ModeMoveId, &KVKWindow::CmModeMove, &KVKWindow::CeModeMove},
    {KVKWindow::ModeCombatId, &KVKWindow::CmModeCombat, &KVKWindow::CeModeCombat},
    {KVKWindow::ModeReturnId, &KVKWindow::CmModeReturn, &KVKWindow::CeModeReturn},
    {KVKWindow::ModeRotateId, &KVKWindow::CmModeRotate, &KVKWindow::CeModeRotate},
    {KVKWindow::ModeMarkId, &KVKWindow::CmModeMark, &KVKWindow::CeModeMark},
    {KVKWindow::ModeShowCombatId, &KVKWindow::CmModeShowCombat, &KVKWindow::CeModeShowCombat},
    {KVKWindow::ShowAllId, &KVKWindow::CmShowAll, nullptr},
    {KVKWindow::ClearAllId, &KVKWindow::CmClearAll, nullptr},
    {KVKWindow::ShowMovesId, &KVKWindow::CmShowMoves, &KVKWindow::CeShowMoves},
    {KVKWindow::ReviewPanelId, &KVKWindow::CmReviewPanel, &KVKWindow::CeReviewPanel},
    {KVKWindow::NextMoveId, &KVKWindow::CmNextMove, &KVKWindow::CeNextMove},
    {KVKWindow::PreviousMoveId, &KVKWindow::CmPreviousMove, &KVKWindow::CePreviousMove},
    {KVKWindow::AboutId, &KVKWindow::CmAbout, nullptr},
};

const CommandEntry* FindCommand(int id) {
    for (const CommandEntry& c : Commands)
        if (c.Id == id)
            return &c;
    return nullptr;
}

} // namespace

bool KVKWindow::RunCommand(int id) {
    const CommandEntry* command = FindCommand(id);
    if (!command)
        return false;
    // A drag is one action from press to release: nothing else runs in its middle.
    if (!Drag.Active())
        (this->*command->Run)();
    return true;
}

void KVKWindow::EnableCommand(TCommandEnabler& ce) {
    const CommandEntry* command = FindCommand(ce.GetId());
    if (command && command->Enable)
        (this->*command->Enable)(ce);
    if (command && Drag.Active())
        ce.Enable(false);
}

// ---- Commands with board or file work ----------------------------------------------------

void KVKWindow::CmOpenTurn() {
    // Unsaved work is not lost to another turn without asking.
    if (!SaveOrGiveUpUnsavedWork())
        return;
    if (Zoomed) {
        Zoomed = false;
        UpdateScrollRange();
        Invalidate(true);
    }
    bool opened = false;
    SetMainCaption(Turns->OpenTurn(true, opened));
    Invalidate(true);
    if (opened) {
        // The move memory and the unsaved changes belonged to the turn that went.
        ForgetMove();
        Modified = false;
        TurnOpened();
    }
}

void KVKWindow::CmSaveTurn() {
    bool completed = false;
    SetMainCaption(Turns->SaveTurn(completed));
    Invalidate(true);
    if (completed) {
        // The board was reopened from the files just written, each stack in unit order: the
        // move memory pointed into stacks that are gone, and Undo would take whichever
        // counter is now on top.
        ForgetMove();
        Modified = false;
        TurnOpened();
    }
}

void KVKWindow::CmUndoMove() {
    if (StartPoint == MapBoard::NoPoint || LastPoint == MapBoard::NoPoint)
        return;
    TClientDC dc(*this);
    Board->TransferTopCounter(LastPoint, StartPoint, GetScrollPos(), dc);
    ForgetMove();
    TurnChanged();
}

// Zoomed, the window shows the map stretched, where the markers drawn at full size land in
// the wrong places: the window is painted again from the map surface.
void KVKWindow::CmShowAll() {
    BusyCursor busy;
    TClientDC dc(*this);
    Board->ShowAllCombats(dc, GetScrollPos());
    if (Zoomed)
        Invalidate(false);
}

void KVKWindow::CmClearAll() {
    BusyCursor busy;
    TClientDC dc(*this);
    Board->ClearAllCombats(dc, GetScrollPos());
    if (Zoomed)
        Invalidate(false);
}

void KVKWindow::CmAbout() {
    TDialog(this, AboutDialog).Execute();
}
