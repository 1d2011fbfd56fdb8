#pragma once

#include <QIcon>

#include <array>

namespace vek {

// The images of the register tree's rows, numbered as the items pick them (item_icon offsets
// from base 0: a pair per kind, the image common to all kinds, the text line), each also drawn
// with the bookmark over it.
class ItemImages {
public:
    static constexpr int kCount = 14;
    static constexpr int kSize = 16;
    // The image a bookmarked row carries beside its own.
    static constexpr int kBookmark = kCount;

    ItemImages();

    // The image, or the bookmark over it; a number outside the table draws the bookmark alone.
    const QIcon& Icon(int image, bool bookmarked) const;

private:
    std::array<QIcon, kCount> plain_;
    std::array<QIcon, kCount> marked_;
    QIcon bookmark_;
};

} // namespace vek
