#pragma once

#include "scripting/basic/limits.h"
#include "scripting/basic/run_errors.h"

#include <cstddef>
#include <cstdint>

namespace vek::basic {

// The memory budget of scripts: the bytes the strings and arrays of all scripts of a thread hold
// together (the program runs its scripts on one), counted by the string and array objects
// themselves. Large allocations ask before they are made; operations that make values of any size
// (the built-in functions) are checked after, so a script that keeps piling up values ends in
// error 7 "Out of memory" instead of exhausting the program.

namespace script_memory {
// Per thread: the values of a script never leave the thread that runs it (their reference counts
// are not atomic either), and a plain count costs nothing measurable where strings are built.
inline thread_local constinit std::int64_t inUse = 0;
} // namespace script_memory

inline std::int64_t ScriptMemoryInUse() {
    return script_memory::inUse;
}

// Called by the string and array objects when they take (positive) or give back memory.
inline void CountScriptMemory(std::int64_t bytes) {
    script_memory::inUse += bytes;
}

// OutOfMemory when `bytes` more would pass kMaxScriptMemory.
inline RunError ReserveScriptMemory(std::size_t bytes) {
    return bytes > kMaxScriptMemory ||
                   ScriptMemoryInUse() > static_cast<std::int64_t>(kMaxScriptMemory - bytes)
               ? RunError::OutOfMemory
               : RunError::None;
}

// For a new string of `length` characters: OutOfStringSpace past kMaxStringLength, else as
// ReserveScriptMemory.
inline RunError ReserveString(std::size_t length) {
    return length > kMaxStringLength ? RunError::OutOfStringSpace : ReserveScriptMemory(length);
}

// OutOfMemory when the memory in use has passed the budget.
inline RunError CheckScriptMemory() {
    return ScriptMemoryInUse() > static_cast<std::int64_t>(kMaxScriptMemory) ? RunError::OutOfMemory
                                                                             : RunError::None;
}

} // namespace vek::basic
