#pragma once

#include "CombatStruct.h"
#include "TPoint.h"

#include <cstdint>

/**
 * One record of the combat file as it stands in the file: the combat's data and its marker
 * part, that is the marker position and picture as written for the opponent.
 */
struct CombatRecord {
    CombatStruct Data;
    TPoint MarkerPosition;
    std::int32_t MarkerImage = 0;

    bool operator==(const CombatRecord&) const = default;
};
