// Dialogs driven as a person would work them: commands from clicks and keys, group box
// notifications, radio groups, control state, edits with text limits, the close box, and what
// Execute returns, all under ModalHooks so nothing waits.
#include "DialogDriver.h"
#include "HookedTest.h"
#include "TApplication.h"
#include "TButton.h"
#include "TDialog.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TRadioButton.h"
#include "TStatic.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::vector<int> OddsIds = {9402, 9403, 9404, 9405, 9406, 9407, 9408, 9409, 9410, 9411};
const std::vector<int> ModifierIds = {9513, 9514, 9515, 9516, 9517, 9518};

/** The combat dialog with a response table that logs what reaches it. Bone (IDOK) rolls and
 *  stays open, as the game's does; Close (IDCANCEL) keeps the default. */
class CombatTestDialog : public TDialog {
public:
    explicit CombatTestDialog(TWindow* parent = nullptr) : TDialog(parent, 9400) {
        Odds = new TGroupBox(this, 9401);
        for (int id : OddsIds)
            OddsRadios.push_back(new TRadioButton(this, id, Odds));
        Modifier = new TGroupBox(this, 9512);
        for (int id : ModifierIds)
            ModifierRadios.push_back(new TRadioButton(this, id, Modifier));
        Bone = new TButton(this, IDOK);
        Roll = new TStatic(this, 9511);
        Comments = new TEdit(this, 9519, 62);
        OnCommand(IDOK, &CombatTestDialog::CmBone);
        OnGroupNotify(9401, &CombatTestDialog::OddsChanged);
        OnGroupNotify(9512, &CombatTestDialog::ModifierChanged);
    }

    void SetupWindow() override {
        TDialog::SetupWindow();
        OddsRadios[3]->SetCheck(BF_CHECKED);
        ModifierRadios[0]->SetCheck(BF_CHECKED);
        Roll->SetText("-");
        Log.push_back("setup");
    }

    void CmBone() {
        Log.push_back("bone");
        if (AskBeforeRolling && TApplication::MessageBox(this, "Roll the bone?", "Brisvane",
                                                         MB_YESNO | MB_ICONQUESTION) == IDYES)
            CloseWindow(IDOK);
    }
    void OddsChanged() { Log.push_back("odds"); }
    void ModifierChanged() { Log.push_back("modifier"); }
    bool CanClose() override { return AllowClose; }

    TGroupBox* Odds;
    TGroupBox* Modifier;
    std::vector<TRadioButton*> OddsRadios;
    std::vector<TRadioButton*> ModifierRadios;
    TButton* Bone;
    TStatic* Roll;
    TEdit* Comments;
    std::vector<std::string> Log;
    bool AskBeforeRolling = false;
    bool AllowClose = true;
    using TDialog::OnClose;
    using TDialog::OnCommand;
};

int CheckedCount(DialogDriver& d, const std::vector<int>& ids) {
    int n = 0;
    for (int id : ids)
        n += d.IsChecked(id) ? 1 : 0;
    return n;
}

using DialogTest = HookedTest;

// Enter presses a push button that has the focus and sends OK from anywhere else; Escape
// always cancels, and Execute returns the id the dialog ended with.
TEST_F(DialogTest, enterPressesTheFocusedButtonOrSendsOkAndEscapeCancels) {
    // 0: the focus the dialog gets when it opens. Enter on Cancel presses it: no roll.
    for (int focus : {0, 9519, 9402, 9516, IDOK, IDCANCEL}) {
        SCOPED_TRACE("focus on " + std::to_string(focus));
        const bool cancel = focus == IDCANCEL;
        CombatTestDialog dlg;
        Hooks.DriveDialog([&](DialogDriver& d) {
            EXPECT_EQ(d.Caption(), "Brisvane");
            EXPECT_EQ(d.Text(9511), "-");
            if (focus != 0) {
                ASSERT_TRUE(d.Focus(focus));
            }
            EXPECT_EQ(d.FocusId() == focus, focus != 0);
            d.PressEnter();
            EXPECT_EQ(d.IsOpen(), !cancel);
            if (!cancel) {
                EXPECT_EQ(d.Text(9519), "");
                d.PressEscape();
                EXPECT_FALSE(d.IsOpen());
            }
        });
        EXPECT_EQ(dlg.Execute(), IDCANCEL);
        EXPECT_FALSE(dlg.GetWidget()->isVisible());
        const std::vector<std::string> log = {"setup", "bone"};
        EXPECT_EQ(dlg.Log, cancel ? std::vector<std::string>{"setup"} : log);
    }
    CombatTestDialog dlg;
    for (int id : {IDOK, IDCANCEL}) {
        auto* b = qobject_cast<QPushButton*>(dlg.GetControlWidget(id));
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->isDefault() || b->autoDefault()) << id;
    }
}

