#include "model/line_item.h"

#include "model/register_codes.h"
#include "model/tree_control.h"

namespace vek {

void CLineItem::InsertRow(TreeControl& tree, int parentNode, int afterNode, std::string_view text,
                          int iconBase, int iconOffset) {
    tree_ = &tree;
    node_ = tree.InsertRow(text, parentNode, afterNode);
    tree.SetRowLevel(node_, level_ - 1);
    tree.SetRowItem(node_, this);
    icons_[0] = iconBase + iconOffset;
    icons_[1] = iconBase + iconOffset + 1;
    icons_[2] = iconBase + item_icon::Common;
    ShowIcon(0);
}

void CLineItem::ShowIcon(int i) const {
    if (tree_ != nullptr && node_ >= 0) {
        tree_->SetRowImage(node_, icons_[i]);
    }
}

void CLineItem::SetCell(TreeColumn column, std::string_view text) const {
    if (tree_ != nullptr && node_ >= 0) {
        tree_->SetCellText(node_, column, text);
    }
}

std::string CLineItem::DisplayName() const {
    std::string text = name_;
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
    if (kind_ == ItemKind::TextLine) {
        InsertRow(tree, parentNode, afterNode, name_, iconBase, item_icon::TextLine);
    }
}

void CLineItem::Update(CShadowReg*, UpdateCodes) {}

} // namespace vek
