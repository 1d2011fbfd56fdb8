#pragma once

#include <QObject>
#include <QStringList>

class QMenu;
class QWidget;

namespace vek {

// The window list of the Window menu: the titles of the open register tree windows, in order of
// opening, at most twenty. The menu keeps its fixed entries; the list follows them after a
// separator, entry i reading "&i title", checked for the active window.
class WindowList : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxEntries = 20;
    static constexpr int kFixedEntries = 8;

    // `menu` is the Window menu, already holding its fixed entries; `boxParent` owns the
    // information box of a full list.
    WindowList(QMenu& menu, QWidget* boxParent);

    // Appends a title; a twenty-first shows message 49 and adds nothing (false).
    bool AddWindowName(const QString& title);
    // Removes the first equal title; false when there is none.
    bool RemoveWindowName(const QString& title);
    // Re-appends the list's entries, checking those equal to `title` when `checked`; for the
    // title "Output" it sets the Output entry's check instead.
    void RebuildWindowMenu(bool checked, const QString& title);
    // Rebuilds the menu as the last rebuild did, after the list changed.
    void Refresh() { RebuildWindowMenu(lastChecked_, lastTitle_); }

    const QStringList& Names() const { return names_; }
    bool OutputChecked() const { return outputChecked_; }

Q_SIGNALS:
    // Entry `index` (from 1) of the list was chosen.
    void EntryChosen(int index);

private:
    QMenu& menu_;
    QWidget* boxParent_;
    QStringList names_;
    bool outputChecked_ = false;
    bool lastChecked_ = false;
    QString lastTitle_;
};

} // namespace vek
