#pragma once

#include "ui/commands/command_ids.h"

#include <vector>

namespace vek {

// The three menu bars: one per kind of window, shown while a window of that kind is active.
// The tree window's bar is also the main frame's own, shown when no window is active.
enum class MenuBarId { Tree = 300, Output = 302, List = 304 };

// The pop-up menus the bars are made of; bars that show the same pop-up share it.
enum class MenuId {
    TreeFile,
    ShortFile,
    TreeEdit,
    ShortEdit,
    TreeView,
    OutputView,
    ListView,
    Project,
    Driver,
    TreeRegister,
    ListRegister,
    Macros,
    Options,
    Window,
    Help,
};

struct MenuEntry {
    enum class Kind {
        Command,
        Separator,
        RecentFiles, // the recent-file entries, or a disabled "Recent File" when there are none
        Submenu,     // a pop-up of its own: `text` and the commands of `submenu`
    };
    Kind kind = Kind::Command;
    CommandId id = CommandId::FileNew;
    const char* text = nullptr; // replaces the table's menu text in this menu
    std::vector<CommandId> submenu;
};

struct MenuLayout {
    MenuId id;
    const char* title;
    std::vector<MenuEntry> entries;
};

// Every pop-up menu with its entries. The Window menu lists its eight fixed entries (the window
// list follows at run time); the Macros menu is filled at run time.
const std::vector<MenuLayout>& AllMenus();
const MenuLayout& FindMenu(MenuId id);
std::vector<MenuId> MenuBar(MenuBarId bar);

} // namespace vek
