#include "ui/commands/menu_layout.h"

#include <algorithm>

namespace vek {

namespace {

MenuEntry Cmd(CommandId id, const char* text = nullptr) {
    return {MenuEntry::Kind::Command, id, text, {}};
}
MenuEntry Separator() {
    return {MenuEntry::Kind::Separator, CommandId::FileNew, nullptr, {}};
}
MenuEntry RecentFiles() {
    return {MenuEntry::Kind::RecentFiles, CommandId::FileNew, nullptr, {}};
}
MenuEntry Submenu(const char* text, std::vector<CommandId> commands) {
    return {MenuEntry::Kind::Submenu, CommandId::FileNew, text, std::move(commands)};
}

std::vector<MenuLayout> BuildMenus() {
    using C = CommandId;
    return {
        {MenuId::TreeFile,
         "&File",
         {Cmd(C::FileNew), Cmd(C::FileOpen), Cmd(C::FileClose), Separator(), Cmd(C::FileSaveAs),
          Separator(), RecentFiles(), Separator(), Cmd(C::AppExit)}},
        {MenuId::ShortFile,
         "&File",
         {Cmd(C::FileNew), Cmd(C::FileOpen), Cmd(C::FileClose), Separator(),
          Cmd(C::FileSaveAs, "Save &As..."), Separator(), Cmd(C::FilePrint), Separator(),
          RecentFiles(), Separator(), Cmd(C::AppExit)}},
        {MenuId::TreeEdit,
         "&Edit",
         {Cmd(C::EditUndo), Cmd(C::EditRedo), Separator(), Cmd(C::EditCut), Cmd(C::EditCopy),
          Cmd(C::EditPaste), Cmd(C::EditDelete), Separator(), Cmd(C::EditTree),
          Cmd(C::EditRegister), Separator(), Cmd(C::DecreaseValue), Cmd(C::IncreaseValue),
          Separator(), Cmd(C::EditFind), Cmd(C::NextChange)}},
        {MenuId::ShortEdit, "&Edit", {Cmd(C::EditCopy)}},
        {MenuId::TreeView,
         "&View",
         {Cmd(C::RegisterList), Separator(), Cmd(C::ToggleBookmark), Cmd(C::NextBookmark),
          Cmd(C::PreviousBookmark), Cmd(C::ClearBookmarks), Separator(), Cmd(C::ExpandTree),
          Cmd(C::CollapseTree), Separator(), Cmd(C::ViewToolbar), Cmd(C::ViewStatusBar),
          Cmd(C::ViewBasicbar), Cmd(C::ViewMacrobar), Cmd(C::ViewSliderbar)}},
        {MenuId::OutputView, "&View", {Cmd(C::ViewToolbar), Cmd(C::ViewStatusBar)}},
        {MenuId::ListView,
         "&View",
         {Cmd(C::RegisterTree), Separator(), Cmd(C::ViewToolbar), Cmd(C::ViewStatusBar)}},
        {MenuId::Project, "&Project", {Cmd(C::StopParse)}},
        {MenuId::Driver, "&Driver", {Cmd(C::ResetDriver)}},
        {MenuId::TreeRegister,
         "&Register",
         {Cmd(C::WriteDefault), Separator(), Cmd(C::WriteNow), Cmd(C::ReadNow), Separator(),
          Cmd(C::WriteRegister), Cmd(C::ReadRegister), Separator(), Cmd(C::LiveRefresh),
          Submenu("Live Refresh &Of",
                  {C::RefreshSelected, C::RefreshBookmarked, C::RefreshVisible})}},
        {MenuId::ListRegister,
         "&Register",
         {Cmd(C::WriteDefault), Separator(), Cmd(C::WriteNow), Cmd(C::ReadNow)}},
        {MenuId::Macros, "&Macros", {}},
        {MenuId::Options,
         "&Options",
         {Cmd(C::Simulation), Submenu("Set &Base", {C::SetBin, C::SetDec, C::SetHex}),
          Cmd(C::EditorName), Separator(), Cmd(C::ReadMacro), Cmd(C::WriteMacro), Separator(),
          Cmd(C::RedrawDesktop)}},
        {MenuId::Window,
         "&Window",
         {Cmd(C::WindowCascade), Cmd(C::WindowTile), Separator(), Cmd(C::WindowCloseAll),
          Separator(), Cmd(C::WindowWatch), Cmd(C::WindowPlot), Cmd(C::WindowOutput)}},
        {MenuId::Help, "&Help", {Cmd(C::UserGuide), Separator(), Cmd(C::AppAbout)}},
    };
}

} // namespace

const std::vector<MenuLayout>& AllMenus() {
    static const std::vector<MenuLayout> menus = BuildMenus();
    return menus;
}

const MenuLayout& FindMenu(MenuId id) {
    const auto& menus = AllMenus();
    return *std::find_if(menus.begin(), menus.end(),
                         [id](const MenuLayout& menu) { return menu.id == id; });
}

std::vector<MenuId> MenuBar(MenuBarId bar) {
    switch (bar) {
    case MenuBarId::Tree:
        return {MenuId::TreeFile, MenuId::TreeEdit,     MenuId::TreeView, MenuId::Project,
                MenuId::Driver,   MenuId::TreeRegister, MenuId::Macros,   MenuId::Options,
                MenuId::Window,   MenuId::Help};
    case MenuBarId::Output:
        return {MenuId::ShortFile, MenuId::ShortEdit, MenuId::OutputView,
                MenuId::Project,   MenuId::Window,    MenuId::Help};
    case MenuBarId::List:
        return {MenuId::ShortFile, MenuId::ShortEdit,    MenuId::ListView, MenuId::Project,
                MenuId::Driver,    MenuId::ListRegister, MenuId::Macros,   MenuId::Options,
                MenuId::Window,    MenuId::Help};
    }
    return {};
}

} // namespace vek
