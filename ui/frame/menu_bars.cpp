#include "ui/frame/menu_bars.h"

#include "ui/commands/command_router.h"
#include "ui/commands/command_table.h"
#include "ui/commands/ui_strings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace vek {

namespace {

constexpr int kShownPathLength = 60;

QString ShownPath(const QString& path) {
    if (path.size() <= kShownPathLength)
        return path;
    const int half = kShownPathLength / 2 - 2;
    return path.left(half) + QStringLiteral("...") + path.right(half);
}

} // namespace

MenuBars::MenuBars(QMenuBar& menuBar, CommandRouter& router)
    : QObject(&menuBar), menuBar_(menuBar), router_(router) {
    for (const MenuLayout& layout : AllMenus())
        menus_[layout.id] = Build(layout);
    SetRecentFiles({});
    Show(MenuBarId::Tree);
}

QMenu* MenuBars::Build(const MenuLayout& layout) {
    auto* menu = new QMenu(QString::fromUtf8(layout.title), &menuBar_);
    menu->setObjectName(QString::fromUtf8(layout.title).remove(QLatin1Char('&')));
    for (const MenuEntry& entry : layout.entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Command:
            menu->addAction(router_.Action(entry.id));
            break;
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Submenu: {
            QMenu* submenu = menu->addMenu(QString::fromUtf8(entry.text));
            for (CommandId id : entry.submenu)
                submenu->addAction(router_.Action(id));
            break;
        }
        case MenuEntry::Kind::RecentFiles:
            // The entries go above the separator that follows.
            recent_.push_back({menu, nullptr, {}});
            break;
        }
        if (!recent_.empty() && recent_.back().menu == menu && recent_.back().below == nullptr &&
            entry.kind == MenuEntry::Kind::Separator)
            recent_.back().below = menu->actions().back();
    }
    return menu;
}

void MenuBars::Show(MenuBarId bar) {
    // A command may read differently in one bar (Save Register is Save As in the short menus):
    // every such text goes back to the table's, then the bar's own texts are applied.
    const auto applyTexts = [this](const MenuLayout& layout, bool own) {
        for (const MenuEntry& entry : layout.entries) {
            if (entry.text != nullptr)
                router_.Action(entry.id)->setText(
                    QString::fromUtf8(own ? entry.text : FindCommand(entry.id).menuText));
        }
    };
    for (const MenuLayout& layout : AllMenus())
        applyTexts(layout, false);
    menuBar_.clear();
    for (MenuId id : MenuBar(bar)) {
        applyTexts(FindMenu(id), true);
        menuBar_.addMenu(menus_.at(id));
    }
    current_ = bar;
}

void MenuBars::SetRecentFiles(const QStringList& paths) {
    for (RecentSection& section : recent_) {
        for (QAction* entry : section.entries) {
            section.menu->removeAction(entry);
            entry->deleteLater();
        }
        section.entries.clear();
        const auto add = [&](const QString& text) {
            auto* entry = new QAction(text, section.menu);
            section.menu->insertAction(section.below, entry);
            section.entries.push_back(entry);
            return entry;
        };
        if (paths.isEmpty()) {
            add(QString::fromUtf8(UiString(UiStringId::RecentFileNone)))->setEnabled(false);
            continue;
        }
        for (int i = 0; i < paths.size(); ++i) {
            QAction* entry = add(QStringLiteral("&%1 %2").arg(i + 1).arg(ShownPath(paths[i])));
            entry->setData(command_range::FirstRecentFile + i);
            entry->setStatusTip(QStringLiteral("Open this document"));
            connect(entry, &QAction::triggered, this, [this, i] { Q_EMIT RecentFileChosen(i); });
        }
    }
}

} // namespace vek
