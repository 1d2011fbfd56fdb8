#pragma once

#include "model/tree_control.h"

#include <QTreeView>

#include <array>
#include <optional>
#include <string>

namespace vek {

class ItemImages;
class TreeModel;

// What the tree control tells its owner, with the codes the register tree window knows them by.
// The cell editor reports its commit and cancel itself.
enum class TreeNotification : int {
    ToggleRow = 0x21,      // a click on a row's node symbol, Left, Right, "+" or "-"
    RowActionMouse = 0x2C, // a double click on a row
    RowActionKey = 0x2D,   // Return on a row
    ToggleBookmark = 0x26, // a middle click on a row
};

// The register tree control: a QTreeView over the rows of a TreeModel, offering what the register
// items and the tree view rely on. Rows are numbered from 0 in display order (rows in collapsed
// branches included); -1 means none. Which rows are expanded is kept here and handed to the view,
// so that expanding or collapsing every row with redrawing off costs one pass.
class CSftTree : public QTreeView, public TreeControl {
    Q_OBJECT

public:
    // The colour set: background, text, lines, selection background, selection text.
    using Colours = std::array<QColor, 5>;
    enum class EditMode { Browse = 1, Editing = 2 };
    static constexpr int kIndentation = 20;

    CSftTree(const ItemImages& images, QWidget* parent);
    ~CSftTree() override;

    TreeModel& Model() const { return *rows_; }

    // TreeControl: the items insert themselves. Every row is appended; its level decides its
    // parent.
    int InsertRow(std::string_view text, int parentRow, int afterRow) override;
    void SetRowLevel(int row, int level) override;
    void SetCellText(int row, TreeColumn column, std::string_view text) override;
    void SetRowImage(int row, int image) override;
    void SetRowItem(int row, CLineItem* item) override;

    std::string GetCellText(int row, TreeColumn column) const;
    // The bookmark image of a row, TreeModel::kNoImage when it has none.
    int GetCellImage(int row) const;
    void SetCellImage(int row, int image);
    int GetRowCount() const;
    CLineItem* GetRowItem(int row) const;
    int GetCaretRow() const;
    // The caret row while it is selected.
    int GetSelectedRow() const;
    // The next row whose value the last read changed (tree_model.h).
    int NextChangedRow(int after) const;
    // Makes the row the current, caret and only selected row and scrolls it into view. A row
    // that the filter hides is shown again first.
    void SelectRow(int row);
    void ShowRow(int row);

    bool IsRowExpanded(int row) const;
    void ExpandRow(int row);
    void CollapseRow(int row);
    int GetChildCount(int row) const;
    int GetParentRow(int row) const;
    // Whether the row is shown: every ancestor expanded and the filter passes it.
    bool IsRowVisible(int row) const;

    // The rows the viewport shows now, top to bottom.
    std::vector<int> RowsInView() const;
    // The cell's rectangle in the viewport's coordinates; none when the row is not shown.
    std::optional<QRect> GetCellRect(int row, TreeColumn column) const;
    // The column of the last click, -1 before any.
    int GetClickedColumn() const { return clickedColumn_; }
    void SetEditMode(EditMode mode) { editMode_ = mode; }
    EditMode GetEditMode() const { return editMode_; }

    Colours GetColours() const;
    void SetColours(const Colours& colours);
    // With redrawing off, rows, levels and expansion change without reaching the view; turning
    // it on hands them over in one go and repaints.
    void SetRedraw(bool on);
    void DeleteAllRows();
    // Room for that many rows, so that filling a large tree neither copies the rows as they grow
    // nor leaves half of the room unused.
    void ReserveRows(int count);

    // Hides the rows whose Description does not contain the text (case ignored) and that have
    // no descendant that does; an empty text shows every row. Returns the rows that match.
    std::vector<int> SetFilter(const QString& text);
    const QString& Filter() const { return filter_; }

Q_SIGNALS:
    void Notify(vek::TreeNotification code);
    // A character typed on the tree, for the owner to start editing with.
    void CharTyped(QChar c);
    // SelectRow cleared the filter to reach a row it hid.
    void FilterReset();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {}
    // A selected row's node symbol sits on the selection colour, as the rest of the row does, and
    // is drawn in the selection's text colour (BranchStyle).
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    bool OnNodeSymbol(const QModelIndex& index, const QPoint& pos) const;
    // Publishes the rows to Qt and hands the expansion and the caret over again.
    void Refresh();
    void SyncExpansion();
    void ScheduleRepaint();
    void SetExpanded(int row, bool expanded);

    TreeModel* rows_;
    bool redraw_ = true;
    bool structureChanged_ = false;
    bool expansionChanged_ = false;
    bool repaintPending_ = false;
    int clickedColumn_ = -1;
    EditMode editMode_ = EditMode::Browse;
    QColor lineColour_;
    QString filter_;
};

} // namespace vek
