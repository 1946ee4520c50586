#pragma once

#include "TControl.h"

/**
 * A group box of a dialog. The radio buttons and check boxes made with it as their group
 * report to it each time the user clicks one of them, and it tells the dialog under its own
 * id, so the dialog's OnGroupNotify handler for the group box runs. Changes made by code
 * (SetCheck) are not reported.
 */
class TGroupBox : public TControl {
public:
    TGroupBox(TWindow* parent, int id);

    /** The user clicked the member control controlId; notifies the dialog. */
    virtual void SelectionChanged(int controlId);
};
