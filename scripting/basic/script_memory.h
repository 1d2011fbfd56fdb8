#pragma once

#include "scripting/basic/run_errors.h"

#include <cstddef>
#include <cstdint>

namespace vek::basic {

// The memory budget of scripts: the bytes the strings and arrays of all scripts hold together,
// counted by the string and array objects themselves. Large allocations ask before they are made;
// operations that make values of any size (the built-in functions) are checked after, so a script
// that keeps piling up values ends in error 7 "Out of memory" instead of exhausting the program.

std::int64_t ScriptMemoryInUse();
// Called by the string and array objects when they take (positive) or give back memory.
void CountScriptMemory(std::int64_t bytes);
// OutOfMemory when `bytes` more would pass kMaxScriptMemory.
RunError ReserveScriptMemory(std::size_t bytes);
// For a new string of `length` characters: OutOfStringSpace past kMaxStringLength, else as
// ReserveScriptMemory.
RunError ReserveString(std::size_t length);
// OutOfMemory when the memory in use has passed the budget.
RunError CheckScriptMemory();

} // namespace vek::basic
