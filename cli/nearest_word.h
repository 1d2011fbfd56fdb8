#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vek {

// The candidate a mistyped word most likely meant: the one fewest edits away (a letter added,
// dropped, changed, or two neighbours swapped), at most two and fewer than half the word's
// letters; empty when none is that close or two are equally close.
std::string NearestWord(std::string_view word, std::span<const std::string_view> candidates);

// "; did you mean 'WORD'?" for the nearest candidate, or nothing.
std::string DidYouMean(std::string_view word, std::span<const std::string_view> candidates);

} // namespace vek
