// Searching the rows' Description texts and the find box's history, without widgets.
#include "ui/find/find_history.h"
#include "ui/find/find_matcher.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

class Rows : public FindRows {
public:
    Rows(std::initializer_list<const char*> texts) : texts_(texts.begin(), texts.end()) {}
    int RowCount() const override { return static_cast<int>(texts_.size()); }
    std::string RowText(int row) const override {
        ++reads;
        return texts_.at(static_cast<std::size_t>(row));
    }

    mutable int reads = 0;

private:
    std::vector<std::string> texts_;
};

constexpr FindOptions kDown{};
constexpr FindOptions kUp{false, false, FindDirection::Up};
constexpr FindOptions kWholeWord{false, true, FindDirection::Down};
constexpr FindOptions kMatchCase{true, false, FindDirection::Down};

TEST(FindMatcher, CaseIsIgnoredUnlessMatchCase) {
    // The search runs on the shown text: ctrl_reg is shown as "ctrl reg".
    EXPECT_TRUE(RowTextMatches("ctrl reg", "CTRL", kDown));
    EXPECT_TRUE(RowTextMatches("ctrl reg", "L R", kDown));
    EXPECT_FALSE(RowTextMatches("ctrl reg", "CTRL", kMatchCase));
    EXPECT_TRUE(RowTextMatches("ctrl reg", "ctrl", kMatchCase));
    EXPECT_FALSE(RowTextMatches("ctrl reg", "ctrl_reg", kDown));
    EXPECT_FALSE(RowTextMatches("ctrl", "ctrl reg", kDown));
    EXPECT_FALSE(RowTextMatches("anything", "", kDown));
    // Only letters change case; other bytes compare as they are.
    EXPECT_TRUE(RowTextMatches("Wert \xc3\xa4 1", "WERT \xc3\xa4", kDown));
    EXPECT_FALSE(RowTextMatches("[x]", "{X}", kDown));
}

TEST(FindMatcher, WholeWordTestsOnlyTheFirstOccurrence) {
    EXPECT_FALSE(RowTextMatches("MODE REGA", "REG", kWholeWord));
    EXPECT_TRUE(RowTextMatches("A REG", "REG", kWholeWord));
    EXPECT_TRUE(RowTextMatches("REG", "REG", kWholeWord));
    EXPECT_TRUE(RowTextMatches("REG A", "reg", kWholeWord));
    EXPECT_FALSE(RowTextMatches("AREG", "REG", kWholeWord));
    EXPECT_FALSE(RowTextMatches("REG.", "REG", kWholeWord)); // only blanks bound a word
    // A later whole-word occurrence does not count when the first one fails.
    EXPECT_FALSE(RowTextMatches("REGA REG", "REG", kWholeWord));
    EXPECT_TRUE(RowTextMatches("REGA REG", "REG", kDown));
}

TEST(FindMatcher, SearchGoesFromTheStartRowInTheDirection) {
    const Rows rows{"dev", "ctrl reg", "status", "ctrl reg 2"};
    EXPECT_EQ(SearchRows(rows, "ctrl", 0, kDown), 1);
    EXPECT_EQ(SearchRows(rows, "ctrl", 2, kDown), 3);
    EXPECT_EQ(SearchRows(rows, "ctrl", 4, kDown), -1);
    EXPECT_EQ(SearchRows(rows, "ctrl", -1, kDown), 1);
    EXPECT_EQ(SearchRows(rows, "ctrl", 2, kUp), 1);
    EXPECT_EQ(SearchRows(rows, "ctrl", 0, kUp), -1);
    EXPECT_EQ(SearchRows(rows, "ctrl", 9, kUp), 3);
    EXPECT_EQ(SearchRows(rows, "ctrl", -2, kUp), -1);
    EXPECT_EQ(SearchRows(Rows{}, "ctrl", 0, kUp), -1);
}

