#pragma once

#include <functional>

namespace vek {

class CLineItem;
class CSftTree;

// The bookmarks of a register tree: an item flag and the bookmark image in the item's row. They
// live with the document's items and are not saved. Next and Previous walk every row, so that
// bookmarks in collapsed branches are found too.
class TreeBookmarks {
public:
    // `reveal` opens a row's collapsed ancestors, selects the row and scrolls it into view.
    TreeBookmarks(CSftTree& tree, std::function<void(int row)> reveal);

    void Set(CLineItem& item, bool on);
    // The selected row's bookmark on or off; nothing without a selected row.
    void Toggle();
    // The next bookmarked row after the selected one, starting over from the first row when
    // there is none below (only when a row was selected); nothing moves without bookmarks.
    void Next();
    // The bookmarked row before the selected one, else the last one.
    void Previous();
    void ClearAll();

private:
    // The first bookmarked row of [from, to) walking forward, or (to, from] walking backward.
    int Walk(int from, int to, int step) const;
    bool Marked(int row) const;

    CSftTree& tree_;
    std::function<void(int)> reveal_;
};

} // namespace vek
