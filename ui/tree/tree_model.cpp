#include "ui/tree/tree_model.h"

#include "model/line_item.h"
#include "ui/host/text_conversion.h"
#include "ui/tree/item_images.h"

#include <QBrush>
#include <QColor>

namespace vek {

namespace {

constexpr const char* kColumnTitles[TreeModel::kColumnCount] = {"Description", "Address", "Data",
                                                                ""};
constexpr int kDataColumn = 2;

static_assert(sizeof(void*) != 8 || sizeof(TreeModel::Row) == 64,
              "a row grew: the tree has one for every item");

// A register whose read has side effects carries a mark; the flag is read as the row is drawn.

// Values that the last read changed, and the rows that hold them.
const QColor kChangedColour(0xc0, 0x00, 0x00);

bool ReadChangesChip(const TreeModel::Row& row) {
    return row.item != nullptr && row.item->HasFlags(ItemFlag::ReadEffects);
}

} // namespace

TreeModel::TreeModel(const ItemImages& images, QObject* parent)
    : QAbstractItemModel(parent), images_(images) {
    Publish();
}

int TreeModel::AppendRow(std::string_view text) {
    rows_.emplace_back();
    rows_.back().cells[0].Assign(text);
    return RowCount() - 1;
}

int TreeModel::ParentRow(int row) const {
    return IsRow(row) && static_cast<std::size_t>(row) < parents_.size()
               ? parents_[static_cast<std::size_t>(row)]
               : -1;
}

int TreeModel::ChildCount(int row) const {
    if (row < -1 || row + 2 >= static_cast<int>(first_.size()))
        return 0;
    return FirstChild(row + 1) - FirstChild(row);
}

int TreeModel::Child(int row, int k) const {
    return children_[static_cast<std::size_t>(FirstChild(row) + k)];
}

void TreeModel::Publish() {
    beginResetModel();
    const std::size_t n = rows_.size();
    parents_.assign(n, -1);
    positions_.assign(n, -1);
    first_.assign(n + 2, 0);
    // Each row's parent is the nearest earlier row of a lower level.
    std::vector<int> open;
    for (std::size_t r = 0; r < n; ++r) {
        const int level = rows_[r].level;
        while (!open.empty() && rows_[static_cast<std::size_t>(open.back())].level >= level)
            open.pop_back();
        parents_[r] = open.empty() ? -1 : open.back();
        open.push_back(static_cast<int>(r));
        if (!rows_[r].filtered)
            ++first_[static_cast<std::size_t>(parents_[r] + 2)];
    }
    for (std::size_t i = 1; i < first_.size(); ++i)
        first_[i] += first_[i - 1];
    children_.assign(static_cast<std::size_t>(first_.back()), 0);
    std::vector<int> filled(first_.begin(), first_.end() - 1);
    for (std::size_t r = 0; r < n; ++r) {
        if (rows_[r].filtered)
            continue;
        const auto slot = static_cast<std::size_t>(parents_[r] + 1);
        positions_[r] = filled[slot] - first_[slot];
        children_[static_cast<std::size_t>(filled[slot]++)] = static_cast<int>(r);
    }
    endResetModel();
}

void TreeModel::NoteReadChange(int row) {
    const CLineItem* item = IsRow(row) ? At(row).item : nullptr;
    const bool changed = item != nullptr && item->HasFlags(ItemFlag::ChangedByRead);
    if (changed == changed_.contains(row))
        return;
    if (changed)
        changed_.insert(row);
    else
        changed_.erase(row);
    for (int above = ParentRow(row); above >= 0; above = ParentRow(above)) {
        if (changed) {
            ++holding_[above];
        } else if (const auto held = holding_.find(above);
                   held != holding_.end() && --held->second <= 0) {
            holding_.erase(held);
        }
        const QModelIndex index = IndexOf(above);
        if (index.isValid())
            Q_EMIT dataChanged(index, index, {Qt::ForegroundRole});
    }
}

int TreeModel::NextChangedRow(int after) const {
    if (changed_.empty())
        return -1;
    const auto next = changed_.upper_bound(after);
    return next != changed_.end() ? *next : *changed_.begin();
}

void TreeModel::Clear() {
    changed_.clear();
    holding_.clear();
    rows_.clear();
    Publish();
}

QModelIndex TreeModel::IndexOf(int row, int column) const {
    if (!IsRow(row) || positions_[static_cast<std::size_t>(row)] < 0)
        return {};
    return createIndex(positions_[static_cast<std::size_t>(row)], column,
                       static_cast<quintptr>(row));
}

int TreeModel::RowOf(const QModelIndex& index) {
    return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

void TreeModel::SetFonts(const QFont& text, const QFont& values) {
    textFont_ = text;
    valueFont_ = values;
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    const int parentRow = RowOf(parent);
    if (row < 0 || column < 0 || column >= kColumnCount || row >= ChildCount(parentRow))
        return {};
    return createIndex(row, column, static_cast<quintptr>(Child(parentRow, row)));
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    return IndexOf(ParentRow(RowOf(child)));
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0)
        return 0;
    return ChildCount(RowOf(parent));
}

int TreeModel::columnCount(const QModelIndex&) const {
    return kColumnCount;
}

bool TreeModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    const int row = RowOf(index);
    if (!IsRow(row))
        return {};
    const Row& r = At(row);
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column < kDataColumn + 1)
            return ToQString(r.cells[static_cast<std::size_t>(column)].View());
        return {};
    case Qt::DecorationRole:
        if (column == 0 && (r.image != kNoImage || r.cellImage != kNoImage))
            return images_.Icon(r.image, r.cellImage != kNoImage, ReadChangesChip(r));
        return {};
    case Qt::FontRole:
        return column == 0 ? textFont_ : valueFont_;
    case Qt::ForegroundRole:
        if ((column == kDataColumn && ChangedByRead(row)) || (column == 0 && HoldsChange(row)))
            return QBrush(kChangedColour);
        return {};
    case Qt::ToolTipRole:
        if (column == 0 && ReadChangesChip(r))
            return QStringLiteral("read has side effects");
        if (column == kDataColumn && toolTip_ && r.item != nullptr)
            return toolTip_(*r.item);
        return {};
    default:
        return {};
    }
}

QVariant TreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return QString::fromLatin1(kColumnTitles[section]);
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (ChildCount(RowOf(index)) == 0)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

} // namespace vek
