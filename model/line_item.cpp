#include "model/line_item.h"

#include "model/register_codes.h"
#include "model/tree_control.h"

namespace vek {

void CLineItem::InsertRow(TreeControl& tree, int parentNode, int afterNode, std::string_view text,
                          int iconBase, int iconOffset) {
    const int node = tree.InsertRow(text, parentNode, afterNode);
    row_ = std::make_unique<TreeRow>(TreeRow{&tree, node, iconBase, iconOffset});
    tree.SetRowLevel(node, level_ - 1);
    tree.SetRowItem(node, this);
    ShowIcon(0);
}

void CLineItem::ShowIcon(int i) const {
    if (row_ != nullptr && row_->node >= 0) {
        const int base = row_->iconBase;
        row_->tree->SetRowImage(row_->node,
                                i == 2 ? base + item_icon::Common : base + row_->iconOffset + i);
    }
}

void CLineItem::SetCell(TreeColumn column, std::string_view text) const {
    if (row_ != nullptr && row_->node >= 0) {
        row_->tree->SetCellText(row_->node, column, text);
    }
}

std::string CLineItem::DisplayName() const {
    std::string text(GetName());
    if (!text.empty() && text.front() != '_') {
        for (char& c : text) {
            if (c == '_') {
                c = ' ';
            }
        }
    }
    return text;
}

void CLineItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    if (GetKind() == ItemKind::TextLine) {
        InsertRow(tree, parentNode, afterNode, GetName(), iconBase, item_icon::TextLine);
    }
}

void CLineItem::Update(CShadowReg*, UpdateCodes) {}

} // namespace vek
