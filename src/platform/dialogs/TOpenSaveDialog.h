#pragma once

#include "TOpenSaveData.h"

#include <string>

class TWindow;

/**
 * The desktop's file dialog over a TOpenSaveData: its filter, default extension and file name.
 * Execute returns IDOK when the player chose a file, whose full name then stands in the data's
 * FileName (so it is the default the next time either dialog opens), and IDCANCEL otherwise,
 * leaving the data as it was. A name chosen without an extension gets the default one. Under
 * ModalHooks the dialog is not shown: it takes the next queued file answer instead.
 */
class TOpenSaveDialog {
public:
    virtual ~TOpenSaveDialog() = default;
    TOpenSaveDialog(const TOpenSaveDialog&) = delete;
    TOpenSaveDialog& operator=(const TOpenSaveDialog&) = delete;

    int Execute();

    /** A filter of description and pattern pairs split by '|', as the desktop's dialog takes. */
    static std::string FilterForDialog(const std::string& filter);
    /** The name with ".extension" appended when its last part has no extension of its own. */
    static std::string WithDefaultExtension(const std::string& fileName,
                                            const std::string& extension);

protected:
    TOpenSaveDialog(TWindow* parent, TOpenSaveData& data, bool save)
        : Parent(parent), Data(data), Save(save) {}

private:
    int RunScripted();

    TWindow* Parent;
    TOpenSaveData& Data;
    bool Save;
};
