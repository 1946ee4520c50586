#pragma once

#include <string>
#include <vector>

/**
 * A menu resource: pop-up menus in order, each with its items (command id, text and an
 * optional shortcut such as "Ctrl+O"), kept as ":/menus/<name>.json".
 */
struct MenuTemplate {
    struct Item {
        int Id = 0;
        std::string Text;
        std::string Shortcut;
    };
    struct Popup {
        std::string Text;
        std::vector<Item> Items;
    };

    std::vector<Popup> Popups;

    /** Loads the menu resource; raises TXBadFile when it is missing or malformed. */
    static MenuTemplate Load(const std::string& name);
};
