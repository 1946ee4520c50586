#pragma once

#include "TOpenSaveDialog.h"

/** The file dialog for choosing a file to open. */
class TFileOpenDialog : public TOpenSaveDialog {
public:
    TFileOpenDialog(TWindow* parent, TOpenSaveData& data) : TOpenSaveDialog(parent, data, false) {}
};
