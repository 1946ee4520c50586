#pragma once

#include "TCheckBox.h"

/**
 * A radio button of a dialog. Clicking one checks it and clears the others of its template
 * group (not those of other groups in the same dialog), and reports the click to its group
 * box, which notifies the dialog.
 */
class TRadioButton : public TCheckBox {
public:
    TRadioButton(TWindow* parent, int id, TGroupBox* group);
};
