#pragma once

#include <string_view>

namespace vek {

class CLineItem;

namespace tree_column {
inline constexpr int Description = 0;
inline constexpr int Address = 1;
inline constexpr int Data = 2;
} // namespace tree_column

// The multi-column tree control as the register items use it. Rows are numbered from 0 in
// display order; -1 means none. Column 0 is the description, 1 the address, 2 the data.
class TreeControl {
public:
    virtual ~TreeControl() = default;

    // Inserts a row below parentRow (-1: top level) right after afterRow (-1: as the last row
    // of that parent) and returns its number.
    virtual int InsertRow(std::string_view text, int parentRow, int afterRow) = 0;
    virtual void SetRowLevel(int row, int level) = 0;
    virtual void SetCellText(int row, int column, std::string_view text) = 0;
    virtual void SetRowImage(int row, int image) = 0;
    virtual void SetRowItem(int row, CLineItem* item) = 0;
};

} // namespace vek
