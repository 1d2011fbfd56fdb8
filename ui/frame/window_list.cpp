#include "ui/frame/window_list.h"

#include "ui/commands/command_ids.h"
#include "ui/commands/ui_strings.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

namespace vek {

WindowList::WindowList(QMenu& menu, QWidget* boxParent)
    : QObject(&menu), menu_(menu), boxParent_(boxParent) {}

bool WindowList::AddWindowName(const QString& title) {
    if (names_.size() == kMaxEntries) {
        QMessageBox::information(boxParent_, QString::fromUtf8(UiString(UiStringId::AppTitle)),
                                 QString::fromUtf8(UiString(UiStringId::MaxWindows)));
        return false;
    }
    names_.append(title);
    return true;
}

bool WindowList::RemoveWindowName(const QString& title) {
    return names_.removeOne(title);
}

void WindowList::RebuildWindowMenu(bool checked, const QString& title) {
    lastChecked_ = checked;
    lastTitle_ = title;
    const QList<QAction*> entries = menu_.actions();
    for (qsizetype i = kFixedEntries; i < entries.size(); ++i) {
        menu_.removeAction(entries[i]);
        // An entry may be the one being chosen right now.
        if (entries[i]->parent() == this)
            entries[i]->deleteLater();
    }
    if (title == QString::fromUtf8(UiString(UiStringId::OutputTitle)))
        outputChecked_ = checked;
    if (names_.isEmpty())
        return;
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    menu_.addAction(separator);
    for (int i = 1; i <= names_.size(); ++i) {
        const QString& name = names_[i - 1];
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(i).arg(name), this);
        entry->setData(command_range::FirstWindowEntry - 1 + i);
        entry->setCheckable(true);
        entry->setChecked(checked && name == title);
        connect(entry, &QAction::triggered, this, [this, i] { Q_EMIT EntryChosen(i); });
        menu_.addAction(entry);
    }
}

} // namespace vek
