#pragma once

#include "CombatStruct.h"
#include "TButton.h"
#include "TDialog.h"
#include "TEdit.h"
#include "TGroupBox.h"
#include "TRadioButton.h"
#include "TStatic.h"

#include <array>

/**
 * The dialog in which the moving player resolves one declared combat: the odds class, an
 * optional die-roll modifier, one roll of the bone, and a comment of at least two characters.
 * It fills the combat's record and cannot be closed before the die is rolled and a comment is
 * written; its close box does nothing.
 */
class CombatDlg : public TDialog {
public:
    static constexpr int TemplateId = 9400;
    static constexpr int ModifierGroupId = 9512;
    static constexpr int FirstModifierId = 9513;
    static constexpr int BoneDisplayId = 9511;
    static constexpr int CommentId = 9519;
    /** The comment takes at most this many characters. */
    static constexpr int CommentLimit = 61;
    /** How much of the comment is read back when the dialog closes. */
    static constexpr int CommentReadLimit = 80;

    CombatDlg(TWindow* parent, CombatStruct* data);

    void SetupWindow() override;

    void EvOddsChange();
    void EvModifierChange();
    void CmBone();
    void CmClose();
    void EvClose();

private:
    CombatStruct* Data;
    /** The modifier digit chosen, or the zero character while the group is untouched. */
    char Modifier = '\0';
    TGroupBox* OddsGroup;
    std::array<TRadioButton*, 10> OddsButtons;
    TGroupBox* ModifierGroup;
    std::array<TRadioButton*, 6> ModifierButtons;
    TButton* BoneButton;
    TStatic* BoneDisplay;
    TEdit* CommentEdit;
    TButton* CloseButton;
};