// User selections notify the group box, set-up selections do not; a radio button is exclusive
// within its own group only, and code may leave a group with none checked.
TEST_F(DialogTest, radioSelectionsNotifyTheirGroupAndAreExclusiveWithinItOnly) {
    CombatTestDialog dlg;
    Hooks.DriveDialog([&](DialogDriver& d) {
        EXPECT_EQ(dlg.Log, std::vector<std::string>{"setup"});
        EXPECT_TRUE(d.IsChecked(9405));
        EXPECT_TRUE(d.IsChecked(9513));
        d.Click(9407);
        d.Click(9515);
        // The keyboard: Space on the focused radio, then an arrow to the next one.
        d.Focus(9403);
        d.PressKey(Qt::Key_Space, QStringLiteral(" "));
        EXPECT_TRUE(d.IsChecked(9403));
        d.PressKey(Qt::Key_Right);
        EXPECT_TRUE(d.IsChecked(9404));
        EXPECT_EQ(d.FocusId(), 9404);
        EXPECT_EQ(dlg.Log, (std::vector<std::string>{"setup", "odds", "modifier", "odds", "odds"}));

        for (const auto& [group, other] :
             {std::pair{OddsIds, ModifierIds}, std::pair{ModifierIds, OddsIds}}) {
            for (int id : group) {
                const int otherChecked = CheckedCount(d, other);
                d.Click(id);
                EXPECT_TRUE(d.IsChecked(id)) << id;
                EXPECT_EQ(CheckedCount(d, group), 1) << id;
                EXPECT_EQ(CheckedCount(d, other), otherChecked) << id;
            }
        }
        dlg.ModifierRadios.back()->SetCheck(BF_UNCHECKED);
        EXPECT_EQ(CheckedCount(d, ModifierIds), 0);
        EXPECT_EQ(CheckedCount(d, OddsIds), 1);
        d.Click(IDCANCEL);
    });
    dlg.Execute();
    // The dialog keeps its state after it ends.
    EXPECT_EQ(dlg.OddsRadios.back()->GetCheck(), BF_CHECKED);
    EXPECT_EQ(dlg.ModifierRadios.back()->GetCheck(), BF_UNCHECKED);
}

