#pragma once

#include "CombatStruct.h"
#include "TButton.h"
#include "TDialog.h"
#include "TStatic.h"

/**
 * The result of one combat as the opponent reads it: the odds text, the die roll and the
 * comment. Closed with its OK button or its close box.
 */
class CombatShowDlg : public TDialog {
public:
    static constexpr int TemplateId = 9430;
    static constexpr int DieTextId = 9431;
    static constexpr int CommentTextId = 9432;
    static constexpr int OddsTextId = 9433;

    CombatShowDlg(TWindow* parent, const CombatStruct& data);

    void SetupWindow() override;

private:
    CombatStruct Data;
    TStatic* DieText;
    TStatic* OddsText;
    TStatic* CommentText;
    TButton* OkButton;
};
