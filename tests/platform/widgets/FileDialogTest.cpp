// The file dialogs: the filter and default extension they are given, and answering them from
// a test: the chosen name kept for the next dialog, a cancel changing nothing.
#include "DialogConstants.h"
#include "ModalHooks.h"
#include "TFileOpenDialog.h"
#include "TFileSaveDialog.h"
#include "TextChecks.h"

#include <gtest/gtest.h>

namespace {

TEST(FileDialog, filterAndDefaultExtension) {
    EXPECT_EQ(TOpenSaveDialog::FilterForDialog("KVK Unit Files (*.kvk) | *.kvk"),
              "KVK Unit Files (*.kvk)");
    EXPECT_EQ(TOpenSaveDialog::FilterForDialog("Turns|*.kvk|All files|*"),
              "Turns (*.kvk);;All files (*)");
    EXPECT_EQ(TOpenSaveDialog::FilterForDialog(""), "");

    const std::vector<std::pair<std::string, std::string>> names = {
        {"/p/turn05", "/p/turn05.kvk"}, {"/p/turn05.kvk", "/p/turn05.kvk"},
        {"/p/turn.05", "/p/turn.05"},   {"/p.d/turn", "/p.d/turn.kvk"},
        {"turn", "turn.kvk"},           {"/p/", "/p/"},
    };
    for (const auto& [typed, chosen] : names)
        EXPECT_EQ(TOpenSaveDialog::WithDefaultExtension(typed, "kvk"), chosen) << typed;
}

TEST(FileDialog, answeredFromTheHooks) {
    TOpenSaveData data(TOpenSaveData::OverwritePrompt, "KVK Unit Files (*.kvk) | *.kvk", "kvk");
    ModalHooks hooks;
    hooks.AnswerFileDialog("/games/turn07");
    hooks.CancelFileDialog();
    EXPECT_EQ(TFileSaveDialog(nullptr, data).Execute(), IDOK);
    EXPECT_EQ(data.FileName, "/games/turn07.kvk");
    EXPECT_EQ(TFileOpenDialog(nullptr, data).Execute(), IDCANCEL);
    EXPECT_EQ(data.FileName, "/games/turn07.kvk") << "a cancel keeps the name";
    ASSERT_EQ(hooks.FileDialogs().size(), 2u);
    EXPECT_TRUE(hooks.FileDialogs()[0].Save);
    EXPECT_EQ(hooks.FileDialogs()[0].Chosen, "/games/turn07.kvk");
    EXPECT_FALSE(hooks.FileDialogs()[1].Save);
    EXPECT_EQ(hooks.FileDialogs()[1].InitialName, "/games/turn07.kvk");
    EXPECT_EQ(hooks.FileDialogs()[1].Chosen, "");
    EXPECT_TRUE(hooks.Clean()) << hooks.Report();

    // A dialog nobody answers is cancelled and reported, never waited for.
    EXPECT_EQ(TFileOpenDialog(nullptr, data).Execute(), IDCANCEL);
    EXPECT_FALSE(hooks.Clean());
    EXPECT_TRUE(Holds(hooks.Report(), "no answer queued"));
}

} // namespace
