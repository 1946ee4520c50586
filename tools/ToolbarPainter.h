#pragma once

#include "Image16.h"

/**
 * The tool-bar pictures, 20 x 20 in 16 colours on a silver ground that the tool bar shows as
 * transparent, one per command: a folder (Open Turn), a disk (Save Turn), an arrow turning
 * back (Undo Last Move), a stack of counters (Move All), a magnifier (Zoom), a counter with a
 * four-way arrow (Move), a hex with an arrow into it (Return to Start Hex), a gun sight
 * (Combat), two arrows turning round a stack (Rotate), a counter with the marks' letters
 * (Surr/Rail/Rep), a die (Show Combat), a counter with a yellow arrow (Show Moves) and a
 * head with a bar pointing right (Next Move) or left (Previous Move).
 */
class ToolbarPainter {
public:
    static constexpr int Size = 20;
    /** The picture of command id; throws for an id without one. */
    static Image16 Button(int id);
};
