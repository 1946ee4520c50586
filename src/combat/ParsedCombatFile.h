#pragma once

#include "CombatRecord.h"

#include <string>
#include <vector>

/**
 * What reading a combat file gave: every record in file order, or, for a corrupt file, why it
 * was refused. A corrupt file yields no records at all, so no combat or marker is ever made
 * from part of one.
 */
struct ParsedCombatFile {
    enum class FaultKind {
        None,
        /** The file ends before its count or inside a record. */
        Truncated,
        NegativeCount,
        /** More records than the remaining bytes could hold at their smallest. */
        CountTooLarge,
        /** A text length that is negative or above the longest text a reader keeps. */
        BadTextLength,
        /** A marker picture id that names no marker picture. */
        BadMarkerImage,
        /** The file is there but could not be read at all. */
        Unreadable,
    };

    std::vector<CombatRecord> Records;
    FaultKind Fault = FaultKind::None;
    /** For a corrupt file: what is wrong and where, in words. */
    std::string Reason;

    bool Ok() const { return Fault == FaultKind::None; }
};
