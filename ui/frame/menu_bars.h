#pragma once

#include "ui/commands/menu_layout.h"

#include <QObject>
#include <QStringList>

#include <map>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace vek {

class CommandRouter;

// The pop-up menus of the three menu bars, built once from the layout with the router's actions
// and shared between the bars that show them; Show puts one bar's menus into the menu bar.
class MenuBars : public QObject {
    Q_OBJECT

public:
    MenuBars(QMenuBar& menuBar, CommandRouter& router);

    void Show(MenuBarId bar);
    MenuBarId Current() const { return current_; }
    QMenu* Menu(MenuId id) const { return menus_.at(id); }
    // The recent-file entries "&1 path" ... of every File menu.
    void SetRecentFiles(const QStringList& paths);

Q_SIGNALS:
    // Recent-file entry `index` (from 0) was chosen.
    void RecentFileChosen(int index);

private:
    QMenu* Build(const MenuLayout& layout);

    QMenuBar& menuBar_;
    CommandRouter& router_;
    MenuBarId current_ = MenuBarId::Tree;
    std::map<MenuId, QMenu*> menus_;
    // Per File menu: the separator below its recent files, and the recent entries above it.
    struct RecentSection {
        QMenu* menu;
        QAction* below;
        std::vector<QAction*> entries;
    };
    std::vector<RecentSection> recent_;
};

} // namespace vek
