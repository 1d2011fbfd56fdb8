#include "ui/tree/tree_bookmarks.h"

#include "model/line_item.h"
#include "ui/tree/item_images.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"

namespace vek {

TreeBookmarks::TreeBookmarks(CSftTree& tree, std::function<void(int row)> reveal)
    : tree_(tree), reveal_(std::move(reveal)) {}

void TreeBookmarks::Set(CLineItem& item, bool on) {
    if (item.GetNode() < 0)
        return;
    tree_.SetCellImage(item.GetNode(), on ? ItemImages::kBookmark : TreeModel::kNoImage);
    if (on)
        item.AddFlags(ItemFlag::Bookmark);
    else
        item.RemoveFlags(ItemFlag::Bookmark);
}

bool TreeBookmarks::Marked(int row) const {
    const CLineItem* item = tree_.GetRowItem(row);
    return item != nullptr && item->HasFlags(ItemFlag::Bookmark);
}

void TreeBookmarks::Toggle() {
    CLineItem* item = tree_.GetRowItem(tree_.GetSelectedRow());
    if (item == nullptr)
        return;
    Set(*item, !item->HasFlags(ItemFlag::Bookmark));
    tree_.setFocus();
}

int TreeBookmarks::Walk(int from, int to, int step) const {
    for (int row = from; row != to; row += step) {
        if (Marked(row))
            return row;
    }
    return -1;
}

void TreeBookmarks::Next() {
    const int count = tree_.GetRowCount();
    const int selected = tree_.GetSelectedRow();
    int found = Walk(selected + 1, count, 1);
    if (found < 0 && selected >= 0)
        found = Walk(0, count, 1);
    if (found >= 0)
        reveal_(found);
}

void TreeBookmarks::Previous() {
    const int selected = tree_.GetSelectedRow();
    int found = selected > 0 ? Walk(selected - 1, -1, -1) : -1;
    if (found < 0)
        found = Walk(tree_.GetRowCount() - 1, -1, -1);
    if (found >= 0)
        reveal_(found);
}

void TreeBookmarks::ClearAll() {
    for (int row = 0; row < tree_.GetRowCount(); ++row) {
        if (CLineItem* item = tree_.GetRowItem(row); item != nullptr && Marked(row))
            Set(*item, false);
    }
}

} // namespace vek
