#pragma once

#include <string_view>

namespace vek {

class CLineItem;

// The columns of the register tree, numbered from 0.
enum class TreeColumn : int { Description = 0, Address = 1, Data = 2 };
inline constexpr int kTreeColumnCount = 3;

// The multi-column tree control as the register items use it. Rows are numbered from 0 in
// display order; -1 means none.
class TreeControl {
public:
    virtual ~TreeControl() = default;

    // Inserts a row below parentRow (-1: top level) right after afterRow (-1: as the last row
    // of that parent) and returns its number.
    virtual int InsertRow(std::string_view text, int parentRow, int afterRow) = 0;
    virtual void SetRowLevel(int row, int level) = 0;
    virtual void SetCellText(int row, TreeColumn column, std::string_view text) = 0;
    virtual void SetRowImage(int row, int image) = 0;
    virtual void SetRowItem(int row, CLineItem* item) = 0;
};

} // namespace vek
