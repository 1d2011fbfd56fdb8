#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vek {

enum class FindDirection { Up = 0, Down = 1 };

// The settings a search runs with; a tree view keeps them between searches.
struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
    FindDirection direction = FindDirection::Down;

    friend bool operator==(const FindOptions&, const FindOptions&) = default;
};

// The rows searched: the Description texts of the tree's rows, as shown.
class FindRows {
public:
    virtual ~FindRows() = default;
    virtual int RowCount() const = 0;
    virtual std::string RowText(int row) const = 0;
};

// Whether a row's text matches. Without match case both are compared in upper case. With whole
// word only the first occurrence counts: it must have a blank or the text's start before it and a
// blank or the text's end after it, else the row does not match even if a later occurrence would.
// An empty search text matches nothing.
bool RowTextMatches(std::string_view rowText, std::string_view searchText,
                    const FindOptions& options);

// The first matching row from `start` towards the last row (down) or row 0 (up), or -1.
int SearchRows(const FindRows& rows, std::string_view searchText, int start,
               const FindOptions& options);

struct FindResult {
    int row = -1;         // -1: not found
    bool wrapped = false; // the search started over from the far end: the caller beeps
};

// The next match after the selected row (-1 for none) in the options' direction; when there is
// none the search starts over once from row 0 (down) or the last row (up).
FindResult FindNextRow(const FindRows& rows, std::string_view searchText, int selectedRow,
                       const FindOptions& options);

// Every matching row, from row 0 down whatever the options' direction.
std::vector<int> MatchingRows(const FindRows& rows, std::string_view searchText,
                              const FindOptions& options);

// The information given when a search finds nothing.
std::string NotFoundText(std::string_view searchText);

} // namespace vek
