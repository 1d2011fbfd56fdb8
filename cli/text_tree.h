#pragma once

#include "model/tree_control.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace vek {

// The register tree as text: the rows the items insert, each printed as its indentation (two
// blanks per level) and the Description, Address and Data columns separated by tabs. A register
// whose read changes the chip has " !" after its description.
class TextTree : public TreeControl {
public:
    int InsertRow(std::string_view text, int parentRow, int afterRow) override;
    void SetRowLevel(int row, int level) override;
    void SetCellText(int row, TreeColumn column, std::string_view text) override;
    void SetRowImage(int, int) override {}
    void SetRowItem(int row, CLineItem* item) override;

    void Print(std::ostream& out) const;

private:
    struct Row {
        int level = 0;
        bool readEffects = false;
        std::array<std::string, kTreeColumnCount> cells;
    };
    bool Valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < rows_.size(); }

    std::vector<Row> rows_;
};

} // namespace vek
