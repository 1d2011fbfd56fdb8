#pragma once

#include <QIcon>

#include <array>

namespace vek {

// The images of the register tree's rows, numbered as the items pick them (item_icon offsets
// from base 0: a pair per kind, the image common to all kinds, the text line), each also drawn
// with the bookmark over it, with the mark of a register whose read changes the chip, and with
// both. All are drawn once, so that a row's image costs a look-up.
class ItemImages {
public:
    static constexpr int kCount = 14;
    static constexpr int kSize = 16;
    // The image a bookmarked row carries beside its own.
    static constexpr int kBookmark = kCount;

    ItemImages();

    // The image with the marks asked for; a number outside the table draws the bookmark alone.
    const QIcon& Icon(int image, bool bookmarked, bool readEffects) const;

private:
    // By variant: bit 0 the bookmark, bit 1 the read mark.
    std::array<std::array<QIcon, kCount>, 4> drawn_;
    QIcon bookmark_;
};

} // namespace vek
