#include "cli/text_tree.h"

#include "model/line_item.h"

#include <ostream>

namespace vek {

int TextTree::InsertRow(std::string_view text, int, int) {
    // The items arrive in list order, so every row is appended.
    rows_.push_back({});
    rows_.back().cells[0] = std::string(text);
    return static_cast<int>(rows_.size()) - 1;
}

void TextTree::SetRowLevel(int row, int level) {
    if (Valid(row))
        rows_[static_cast<std::size_t>(row)].level = level;
}

void TextTree::SetCellText(int row, TreeColumn column, std::string_view text) {
    const auto index = static_cast<std::size_t>(column);
    if (Valid(row) && index < kTreeColumnCount)
        rows_[static_cast<std::size_t>(row)].cells[index] = text;
}

void TextTree::SetRowItem(int row, CLineItem* item) {
    if (Valid(row) && item != nullptr)
        rows_[static_cast<std::size_t>(row)].readEffects = item->HasFlags(ItemFlag::ReadEffects);
}

void TextTree::Print(std::ostream& out) const {
    for (const Row& row : rows_) {
        out << std::string(2 * static_cast<std::size_t>(row.level > 0 ? row.level : 0), ' ')
            << row.cells[0] << (row.readEffects ? " !" : "") << '\t' << row.cells[1] << '\t'
            << row.cells[2] << '\n';
    }
}

} // namespace vek
