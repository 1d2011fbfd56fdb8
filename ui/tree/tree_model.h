#pragma once

#include "ui/tree/cell_text.h"

#include <QAbstractItemModel>
#include <QFont>

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vek {

class CLineItem;
class ItemImages;

// The rows of the register tree: one flat list in display order, each row with its level, cell
// texts, images and item. A row's parent is the nearest earlier row of a lower level, as in the
// tree control the items were written for. Qt sees a published copy of the hierarchy that
// changes only in Publish, so that hundreds of thousands of rows are added, and their levels
// set, without one model signal per row; cell texts and images are read straight from the rows.
class TreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    static constexpr int kColumnCount = 4; // Description, Address, Data and the filling column
    static constexpr int kNoImage = -1;

    // 64 bytes: a tree has a row for every item. Levels and image numbers are small.
    struct Row {
        CLineItem* item = nullptr;
        std::int16_t level = 0;
        std::int16_t image = kNoImage;     // the item's image
        std::int16_t cellImage = kNoImage; // the bookmark
        bool expanded = false;
        bool filtered = false; // hidden by the filter field
        std::array<CellText, 3> cells;
    };
    // Rows hidden in collapsed branches or by the filter keep their number.
    using ToolTip = std::function<QString(const CLineItem&)>;

    TreeModel(const ItemImages& images, QObject* parent);

    int AppendRow(std::string_view text);
    void Reserve(int rows) { rows_.reserve(static_cast<std::size_t>(rows)); }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    bool IsRow(int row) const { return row >= 0 && row < RowCount(); }
    Row& At(int row) { return rows_[static_cast<std::size_t>(row)]; }
    const Row& At(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // The published hierarchy: parent row (-1 for a top-level row) and the row's children.
    int ParentRow(int row) const;
    int ChildCount(int row) const;
    int Child(int row, int k) const;
    // Rebuilds the published hierarchy from the levels and filter marks (a model reset).
    void Publish();
    void Clear();

    QModelIndex IndexOf(int row, int column = 0) const;
    static int RowOf(const QModelIndex& index);

    // Follows the row's item after its value was shown: whether the last read changed it (the
    // value in the changed colour, and each row above it, so that a collapsed tree shows where).
    void NoteReadChange(int row);
    bool ChangedByRead(int row) const { return changed_.contains(row); }
    bool HoldsChange(int row) const { return holding_.contains(row); }
    // The first changed row after `after`, else the first of all; -1 when none is changed.
    int NextChangedRow(int after) const;

    void SetToolTip(ToolTip toolTip) { toolTip_ = std::move(toolTip); }
    void SetFonts(const QFont& text, const QFont& values);
    const QFont& ValueFont() const { return valueFont_; }

    QModelIndex index(int row, int column, const QModelIndex& parent) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    bool hasChildren(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The children of row r (r = -1: the top level) are children_[first_[r + 1] ...
    // first_[r + 2]).
    int FirstChild(int row) const { return first_[static_cast<std::size_t>(row + 1)]; }

    const ItemImages& images_;
    std::vector<Row> rows_;
    std::vector<int> parents_;   // published parent of each row
    std::vector<int> positions_; // published position of each row among its parent's children
    std::vector<int> first_;
    std::vector<int> children_;
    // Rows whose value the last read changed, and for each row above them how many it holds.
    std::set<int> changed_;
    std::unordered_map<int, int> holding_;
    ToolTip toolTip_;
    QFont textFont_;
    QFont valueFont_;
};

} // namespace vek
