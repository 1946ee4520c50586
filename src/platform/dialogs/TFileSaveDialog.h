#pragma once

#include "TOpenSaveDialog.h"

/**
 * The file dialog for choosing where to save; with the OverwritePrompt flag it asks before an
 * existing file is replaced.
 */
class TFileSaveDialog : public TOpenSaveDialog {
public:
    TFileSaveDialog(TWindow* parent, TOpenSaveData& data) : TOpenSaveDialog(parent, data, true) {}
};
