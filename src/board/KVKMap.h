#pragma once

#include "CombatList.h"
#include "Counter.h"
#include "CounterRecord.h"
#include "Hex.h"
#include "MapBoard.h"
#include "TOpenSaveData.h"
#include "TWindow.h"

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

/**
 * The game board: every hex of the map, the 220 unit counters while a turn is loaded, and
 * the name of the turn file. Each operation changes the model and draws the change at once,
 * into the map surface and into the window, redrawing only the stacks concerned. The board
 * keeps its window only for what every window offers: scroll position, repainting, mouse
 * capture and the program module.
 */
class KVKMap : public MapBoard {
public:
    static constexpr int Units = 220;
    static constexpr int SlideSteps = 120;

    /**
     * A board on the map picture. makeCombats makes the board's combat list, now and at
     * every clearing; a board cannot be made without one (std::invalid_argument).
     */
    KVKMap(TWindow* window, HINSTANCE module, const char* mapFileName,
           CombatListFactory makeCombats);
    ~KVKMap() override;

    bool HasCounters(const TPoint& mapPoint) override;
    TResId TopCounterPicture(const TPoint& mapPoint) override;
    bool TopCounterHasMoved(const TPoint& mapPoint) override;
    bool TopCounterCanMove(const TPoint& mapPoint) override;
    bool MoveTopCounter(const TPoint& from, const TPoint& to, const TPoint& scroll,
                        TDC& dc) override;
    TPoint ReturnToStart(const TPoint& p, const TPoint& scroll, TDC& dc) override;
    void RotateStack(const TPoint& p, const TPoint& scroll, TDC& dc) override;
    void CycleMark(const TPoint& p, const TPoint& scroll, TDC& dc) override;

    /** Moves every counter of the hex under from, one by one: the stack arrives upside down. */
    void MoveAll(const TPoint& from, const TPoint& to, const TPoint& scroll, TDC& dc);
    /** Moves the top counter between two map points without asking whether it may move. */
    void TransferTopCounter(const TPoint& from, const TPoint& to, const TPoint& scroll, TDC& dc);
    /** The step between the counters of hex h once it holds its count plus delta. */
    TPoint StackSpread(int hex, int delta) const;
    /** Slides a counter picture across the window between two client points. */
    void AnimateSlide(TResId picture, int fromX, int fromY, int toX, int toY);
    /** Puts the map picture back under every stack and forgets the loaded turn. */
    void ClearBoard();

    /** Declares a combat against the hex under the map point. */
    void DeclareCombat(TDC& dc, const TPoint& scroll, const TPoint& mapPoint);
    void ShowAllCombats(TDC& dc, const TPoint& scroll);
    void ClearAllCombats(TDC& dc, const TPoint& scroll);
    /** Shows the results of the combats against a hex. */
    void ShowCombatAt(int hexIndex);
    CombatList& Combats() { return *CombatsList; }

    /**
     * Creates the 220 counters from their records (current hex, start hex, mark), stacked in
     * unit index order without drawing, marks the turn as loaded and labels the counters.
     * Records naming a hex outside the grid or an unknown mark are refused as a whole: the
     * board is then left empty and the result is false.
     */
    bool LoadCounters(const std::array<CounterRecord, Units>& records);
    /** Draws every stack into the map surface, as a freshly loaded turn is shown. */
    void DrawLoadedTurn();
    void AssignUnitLabels();
    /**
     * Where every unit stands, as the unit file keeps it: the hexes of its position and its
     * start position, and its mark. All zero when no turn is loaded.
     */
    std::array<CounterRecord, Units> Records() const;
    /** Writes the plain-text movement report beside the unit file, replacing any older one. */
    void WriteMovementReport(std::string unitFileName);

    static int PictureOfUnit(int unit) { return unit < 202 ? 2001 + unit : 2202; }
    /** Every picture a counter can show: the units' pictures, then the marks'. */
    static std::vector<TResId> CounterPictures();

    Hex& HexAtIndex(int index) { return *Hexes[std::size_t(index)]; }
    Counter* GetCounter(int unit) const { return Counters[std::size_t(unit)].get(); }
    TWindow* GetWindow() const { return Window; }

    /** How long the slide of Return to Start takes; tests set 0. */
    static std::chrono::milliseconds SlideDuration;

    TOpenSaveData FileData;
    bool TurnLoaded = false;

private:
    Hex& HexUnder(const TPoint& mapPoint) { return HexAtIndex(HexAt(mapPoint)); }
    std::unique_ptr<CombatList> NewCombatList();
    void WithCapture(void (CombatList::*markers)(TDC&, const TPoint&), TDC& dc,
                     const TPoint& scroll);
    void Transfer(Hex& from, Hex& to, const TPoint& scroll, TDC& dc);

    std::vector<std::unique_ptr<Hex>> Hexes;
    std::array<std::unique_ptr<Counter>, Units> Counters;
    std::unique_ptr<CombatList> CombatsList;
    CombatListFactory MakeCombats;
    TWindow* Window;
};
