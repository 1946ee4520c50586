#pragma once

#include "TStatic.h"

/**
 * A single-line edit of a dialog. The text limit counts the terminating NUL as the classic
 * control does: an edit made with textLimit 62 takes at most 61 characters; 0 sets no limit.
 * The user's text comes out encoded as Windows-1252, with '?' for characters it lacks.
 */
class TEdit : public TStatic {
public:
    TEdit(TWindow* parent, int id, unsigned textLimit = 0);

    void SetTextLimit(unsigned textLimit);
    /** Selects the characters from start up to end; (0, -1) selects all. */
    void SetSelection(int start, int end);
};
