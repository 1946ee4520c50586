#pragma once

/**
 * Hides (false) or shows (true) the mouse cursor. Calls nest as a display count: the cursor
 * shows while there have been at least as many shows as hides. Returns the new count.
 */
int ShowCursor(bool show);
