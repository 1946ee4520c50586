#pragma once

// The roll of the bone: the program's die roll for a combat, with the die-roll modifier that
// turns the die face around cyclically rather than pushing the roll off the end of a table.

/**
 * Rolls an n-sided die with modifier m: draws five values from rand(), keeps the fifth, takes
 * it modulo n as the raw face and applies the modifier. The generator is seeded once per run by
 * the game board, never here. Gives 1 to n for m in 0 to n - 1; gives 0 when n < 1.
 */
int RollDie(int m, int n);

/**
 * The result for a raw face 1 to n under modifier m: m + rawFace, brought back into range by
 * subtracting n once when it passes n. With n = 6 and m = 2, raw faces 5 and 6 give 1 and 2.
 */
int ApplyModifier(int rawFace, int m, int n);

/**
 * The modifier a dialog's modifier character stands for: its digit for '0' to '9', and 0 for
 * the zero character that stands for an untouched modifier group (or anything else).
 */
int ModifierFromChar(char c);
