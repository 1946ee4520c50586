#pragma once

#include "TControl.h"

class QAbstractButton;
class TGroupBox;

/**
 * A check box of a dialog, or any button that holds a check state. A check box made with a
 * group box reports the user's clicks to it. SetCheck changes only this control: checking a
 * radio button also clears the others of its group, and unchecking one may leave its group
 * with none checked.
 */
class TCheckBox : public TControl {
public:
    TCheckBox(TWindow* parent, int id, TGroupBox* group = nullptr);

    /** BF_CHECKED, BF_UNCHECKED or BF_GRAYED (partly checked; taken as unchecked by radio
     *  buttons). */
    void SetCheck(unsigned state);
    unsigned GetCheck() const;
    void Check() { SetCheck(BF_CHECKED); }
    void Uncheck() { SetCheck(BF_UNCHECKED); }
    void Toggle() { SetCheck(GetCheck() == BF_CHECKED ? BF_UNCHECKED : BF_CHECKED); }
    TGroupBox* GetGroup() const { return Group; }

protected:
    TCheckBox(TWindow* parent, int id, TGroupBox* group, KindCheck fits, const char* kindName);
    void Clicked() override;

private:
    QAbstractButton* Button() const;

    TGroupBox* Group;
};
