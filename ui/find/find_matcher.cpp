#include "ui/find/find_matcher.h"

#include <algorithm>

namespace vek {

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t FirstOccurrence(std::string_view text, std::string_view part, bool matchCase) {
    if (matchCase)
        return text.find(part);
    const auto at = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                [](char a, char b) { return Upper(a) == Upper(b); });
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

} // namespace

bool RowTextMatches(std::string_view rowText, std::string_view searchText,
                    const FindOptions& options) {
    if (searchText.empty())
        return false;
    const std::size_t at = FirstOccurrence(rowText, searchText, options.matchCase);
    if (at == std::string_view::npos)
        return false;
    if (!options.wholeWord)
        return true;
    const std::size_t after = at + searchText.size();
    return (at == 0 || rowText[at - 1] == ' ') &&
           (after == rowText.size() || rowText[after] == ' ');
}

int SearchRows(const FindRows& rows, std::string_view searchText, int start,
               const FindOptions& options) {
    if (searchText.empty())
        return -1;
    const int count = rows.RowCount();
    if (options.direction == FindDirection::Down) {
        for (int row = std::max(start, 0); row < count; ++row) {
            if (RowTextMatches(rows.RowText(row), searchText, options))
                return row;
        }
    } else {
        for (int row = std::min(start, count - 1); row >= 0; --row) {
            if (RowTextMatches(rows.RowText(row), searchText, options))
                return row;
        }
    }
    return -1;
}

FindResult FindNextRow(const FindRows& rows, std::string_view searchText, int selectedRow,
                       const FindOptions& options) {
    const bool down = options.direction == FindDirection::Down;
    const int start = down ? selectedRow + 1 : selectedRow - 1;
    FindResult result{SearchRows(rows, searchText, start, options), false};
    if (result.row == -1 && !(start == 0 && rows.RowCount() == 1)) {
        result.wrapped = true;
        result.row = SearchRows(rows, searchText, down ? 0 : rows.RowCount() - 1, options);
    }
    return result;
}

std::vector<int> MatchingRows(const FindRows& rows, std::string_view searchText,
                              const FindOptions& options) {
    FindOptions downward = options;
    downward.direction = FindDirection::Down;
    std::vector<int> matches;
    for (int row = SearchRows(rows, searchText, 0, downward); row != -1;
         row = SearchRows(rows, searchText, row + 1, downward))
        matches.push_back(row);
    return matches;
}

std::string NotFoundText(std::string_view searchText) {
    return "The string '" + std::string(searchText) + "' was not found.";
}

} // namespace vek