TEST_F(DialogTest, disabledAndHiddenControlsIgnoreTheUserAndClicksSendCommandsOtherwise) {
    CombatTestDialog dlg;
    Hooks.DriveDialog([&](DialogDriver& d) {
        EXPECT_FALSE(dlg.Bone->EnableWindow(false));
        EXPECT_FALSE(dlg.Bone->IsWindowEnabled());
        EXPECT_FALSE(d.IsEnabled(IDOK));
        EXPECT_FALSE(d.Click(IDOK));
        EXPECT_TRUE(dlg.Bone->EnableWindow(true));
        EXPECT_TRUE(d.Click(IDOK));
        EXPECT_TRUE(d.IsOpen()) << "Bone does nothing but roll";

        EXPECT_TRUE(dlg.OddsRadios[0]->ShowWindow(SW_HIDE));
        EXPECT_FALSE(dlg.OddsRadios[0]->IsWindowVisible());
        EXPECT_FALSE(d.IsVisible(9402));
        EXPECT_FALSE(d.Click(9402));
        EXPECT_FALSE(d.IsChecked(9402));
        EXPECT_FALSE(dlg.OddsRadios[0]->ShowWindow(true));
        EXPECT_TRUE(d.IsVisible(9402));

        dlg.Comments->EnableWindow(false);
        EXPECT_FALSE(d.Type(9519, "x"));
        EXPECT_EQ(dlg.Comments->GetText(), "");
        EXPECT_TRUE(d.Click(IDCANCEL));
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dlg.Execute(), IDCANCEL);
    EXPECT_EQ(dlg.Log, (std::vector<std::string>{"setup", "bone"}));
}

TEST_F(DialogTest, editTakesTheTextLimitLessOneAndGivesWindows1252) {
    CombatTestDialog dlg;
    Hooks.DriveDialog([&](DialogDriver& d) {
        d.Type(9519, std::string(70, 'x'));
        EXPECT_EQ(dlg.Comments->GetText(), std::string(61, 'x'));
        EXPECT_EQ(dlg.Comments->GetTextLen(), 61);
        char buffer[10];
        EXPECT_EQ(dlg.Comments->GetText(buffer, int(sizeof buffer)), 9);
        EXPECT_EQ(std::string(buffer), std::string(9, 'x'));

        ASSERT_TRUE(d.ClearText(9519));
        d.Type(9519, "Caf\u00e9 \u20ac5 \u03a9 \U0001F600");
        EXPECT_EQ(dlg.Comments->GetText(), "Caf\xE9 \x80"
                                           "5 ? ?");
        EXPECT_EQ(d.Text(9519), "Caf\u00e9 \u20ac5 \u03a9 \U0001F600");
        d.Click(IDCANCEL);
    });
    dlg.Execute();
}

TEST_F(DialogTest, closeBoxGoesToTheCloseHandlerOrEndsWithCancel) {
    CombatTestDialog plain;
    Hooks.DriveDialog([](DialogDriver& d) { d.PressClose(); });
    EXPECT_EQ(plain.Execute(), IDCANCEL);

    // A close handler decides: the first request is refused, the second ends the dialog.
    CombatTestDialog dlg;
    dlg.OnClose([&dlg] {
        dlg.Log.push_back("close");
        if (dlg.Log.size() > 2)
            dlg.CloseWindow(77);
    });
    Hooks.DriveDialog(9400, [](DialogDriver& d) {
        d.PressClose();
        EXPECT_TRUE(d.IsOpen());
        d.PressClose();
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dlg.Execute(), 77);
    EXPECT_EQ(dlg.Log, (std::vector<std::string>{"setup", "close", "close"}));
    ASSERT_EQ(Hooks.Dialogs().size(), 2u);
    EXPECT_EQ(Hooks.Dialogs()[1].TemplateId, 9400);
    EXPECT_EQ(Hooks.Dialogs()[1].Result, 77);
}

// A handler may ask with a message box while the dialog is driven, and CanClose may refuse the
// ending it then asks for; Cancel ends the dialog all the same.
TEST_F(DialogTest, aHandlerMayAskWithAMessageBoxAndCanCloseRefuseAllButCancel) {
    CombatTestDialog dlg;
    dlg.AskBeforeRolling = true;
    for (int answer : {IDNO, IDYES, IDYES})
        Hooks.AnswerMessageBox(answer);
    Hooks.DriveDialog([&](DialogDriver& d) {
        d.Click(IDOK);
        EXPECT_TRUE(d.IsOpen()) << "answered no";
        dlg.AllowClose = false;
        d.PressEnter();
        EXPECT_TRUE(d.IsOpen()) << "answered yes, refused by CanClose";
        dlg.AllowClose = true;
        d.PressEnter();
        EXPECT_FALSE(d.IsOpen());
    });
    EXPECT_EQ(dlg.Execute(), IDOK);
    ASSERT_EQ(Hooks.MessageBoxes().size(), 3u);
    EXPECT_EQ(Hooks.MessageBoxes()[2].Text, "Roll the bone?");

    dlg.AllowClose = false;
    Hooks.DriveDialog([](DialogDriver& d) { d.PressEscape(); });
    EXPECT_EQ(dlg.Execute(), IDCANCEL);
}

TEST_F(DialogTest, mistakesOfTheScriptAreReportedAndNeverBlock) {
    ModalHooks local;
    CombatTestDialog dlg;

    // No driver queued: the dialog is never shown and gives IDCANCEL.
    EXPECT_EQ(dlg.Execute(), IDCANCEL);
    EXPECT_EQ(dlg.Log, std::vector<std::string>{"setup"});
    ASSERT_EQ(local.Dialogs().size(), 1u);
    EXPECT_TRUE(local.Dialogs()[0].Unexpected);

    // A driver meant for another dialog is kept for it.
    local.DriveDialog(9430, [](DialogDriver&) {});
    EXPECT_EQ(dlg.Execute(), IDCANCEL);
    EXPECT_EQ(local.PendingDrivers(), 1u);

    // A driver that leaves the dialog open, clicks an id the dialog lacks, or acts on the
    // dialog after it ended.
    CombatTestDialog other;
    TDialog results(nullptr, 9430);
    results.Execute();
    local.DriveDialog([&](DialogDriver& d) {
        EXPECT_FALSE(d.Click(4242));
        d.Click(IDCANCEL);
        EXPECT_FALSE(d.Click(IDOK));
    });
    EXPECT_EQ(other.Execute(), IDCANCEL);
    EXPECT_EQ(other.Log, std::vector<std::string>{"setup"});

    EXPECT_EQ(local.Failures().size(), 5u) << local.Report();
    EXPECT_FALSE(local.Clean());
}

TEST(DialogControls, attachingToAMissingOrWrongControlFails) {
    CombatTestDialog dlg;
    EXPECT_THROW(new TButton(&dlg, 4242), std::invalid_argument);
    EXPECT_THROW(new TEdit(&dlg, 9402, 10), std::invalid_argument);
    EXPECT_THROW(new TRadioButton(&dlg, IDOK, nullptr), std::invalid_argument);
    EXPECT_THROW(new TStatic(&dlg, 9519), std::invalid_argument);
    EXPECT_THROW(new TButton(&dlg, IDOK), std::invalid_argument) << "attached twice";
    TWindow notADialog;
    EXPECT_THROW(new TButton(&notADialog, IDOK), std::invalid_argument);
    // A control deleted before its dialog lets go of it.
    delete dlg.Roll;
    EXPECT_EQ(dlg.GetControl(9511), nullptr);
    auto* again = new TStatic(&dlg, 9511);
    again->SetText("Stra\xDF"
                   "e");
    EXPECT_EQ(again->GetText(), "Stra\xDF"
                                "e");
}

} // namespace
