#pragma once

#include <cstddef>
#include <cstdint>

namespace vek {

// Elements one `dim` may make: a vendor's largest arrays hold a few thousand; a number beyond
// this is a broken file whose expansion would exhaust the memory before it said so.
inline constexpr std::uint64_t kMaxDimElements = 65536;

// Registers one import may make, arrays expanded: a hundred times the largest vendor map, and
// the most a description of the program's size limit holds.
inline constexpr std::size_t kMaxImportedRegisters = 1'000'000;

// Steps of a derivedFrom chain: real maps derive once or twice; a longer chain is a cycle or a
// file made to make the import walk for ever.
inline constexpr int kMaxDerivation = 32;

// Clusters within clusters (register files within register files): the walk is recursive.
inline constexpr int kMaxNesting = 32;

// Names a warning line lists before it says how many more there were.
inline constexpr std::size_t kWarningExamples = 3;

} // namespace vek