TEST(FindMatcher, FindNextWrapsAroundOnceAndSaysSo) {
    const Rows rows{"dev", "ctrl reg", "status", "mode"};
    EXPECT_EQ(FindNextRow(rows, "ctrl", 0, kDown).row, 1);
    EXPECT_FALSE(FindNextRow(rows, "ctrl", 0, kDown).wrapped);
    // From the match itself the search goes on past it and starts over from row 0.
    const FindResult again = FindNextRow(rows, "ctrl", 1, kDown);
    EXPECT_EQ(again.row, 1);
    EXPECT_TRUE(again.wrapped);
    const FindResult up = FindNextRow(rows, "mode", 2, kUp);
    EXPECT_EQ(up.row, 3);
    EXPECT_TRUE(up.wrapped);
    // With nothing selected a downward search starts at row 0.
    EXPECT_EQ(FindNextRow(rows, "dev", -1, kDown).row, 0);
    EXPECT_FALSE(FindNextRow(rows, "dev", -1, kDown).wrapped);
    const FindResult none = FindNextRow(rows, "nothing", 2, kDown);
    EXPECT_EQ(none.row, -1);
    EXPECT_TRUE(none.wrapped); // the beep comes before the second search
}

TEST(FindMatcher, OneRowSearchedFromRowZeroDoesNotStartOver) {
    const Rows one{"dev"};
    const FindResult result = FindNextRow(one, "x", -1, kDown);
    EXPECT_EQ(result.row, -1);
    EXPECT_FALSE(result.wrapped);
    EXPECT_EQ(one.reads, 1);
    EXPECT_TRUE(FindNextRow(one, "dev", 0, kDown).wrapped);
}

TEST(FindMatcher, MatchingRowsGoDownWhateverTheDirection) {
    const Rows rows{"a reg", "reg", "rega", "b", "reg b"};
    const std::vector<int> expected{0, 1, 2, 4};
    EXPECT_EQ(MatchingRows(rows, "REG", kUp), expected);
    EXPECT_EQ(MatchingRows(rows, "REG", {false, true, FindDirection::Up}),
              (std::vector<int>{0, 1, 4}));
    EXPECT_TRUE(MatchingRows(rows, "", kDown).empty());
    EXPECT_EQ(rows.reads, 10); // each row read once per search
}

TEST(FindMatcher, NotFoundText) {
    EXPECT_EQ(NotFoundText("CTRL"), "The string 'CTRL' was not found.");
}

TEST(FindHistory, NewTextGoesOnTopAndTheTwentyFirstPushesOutTheOldest) {
    std::vector<std::string> items;
    const FindHistoryStep first = StepFindHistory(items, "ctrl", 20);
    EXPECT_EQ(first.searchText, "ctrl");
    EXPECT_TRUE(first.insertAtTop);
    EXPECT_FALSE(first.dropOldest);
    for (int i = 0; i < 19; ++i)
        items.push_back("s" + std::to_string(i));
    EXPECT_FALSE(StepFindHistory(items, "new", 20).dropOldest);
    items.push_back("oldest");
    const FindHistoryStep full = StepFindHistory(items, "new", 20);
    EXPECT_TRUE(full.insertAtTop);
    EXPECT_TRUE(full.dropOldest);
    // A text already listed keeps its place, even the oldest; the case counts.
    const FindHistoryStep listed = StepFindHistory(items, "oldest", 20);
    EXPECT_FALSE(listed.insertAtTop);
    EXPECT_FALSE(listed.dropOldest);
    EXPECT_TRUE(StepFindHistory(items, "OLDEST", 20).insertAtTop);
}

TEST(FindHistory, EmptyTextSearchesTheMostRecentItem) {
    const FindHistoryStep none = StepFindHistory({}, "", 20);
    EXPECT_TRUE(none.searchText.empty());
    EXPECT_FALSE(none.showFirstItem || none.insertAtTop || none.dropOldest);
    const std::vector<std::string> items{"latest", "older"};
    const FindHistoryStep step = StepFindHistory(items, "", 20);
    EXPECT_EQ(step.searchText, "latest");
    EXPECT_TRUE(step.showFirstItem);
    EXPECT_FALSE(step.insertAtTop);
}

} // namespace
} // namespace vek
