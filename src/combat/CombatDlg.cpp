#include "CombatDlg.h"

#include "OddsTable.h"
#include "RollDie.h"
#include "TApplication.h"

CombatDlg::CombatDlg(TWindow* parent, CombatStruct* data)
    : TDialog(parent, TemplateId), Data(data) {
    OddsGroup = new TGroupBox(this, OddsTable::GroupControlId);
    for (int i = 0; i < OddsTable::Count; ++i)
        OddsButtons[std::size_t(i)] =
            new TRadioButton(this, OddsTable::FirstControlId + i, OddsGroup);
    ModifierGroup = new TGroupBox(this, ModifierGroupId);
    for (int i = 0; i < 6; ++i)
        ModifierButtons[std::size_t(i)] =
            new TRadioButton(this, FirstModifierId + i, ModifierGroup);
    BoneButton = new TButton(this, IDOK);
    BoneDisplay = new TStatic(this, BoneDisplayId);
    // The limit counts the terminator, as the edit's buffer does.
    CommentEdit = new TEdit(this, CommentId, CommentLimit + 1);
    CloseButton = new TButton(this, IDCANCEL);
    Data->Odds = OddsTable::Placeholder;

    OnCommand(IDOK, &CombatDlg::CmBone);
    OnCommand(IDCANCEL, &CombatDlg::CmClose);
    OnClose(&CombatDlg::EvClose);
    OnGroupNotify(OddsTable::GroupControlId, &CombatDlg::EvOddsChange);
    OnGroupNotify(ModifierGroupId, &CombatDlg::EvModifierChange);
}

void CombatDlg::SetupWindow() {
    TDialog::SetupWindow();
    OddsButtons[0]->SetCheck(BF_CHECKED);
    ModifierButtons[0]->SetCheck(BF_CHECKED);
}

void CombatDlg::EvOddsChange() {
    for (int i = 0; i < OddsTable::Count; ++i)
        if (OddsButtons[std::size_t(i)]->GetCheck() == BF_CHECKED) {
            Data->Odds = OddsTable::Classes()[std::size_t(i)].StoredText;
            return;
        }
}

void CombatDlg::EvModifierChange() {
    for (int i = 0; i < 6; ++i)
        if (ModifierButtons[std::size_t(i)]->GetCheck() == BF_CHECKED) {
            Modifier = char('0' + i);
            return;
        }
}

void CombatDlg::CmBone() {
    // The bone is cast once per combat, however the command arrives (Enter included).
    if (!Data->DieRoll.empty())
        return;
    const int d = RollDie(ModifierFromChar(Modifier), 6);
    Data->DieRoll = std::string(1, char('0' + d));
    BoneDisplay->SetText(Data->DieRoll);
    for (TRadioButton* b : ModifierButtons)
        b->EnableWindow(false);
    BoneButton->EnableWindow(false);
    BoneButton->ShowWindow(SW_HIDE);
    CommentEdit->SetFocus();
}

void CombatDlg::CmClose() {
    if (Data->DieRoll.empty()) {
        TApplication::MessageBox(this,
                                 "A bone must be Cast. \nType 'opps' in the comments if anything",
                                 "Combat not Completed", MB_OK);
        return;
    }
    if (OddsButtons[0]->GetCheck() == BF_CHECKED) {
        const char* question =
            "Either combat odds are 1:5,6 or you forgot to select the correct odds.\n"
            "If combat is at 1:5,6, click 'OK' to continue.\n"
            "If you forgot combat odds, click 'Cancel', and select the correct odds.\n\n"
            "Continue?";
        if (TApplication::MessageBox(this, question, "Is it really a 1:6 attack?", MB_OKCANCEL) ==
            IDCANCEL)
            return;
    }
    char comment[CommentReadLimit + 1] = {};
    CommentEdit->GetText(comment, CommentReadLimit + 1);
    if (std::string(comment).size() < 2) {
        TApplication::MessageBox(this, "No comments? None? Need somthing here....",
                                 "Need Coments To Continue", MB_OK);
        CommentEdit->SetFocus();
        return;
    }
    Data->Comments = comment;
    CmCancel(); // ends with the close command's id, without asking CanClose
}

void CombatDlg::EvClose() {}
