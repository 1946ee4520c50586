#pragma once

#include "CounterRecord.h"

#include <array>
#include <string>

/**
 * What reading a unit file gave: the record of every unit, or, for a file that cannot be a
 * unit file, why it was refused. A refused file yields no records to build from.
 */
struct ParsedUnitFile {
    std::array<CounterRecord, 220> Records;
    /** Empty for a sound file; otherwise what is wrong and where, in words. */
    std::string Reason;
    /** The file could not be read at all; Reason says why. */
    bool Unreadable = false;

    bool Ok() const { return Reason.empty(); }
};
