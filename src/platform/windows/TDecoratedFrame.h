#pragma once

#include "TControlBar.h"
#include "TFrameWindow.h"
#include "TListPanel.h"
#include "TModule.h"
#include "TStatusBar.h"

#include <map>
#include <string>

class QAction;

/**
 * The main frame with its decorations: a menu bar built from a menu resource, a tool bar at
 * the top and a status bar at the bottom around the client window. Menu items and tool-bar
 * buttons of one command id share one action that runs the client's command. Their enabled
 * and checked states come from the client's command enablers, asked again whenever a menu
 * opens, after every command and after every mouse action in the client.
 *
 * Panels stand beside the client. Where they stand and whether they show is remembered
 * between runs, in the user's settings of the program (kurvask/kurvask.conf in the user's
 * configuration folder): a placed panel takes its remembered place, and the frame remembers
 * the layout as it is when it goes.
 */
class TDecoratedFrame : public TFrameWindow {
public:
    enum Placement { Top, Bottom };

    TDecoratedFrame(const char* caption, TWindow& client);
    ~TDecoratedFrame() override;

    /** Places a tool bar (Top) or a status bar (Bottom); the bar must outlive the frame. */
    void Insert(TControlBar& bar, Placement where);
    void Insert(TStatusBar& bar, Placement where);
    /** Places a panel at the right of the client, or where it stood the last time. */
    void Insert(TListPanel& panel);
    /** Builds the menu bar from menu resource name. */
    void AssignMenu(const std::string& name);
    /** The frame's large and small icons, from bitmap icon resources of the module. */
    void SetIcon(HINSTANCE module, TResId iconId);
    void SetIconSm(HINSTANCE module, TResId iconId);

    /** Asks the client's enablers for every command of the menu and tool bar. */
    void UpdateCommands();
    /** The action of command id, or null when neither the menu nor the tool bar has it. */
    QAction* Action(int id) const;

private:
    QAction* ActionFor(int id);

    void RememberLayout();

    std::map<int, QAction*> Actions;
    bool HasPanels = false;
};
