#pragma once

#include "TControl.h"

/** A push button of a dialog; clicking it sends its id as a command to the dialog. */
class TButton : public TControl {
public:
    TButton(TWindow* parent, int id);
};
