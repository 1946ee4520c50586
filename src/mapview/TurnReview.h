#pragma once

#include "KVKMap.h"
#include "ReceivedMoves.h"
#include "TArrow.h"
#include "TColor.h"

#include <string>
#include <vector>

/**
 * What a turn shows the player who reviews it: the moves received with it (read back from the
 * movement report beside the unit file), its combats, and the player's own moves (the counters
 * away from their start hexes, kept up to date as they move). They are listed in rows under
 * three headings, in the units' order for the moves, and drawn as arrows from the centre of
 * the hex a unit came from to the centre of the hex it stands on: received moves in one
 * colour, own moves in another, a move by rail dashed. One row may be selected; its arrow is
 * highlighted, and a selected combat rings its hex.
 */
class TurnReview {
public:
    enum class RowKind { Heading, Received, Combat, Own };
    struct Row {
        RowKind Kind = RowKind::Heading;
        /** The text the panel shows, in Windows-1252. */
        std::string Text;
        /** The hexes concerned: From is -1 where the unit came from off the map, and a combat
         *  has only To, its hex. */
        int From = -1;
        int To = -1;
        bool Rail = false;
    };

    static constexpr TColor ReceivedColor{255, 200, 0};
    static constexpr TColor OwnColor{0, 200, 255};
    static constexpr TColor CombatColor{255, 40, 40};
    static constexpr const char* OrderLine =
        "Moves are listed in the units' order, not in the order in which they were made.";
    static constexpr const char* NoReport = "No movement report";
    /** The largest movement report read: far more than 220 lines of a report can take. */
    static constexpr std::size_t ReportLimit = 1 << 20;

    /**
     * Reads the movement report beside a turn's unit file just loaded and matches it against
     * its units. Without a report, or with one that disagrees, there are no received moves and
     * StatusText says why.
     */
    void ReadReport(const std::string& unitFileName,
                    const std::array<CounterRecord, KVKMap::Units>& units);
    /** No turn: nothing received, nothing said. */
    void Forget();
    /**
     * Lists the received moves, the board's combats and its own moves afresh. The selection
     * stays on the same row when it is still there.
     */
    void Update(KVKMap& board);

    const std::vector<Row>& Rows() const { return RowList; }
    const std::vector<ReceivedMoves::Move>& Received() const { return ReceivedList; }
    /** "" when the report agreed with the turn; otherwise why there are no received moves. */
    const std::string& StatusText() const { return Status; }

    /** The selected row, -1 for none. */
    int Selected() const { return SelectedRow; }
    /** Selects a row that is not a heading; false (selection unchanged) otherwise. */
    bool Select(int row);
    /**
     * Selects the next (+1) or previous (-1) row that is not a heading; from no selection,
     * the first or the last. False when there is none to go to.
     */
    bool Step(int direction);
    /** Whether there is a row to step to in that direction. */
    bool CanStep(int direction) const;

    /**
     * The arrows to draw: every move's when moves are shown, else only the selected row's.
     * The selected row's arrow is highlighted; a selected combat, or a move from off the map,
     * is a ring around its hex.
     */
    std::vector<TArrow> Arrows(bool showMoves) const;
    /** The map point the selected row is about (the middle of its arrow); NoPoint for none. */
    TPoint SelectedPoint() const;
    /** The centre of a hex on the map picture. */
    static TPoint HexCentre(int hex);

private:
    /** Takes the moves of a matched report, or why there are none. */
    void TakeReport(const ReceivedMoves& moves);
    int StepTarget(int direction) const;

    std::vector<ReceivedMoves::Move> ReceivedList;
    std::string Status;
    std::vector<Row> RowList;
    int SelectedRow = -1;
};
