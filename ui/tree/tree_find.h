#pragma once

#include "ui/find/find_matcher.h"
#include "ui/find/find_next_dialog.h"

#include <QPointer>
#include <QString>

#include <functional>

class QComboBox;
class QWidget;

namespace vek {

class CFindDialog;
class CSftTree;
class TreeBookmarks;

// Searching the Description column of a register tree: from the main toolbar's find box, from
// the Find dialog and its small Find Next dialog, and bookmarking every match. The search
// settings (match case, whole word, direction) last as long as the tree view.
class TreeFind {
public:
    struct Services {
        QComboBox* findBox; // the main toolbar's; null without one
        // Selects a row after opening its collapsed ancestors; with `focus` the tree takes the
        // keyboard focus.
        std::function<void(int row, bool focus)> reveal;
        // Find Next of the small dialog runs Find String in whichever view is active.
        std::function<void()> findStringInActiveView;
        QWidget* mainWindow; // the small dialog's parent
    };

    TreeFind(CSftTree& tree, TreeBookmarks& bookmarks, QWidget& view, Services services);
    ~TreeFind();
    TreeFind(const TreeFind&) = delete;
    TreeFind& operator=(const TreeFind&) = delete;

    // Searches the find box's text (or its most recent item) after the selected row in the
    // settings' direction, wrapping around once with a beep. Not found: the information box
    // "The string '...' was not found." Returns whether a row was found.
    bool FindNextFromBox();
    // Runs the Find dialog (modal); Find Next there searches through the find box.
    void RunFindDialog();
    // Bookmarks every row that matches the text with the settings' case and word rules.
    void BookmarkAll(const QString& text);

    const FindOptions& Options() const { return options_; }
    CFindDialog* Dialog() const { return dialog_; }
    CFindNextDialog* NextDialog() const { return next_; }

private:
    CSftTree& tree_;
    TreeBookmarks& bookmarks_;
    QWidget& view_;
    Services services_;
    FindOptions options_;
    CFindDialog* dialog_;
    QPointer<CFindNextDialog> next_; // its parent is the main window; made on first use
};

} // namespace vek
