// The tree cell's compact text: short texts in place, long ones in a block that is reused, and
// every move between the two keeping the text whole.
#include "ui/tree/cell_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vek {
namespace {

TEST(CellText, HoldsEveryLengthAcrossThePlaceAndTheHeap) {
    static_assert(sizeof(CellText) == 16);
    CellText cell;
    EXPECT_EQ(cell.View(), "");
    // Growing and shrinking across the 15-byte edge in both directions.
    for (const std::size_t length : {0, 1, 15, 16, 40, 15, 3, 100, 20, 0, 64}) {
        const std::string text(length, static_cast<char>('a' + length % 26));
        cell.Assign(text);
        EXPECT_EQ(cell.View(), text) << length;
    }
}

TEST(CellText, ATextTakenFromTheCellItselfStaysWhole) {
    CellText cell;
    const std::string longText = "REGISTER_WITH_A_LONG_NAME_0123456789";
    cell.Assign(longText);
    cell.Assign(cell.View().substr(4));
    EXPECT_EQ(cell.View(), longText.substr(4));
    cell.Assign(cell.View().substr(0, 5)); // from the heap into place
    EXPECT_EQ(cell.View(), "STER_");
    cell.Assign(cell.View().substr(1));
    EXPECT_EQ(cell.View(), "TER_");
}

TEST(CellText, CopiesAndMovesKeepTheirOwnText) {
    std::vector<CellText> cells(3);
    cells[0].Assign("short");
    cells[1].Assign("a text far too long to stay in place");
    CellText copy = cells[1];
    cells[1].Assign("changed, and long enough for the heap");
    EXPECT_EQ(copy.View(), "a text far too long to stay in place");
    cells.resize(1000); // the vector moves them
    EXPECT_EQ(cells[0].View(), "short");
    EXPECT_EQ(cells[1].View(), "changed, and long enough for the heap");
    CellText moved = std::move(cells[1]);
    EXPECT_EQ(moved.View(), "changed, and long enough for the heap");
    copy = std::move(moved);
    EXPECT_EQ(copy.View(), "changed, and long enough for the heap");
    copy = cells[0];
    EXPECT_EQ(copy.View(), "short");
}

} // namespace
} // namespace vek
