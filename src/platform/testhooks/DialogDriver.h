#pragma once

#include <QString>

#include <string>

class QWidget;
class TDialog;

/**
 * Works an open dialog the way a person would, for tests run under ModalHooks: clicks,
 * typing and keys are real Qt mouse and key events sent to the controls, so the dialog's
 * response table and the controls' own behaviour (text limits, radio groups, disabled
 * controls ignoring input) run as on screen. Texts are UTF-8.
 *
 * A control id the dialog lacks, or an action on a dialog that has already ended, is recorded
 * as a failure in the active hooks; the action then does nothing.
 */
class DialogDriver {
public:
    explicit DialogDriver(TDialog& dialog);

    TDialog& Dialog() const { return Dlg; }
    int TemplateId() const;
    /** True until the dialog has ended. */
    bool IsOpen() const;
    std::string Caption() const;

    /** Clicks the middle of a button, or the check mark of a radio button or check box.
     *  Returns false when the control is hidden or disabled, so the click did nothing. */
    bool Click(int id);
    /** Gives the control the focus as Tab would (an edit then has all its text selected).
     *  Returns false for a hidden or disabled control or one that takes no focus. */
    bool Focus(int id);
    /** Types text at the cursor of an edit, one key at a time, after focusing it. Returns
     *  false when the edit is hidden or disabled. */
    bool Type(int id, const std::string& text);
    /** Selects all of an edit's text and deletes it with Backspace. */
    bool ClearText(int id);
    /** A key pressed and released on the control with the focus (the dialog if none). */
    void PressKey(int qtKey, const QString& text = {});
    void PressEnter();
    void PressEscape();
    /** The close box of the window's title bar. */
    void PressClose();

    /** A static's or edit's text, a button's or group box's caption. */
    std::string Text(int id) const;
    bool IsEnabled(int id) const;
    /** Shown (not hidden) in the dialog. */
    bool IsVisible(int id) const;
    bool IsChecked(int id) const;
    /** The id of the control with the focus, or 0 if none of the template's has it. */
    int FocusId() const;
    /** The widget of a control; null (and a recorded failure) if the dialog has none. */
    QWidget* Widget(int id) const;

private:
    bool Usable(const char* action) const;
    QWidget* FocusTarget() const;
    void SendKey(QWidget* target, int qtKey, const QString& text);

    TDialog& Dlg;
};
