#pragma once

#include "CounterRecord.h"
#include "UnitRoster.h"

#include <array>
#include <string>

/**
 * The plain-text movement report of a turn: a header, then one line per unit that stands on
 * the map now or stood there when the turn began (label, start hex, current hex and a note),
 * with a line of tildes between the Soviet and the Axis units.
 */
class MovementReport {
public:
    static constexpr const char* Header = "Unit               From        To\n";
    static constexpr const char* Separator = "\n~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~\n\n";

    /** The report's text for the units where they stand, labelled from the roster. */
    static std::string Text(const std::array<CounterRecord, UnitRoster::Units>& records);
};
