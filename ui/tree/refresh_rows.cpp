#include "ui/tree/refresh_rows.h"

#include "model/line_item.h"
#include "model/refresh_round.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"

#include <QItemSelectionModel>

namespace vek {

namespace {

// The row and every row below it, up to the next row of its level or above.
void AddBranch(const TreeModel& rows, int row, std::vector<CShadowReg*>& registers) {
    const int level = rows.At(row).level;
    int r = row;
    do {
        if (const CLineItem* item = rows.At(r).item)
            RefreshRound::AddRegistersOf(*item, registers);
        ++r;
    } while (r < rows.RowCount() && rows.At(r).level > level);
}

} // namespace

std::vector<CShadowReg*> RefreshRegisters(const CSftTree& tree, RefreshScope scope) {
    const TreeModel& rows = tree.Model();
    std::vector<CShadowReg*> registers;
    switch (scope) {
    case RefreshScope::Selected:
        for (const QModelIndex& index : tree.selectionModel()->selectedRows())
            AddBranch(rows, TreeModel::RowOf(index), registers);
        break;
    case RefreshScope::Bookmarked:
        for (int row = 0; row < rows.RowCount(); ++row) {
            const CLineItem* item = rows.At(row).item;
            if (item != nullptr && item->HasFlags(ItemFlag::Bookmark))
                AddBranch(rows, row, registers);
        }
        break;
    case RefreshScope::Visible:
        for (int row : tree.RowsInView()) {
            if (const CLineItem* item = rows.At(row).item)
                RefreshRound::AddRegistersOf(*item, registers);
        }
        break;
    }
    return registers;
}

} // namespace vek
