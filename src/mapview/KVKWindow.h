#pragma once

#include "CounterDrag.h"
#include "HexStatus.h"
#include "KVKMap.h"
#include "TColor.h"
#include "TCommandEnabler.h"
#include "TListPanel.h"
#include "TPalette.h"
#include "TScrollWindow.h"
#include "TTextGadget.h"
#include "TurnFile.h"
#include "TurnReview.h"

#include <memory>
#include <string>

/**
 * The map window: the client of the main frame and the only view of the game. It owns the
 * game board (with the program's real combat list) and shows its map surface, at full size
 * behind two scroll bars or stretched to fill the window (Zoom). Painting is one copy or one
 * stretch of the surface, which already holds every counter and marker.
 *
 * Everything the player does arrives here: the commands of the menu and tool bar, and the
 * mouse. The left button acts by the left-click mode (Move, Return to Start Hex, Combat),
 * the right button by the right-click mode (Rotate, Surr/Rail/Rep, Show Combat). A counter is
 * moved by dragging it; the last single move can be undone. Two status-bar fields follow the
 * hex under the mouse. Every change of the turn counts as unsaved, and neither closing nor
 * opening another turn loses unsaved work without asking.
 *
 * The review shows what moved in the turn: arrows over the map for the moves received with it
 * and the player's own moves, and a panel listing them with the turn's combats, stepped
 * through with Next Move and Previous Move. The arrows float over the window; the map surface
 * never holds them.
 *
 * A drag is one action from press to release: while it lasts, right presses and every command
 * (menu, tool bar, shortcut) are refused, and Escape gives it up with the counter left where it
 * was. The move memory behind Undo changes only when the counter is dropped.
 */
class KVKWindow : public TScrollWindow {
public:
    static constexpr const char* MapFile = "kvkmap.bmp";
    /** The band along the right and bottom edges that takes no presses. */
    static constexpr int ActiveMargin = 12;
    static constexpr TResId CombatCursor = 1450, MoveAllCursor = 1451, ReturnCursor = 1452;
    static constexpr TResId PaletteBitmap = 700, AboutDialog = 501;
    /** Pixels of this colour in a counter picture are transparent in the drag image. */
    static constexpr TColor DragMask = CounterDrag::Mask;
    /** The colour of what the window shows beside and below a map smaller than itself. */
    static constexpr TColor OutsideMap{0, 0, 0};

    enum Command {
        OpenTurnId = 400,
        SaveTurnId = 401,
        UndoMoveId = 405,
        MoveAllId = 406,
        ZoomId = 407,
        ModeMoveId = 410,
        ModeReturnId = 412,
        ModeCombatId = 413,
        ClearAllId = 420,
        ShowAllId = 421,
        ModeShowCombatId = 422,
        ModeRotateId = 423,
        ModeMarkId = 424,
        ShowMovesId = 430,
        ReviewPanelId = 431,
        NextMoveId = 432,
        PreviousMoveId = 433,
        AboutId = 500,
    };

    /**
     * Builds the board on the map picture; raises TXBadFile when it is unusable. The two
     * status-bar fields (either may be null) show the hex label and whether its top counter
     * has moved.
     */
    KVKWindow(TWindow* parent, TTextGadget* hexGadget, TTextGadget* moveGadget,
              const char* mapFileName = MapFile);
    ~KVKWindow() override;

    /** Whether the program may close: asks to save unsaved work; false keeps it open. */
    bool CanClose() override;
    void Paint(TDC& dc, bool erase, const TRect& rect) override;
    void EvSize(unsigned sizeType, const TSize& size) override;
    bool EvQueryNewPalette();
    /** Another window changed the palette; changedBy is null or that window. */
    void EvPaletteChanged(const TWindow* changedBy);
    bool RealizeGamePalette();
    /**
     * Scroll ranges from the client size: what of the map does not fit; none while zoomed.
     * The arrows' scale follows.
     */
    void UpdateScrollRange();
    /** Client point to map point: the scroll offset added, never a zoom factor. */
    TPoint ClientToMap(const TPoint& p) const { return p + GetScrollPos(); }
    /** Empties the move memory: Undo Last Move is not available. */
    void ForgetMove();

    void CmOpenTurn();
    void CmSaveTurn();
    void CmUndoMove();
    void CmMoveAll();
    void CmZoom();
    void CmModeMove();
    void CmModeReturn();
    void CmModeCombat();
    void CmModeRotate();
    void CmModeMark();
    void CmModeShowCombat();
    void CmShowAll();
    void CmClearAll();
    void CmAbout();
    void CmShowMoves();
    void CmReviewPanel();
    void CmNextMove();
    void CmPreviousMove();
    void CeShowMoves(TCommandEnabler& ce);
    void CeReviewPanel(TCommandEnabler& ce);
    void CeNextMove(TCommandEnabler& ce);
    void CePreviousMove(TCommandEnabler& ce);
    void CeUndoMove(TCommandEnabler& ce);
    void CeMoveAll(TCommandEnabler& ce);
    void CeZoom(TCommandEnabler& ce);
    void CeModeMove(TCommandEnabler& ce);
    void CeModeReturn(TCommandEnabler& ce);
    void CeModeCombat(TCommandEnabler& ce);
    void CeModeRotate(TCommandEnabler& ce);
    void CeModeMark(TCommandEnabler& ce);
    void CeModeShowCombat(TCommandEnabler& ce);

