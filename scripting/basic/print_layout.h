#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace vek::basic {

// How Print, Debug.Print and Print # lay out a line.

// "," moves to the next zone of this many columns.
inline constexpr std::size_t kPrintZoneWidth = 14;
// Tab and Spc move a line at most this far: wider than any line a window shows.
inline constexpr std::int64_t kMaxPrintMove = 32767;

// The blanks "," writes after `column` characters of a line.
inline std::size_t ZoneBlanks(std::size_t column) {
    return kPrintZoneWidth - column % kPrintZoneWidth;
}

// The moves of a print list: Tab(n) to column n, Spc(n) n blanks, Tab alone to the next zone.
enum class PrintMove : std::uint8_t { None, Tab, Spc, NextZone };

struct PrintMoveBlanks {
    bool newLine = false; // Tab to a column the line is past: on the next line
    std::size_t blanks = 0;
};

// Tab(n) or Spc(n) after `column` characters of a line.
inline PrintMoveBlanks BlanksOfMove(PrintMove move, std::size_t column, std::int64_t n) {
    if (move == PrintMove::Spc) {
        return {false, static_cast<std::size_t>(std::clamp<std::int64_t>(n, 0, kMaxPrintMove))};
    }
    const auto target = static_cast<std::size_t>(std::clamp<std::int64_t>(n, 1, kMaxPrintMove));
    if (column + 1 > target) {
        return {true, target - 1};
    }
    return {false, target - 1 - column};
}

} // namespace vek::basic
