#pragma once

#include "OddsClass.h"

#include <array>

/**
 * The ten odds classes of the combat dialog, in the order of their buttons. There is no class
 * for 6:1. Until the player touches the odds group a combat stores the placeholder text.
 */
class OddsTable {
public:
    static constexpr int Count = 10;
    /** Control id of the odds group box. */
    static constexpr int GroupControlId = 9401;
    static constexpr int FirstControlId = 9402;
    static constexpr int LastControlId = 9411;
    /** What a combat's Odds holds when the player never changed the odds selection. */
    static constexpr const char* Placeholder = "Combat odds : ";

    static const std::array<OddsClass, Count>& Classes();
    /** The class of a radio button, or null when the id is no odds button. */
    static const OddsClass* ByControlId(int controlId);
};