    /** Runs a command by its id, as its menu item or tool-bar button does; false if unknown. */
    bool RunCommand(int id) override;
    /** Asks the command's enabler; a command without one stays enabled and unchecked. */
    void EnableCommand(TCommandEnabler& ce) override;

    void EvLButtonDown(unsigned keys, const TPoint& p) override;
    void EvLButtonUp(unsigned keys, const TPoint& p) override;
    void EvRButtonDown(unsigned keys, const TPoint& p) override;
    void EvMouseMove(unsigned keys, const TPoint& p) override;
    /** Escape gives up a drag; true when the key was taken. */
    bool EvKeyDown(unsigned key) override;

    /**
     * Gives the window the review panel and the status-bar field that says why a turn has no
     * received moves (either may be null). The panel's rows follow the review from now on.
     */
    void AttachReview(TListPanel* panel, TTextGadget* statusGadget);
    /**
     * A turn was opened on the board (or none could be): reads its movement report, lists
     * and draws its moves afresh and says once, quietly, when there are no received moves.
     */
    void TurnOpened();
    const TurnReview& Review() const { return Reviewed; }

    KVKMap& Map() { return *Board; }
    /** The turn's files: opening and saving turns on this window's board. */
    TurnFile& Turn() { return *Turns; }
    /** Whether the turn has changes that are not saved. */
    bool IsModified() const { return Modified; }
    /** Whether a counter is being dragged. */
    bool IsDragging() const { return Drag.Active(); }

private:
    friend class MapWindowProbe; // what the tests look at and set up

    /**
     * A mouse mode: what a press of its button does. The left button's modes are Move, Return
     * to Start Hex and Combat, the right button's Rotate, Surr/Rail/Rep and Show Combat; each
     * is chosen by the command of its id. p is the client point pressed, m the map point.
     */
    struct MouseMode {
        int Id;
        void (KVKWindow::*Press)(const TPoint& p, const TPoint& m);
    };
    static const MouseMode LeftModes[3];
    static const MouseMode RightModes[3];
    static const MouseMode& ModeOf(const MouseMode (&modes)[3], int id);

    void PressMove(const TPoint& p, const TPoint& m);
    void PressReturn(const TPoint& p, const TPoint& m);
    void PressCombat(const TPoint& p, const TPoint& m);
    void PressRotate(const TPoint& p, const TPoint& m);
    void PressMark(const TPoint& p, const TPoint& m);
    void PressShowCombat(const TPoint& p, const TPoint& m);
    /** Drops the dragged counter at client point p: moved, moved with its stack, or rotated. */
    void Drop(const TPoint& origin, const TPoint& p);

    /** Whether a client point takes presses: not in the band along the right and bottom. */
    bool InActiveArea(const TPoint& p) const;
    /** The map point under a client point as the player sees it, zoomed or not. */
    TPoint SeenMapPoint(const TPoint& p) const;
    void SetLeftMode(int id);
    void SetRightMode(int id);
    /** The cursor of the left-click mode (in Move, the Move All cursor while that is on). */
    void ShowModeCursor();
    void ModeEnabler(TCommandEnabler& ce, bool on) const;
    /** The status texts for the point, written afresh. */
    void RefreshStatus(const TPoint& p);
    /**
     * Asks "Do you want to Save?" when the turn has unsaved work, and saves on Yes. False when
     * the player cancels or the save does not complete: the work stays on the board.
     */
    bool SaveOrGiveUpUnsavedWork();
    /** The turn changed on the board: unsaved, and the review follows. */
    void TurnChanged();
    /** Lists the review afresh in the panel and draws its arrows. */
    void RefreshReview();
    /** Shows the review's selection: its row, its arrow highlighted, the map scrolled to it. */
    void ShowSelection();
    /** Map points to client points: 1 at full size, the stretch while zoomed. */
    void UpdateArrowScale();

    HINSTANCE Instance;
    bool Modified = false;
    bool MoveAllMode = false;
    bool Zoomed = false;
    int LeftMode = ModeMoveId;
    int RightMode = ModeRotateId;
    // The move memory behind Undo Last Move: the top counter of LastPoint goes back to
    // StartPoint (map points; the no point when there is nothing to undo).
    TPoint StartPoint = MapBoard::NoPoint;
    TPoint LastPoint = MapBoard::NoPoint;
    HexStatus Status;
    TurnReview Reviewed;
    bool ShowMoves = true;
    TListPanel* Panel = nullptr;
    TTextGadget* ReviewGadget = nullptr;
    std::unique_ptr<TPalette> Palette;
    std::unique_ptr<KVKMap> Board;
    std::unique_ptr<TurnFile> Turns;
    CounterDrag Drag{*this};
};
