#pragma once

/**
 * The question a menu item or tool-bar button asks its window before it is shown: is command
 * Id enabled, and is it checked? A command enabler of the window answers by calling Enable
 * and SetCheck; what it does not answer keeps the defaults, enabled and unchecked.
 */
class TCommandEnabler {
public:
    enum CheckState { Unchecked = 0, Checked = 1 };

    explicit TCommandEnabler(int id) : Id(id) {}

    int GetId() const { return Id; }
    void Enable(bool enable = true) { Enabled = enable; }
    void SetCheck(int state) {
        Check = state;
        Checkable = true;
    }
    bool IsEnabled() const { return Enabled; }
    int GetCheck() const { return Check; }
    /** Whether the enabler answered about the check mark at all. */
    bool IsCheckable() const { return Checkable; }

private:
    int Id;
    bool Enabled = true;
    int Check = Unchecked;
    bool Checkable = false;
};
