#pragma once

#include <cstdint>
#include <string>

/**
 * The record of one combat: the odds class the attacker chose, the die roll the program made
 * and the comment in which the player wrote the outcome, tied to the attacked hex. The texts
 * are byte strings in the Windows-1252 code page and are never converted.
 */
struct CombatStruct {
    /** One of the odds table's stored texts, or the placeholder while the odds were untouched. */
    std::string Odds;
    /** The die roll as one digit "1" to "6"; empty until the die is rolled. */
    std::string DieRoll;
    std::string Comments;
    /** Hex index of the attacked hex; -1 until a hex is chosen. */
    std::int32_t HexIndex = -1;

    bool operator==(const CombatStruct&) const = default;
};
