#pragma once

#include "model/register_codes.h"
#include "ui/commands/command_target.h"
#include "ui/tree/item_images.h"
#include "ui/tree/tree_bookmarks.h"
#include "ui/tree/tree_cell_edit.h"
#include "ui/tree/tree_find.h"
#include "ui/watch/live_refresh.h"
#include "ui/watch/live_refresh_settings.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

namespace vek {

class CLedStatusBar;
class CLineItem;
class CSftTree;
class CSliderBar;
class CVarItem;
class CVekDoc;
enum class TreeNotification : int;

// The register tree view: every item of the document as a row of the tree control, with the
// commands on the selected item (read, write, step, edit), the radix of the whole document, Expand
// Tree and Collapse Tree, bookmarks, and the status bar's report on the caret row. A filter field
// above the tree hides the rows that do not match its text. The view reads registers by itself
// only while the user keeps its Live Refresh on; else values change only through commands, the
// editor, the slider bar, macros and scripts.
class CVekTreeView : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    struct Services {
        CLedStatusBar& statusBar;
        CSliderBar& sliderBar;
        // Runs a transfer over many registers with every command blocked.
        std::function<void(const std::function<void()>&)> runBusy;
        QComboBox* findBox; // the main toolbar's find box, null without one
        std::function<bool()> findBoxFocused;
        // Find Next of the small find dialog: Find String in whichever view is active.
        std::function<void()> findStringInActiveView;
        QWidget* mainWindow;
        // What the live refresh toolbar and menu set, and whether commands are blocked now.
        const LiveRefreshSettings& refreshSettings;
        std::function<bool()> commandsBlocked;
        // Plot Value: the item joins the plot.
        std::function<void(const CVarItem&)> plotValue;
    };

    CVekTreeView(CVekDoc& document, Services services, QWidget* parent);
    ~CVekTreeView() override;

    // Ends an edit and takes the rows off the items, which outlive them when the document stays
    // open in another window. Called while the window closes, before its document may go; after it
    // the view touches the document no more.
    void DetachFromDocument();

    // Builds the rows, once per document, with redrawing off.
    void OnInitialUpdate();

    CVekDoc& Document() const { return document_; }
    CSftTree& Tree() const { return *tree_; }
    QLineEdit& FilterField() const { return *filter_; }
    TreeBookmarks& Bookmarks() { return bookmarks_; }
    TreeFind& Find() { return find_; }
    TreeCellEdit& CellEdit() { return edit_; }
    LiveRefresh& Refresh() { return refresh_; }
    // The radix flag of the view: Hex, Decimal or Binary.
    UpdateCode Radix() const { return radix_; }
    // Rows that can be hidden (all but devices) and how many of them are shown now.
    int HideableRows() const { return hideableRows_; }
    int ShownRows() const { return shownRows_; }
    // The item of the caret row, null when there is none.
    CLineItem* SelectedItem() const;

    // The idle report on the caret row: panes 0, 1 and 3.
    void ReportStatus();
    // The window became the active one (or stopped being it): the tree takes the focus and the
    // status bar shows the view's radix.
    void OnActivated(bool active);
    // Expands a collapsed row or collapses an expanded one, as a click on its node symbol does.
    void ToggleRow(int row);
    // Opens the row's collapsed ancestors, selects it and scrolls it into view; with `focus` the
    // tree takes the keyboard focus.
    void RevealRow(int row, bool focus = true);

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

private:
    void OnNotify(TreeNotification code);
    // The status bar's live refresh pane, while this view is the active one.
    void ShowRefreshRate();
    void RowAction();
    void SetRadix(UpdateCode radix);
    void FitDataColumn();
    void ExpandTree();
    void CollapseTree();
    void TransferSelected(bool write);
    void CopyRows() const;
    void ApplyFilter(const QString& text);
    void SetUpColumns();
    QString ToolTipOf(const CLineItem& item) const;
    bool DocumentReady() const;
    std::optional<CommandState> ItemCommandState(CommandId id) const;

    CVekDoc& document_;
    bool detached_ = false;
    Services services_;
    ItemImages images_;
    QLineEdit* filter_;
    CSftTree* tree_;
    TreeBookmarks bookmarks_;
    TreeCellEdit edit_;
    TreeFind find_;
    LiveRefresh refresh_;
    UpdateCode radix_ = UpdateCode::Hex;
    int hideableRows_ = 0;
    int shownRows_ = 0;
    bool built_ = false;
    bool active_ = false;
};

} // namespace vek
