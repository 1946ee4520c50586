#pragma once

#include "CounterRecord.h"
#include "UnitRoster.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

/**
 * The moves of a received turn, read back from its movement report. A save resets every start
 * hex, so the unit file no longer shows what moved; the report beside it still does. Its lines
 * are matched against the unit file in unit order: a line belongs to the next unit whose roster
 * label it starts with and whose hex now is the line's To hex ("Off board" for a hex off the
 * map). Every unit on the map must have its line; a unit off the map may have one (it left the
 * map this turn) or none; the separator stands between the last Soviet and the first Axis unit.
 * A report that does not agree gives no moves at all, and names the first line that disagrees.
 * Line ends may be LF or CR LF.
 */
class ReceivedMoves {
public:
    struct Move {
        int Unit = 0;
        /** The hex the unit started from; -1 when it came from off the map. */
        int From = -1;
        /** The hex it stands on now (any hex off the map when it left the map). */
        int To = -1;
        /** "Rail", "Repl" or empty. */
        std::string Note;
        /** The report's line, as written, without its line end. */
        std::string Line;
    };

    /** Matches a report's text against the units of its unit file. */
    static ReceivedMoves Match(std::string_view report,
                               const std::array<CounterRecord, UnitRoster::Units>& units);

    /** Whether the report agrees with the unit file. */
    bool Ok() const { return FaultLine == 0; }
    /** The first line (from 1) that does not agree; 0 when the report agrees. */
    int FaultLine = 0;
    /** What is wrong there, in words. */
    std::string Reason;
    /** The report's first line, without its line end. */
    std::string HeaderLine;
    /**
     * The units that moved, in unit order: those whose report line has another From than To.
     * A unit whose start hex in the unit file already differs from its hex now (a turn saved
     * part way by the player) is the player's own move, and not listed here.
     */
    std::vector<Move> Moves;
};
