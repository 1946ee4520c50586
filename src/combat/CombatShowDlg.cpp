#include "CombatShowDlg.h"

CombatShowDlg::CombatShowDlg(TWindow* parent, const CombatStruct& data)
    : TDialog(parent, TemplateId), Data(data) {
    DieText = new TStatic(this, DieTextId);
    CommentText = new TStatic(this, CommentTextId);
    OddsText = new TStatic(this, OddsTextId);
    OkButton = new TButton(this, IDCANCEL);
}

void CombatShowDlg::SetupWindow() {
    TDialog::SetupWindow();
    DieText->SetText(Data.DieRoll);
    CommentText->SetText(Data.Comments);
    OddsText->SetText(Data.Odds);
}
