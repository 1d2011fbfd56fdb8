#include "model/line_item.h"

#include "model/register_codes.h"
#include "model/tree_control.h"

namespace vek {

void CLineItem::InsertRow(TreeControl& tree, int parentNode, int afterNode, std::string_view text,
                          int iconBase, int iconOffset) {
    node_ = tree.InsertRow(text, parentNode, afterNode);
    tree_ = &tree;
    iconBase_ = static_cast<std::int16_t>(iconBase);
    iconOffset_ = static_cast<std::uint8_t>(iconOffset);
    tree.SetRowLevel(node_, level_ - 1);
    tree.SetRowItem(node_, this);
    ShowIcon(0);
}

void CLineItem::ShowIcon(int i) const {
    if (tree_ != nullptr && node_ >= 0)
        tree_->SetRowImage(node_,
                           i == 2 ? iconBase_ + item_icon::Common : iconBase_ + iconOffset_ + i);
}

void CLineItem::SetCell(TreeColumn column, std::string_view text) const {
    if (tree_ != nullptr && node_ >= 0)
        tree_->SetCellText(node_, column, text);
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
