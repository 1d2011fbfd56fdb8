#include "scripting/basic/script_memory.h"

#include "scripting/basic/limits.h"

#include <atomic>

namespace vek::basic {

namespace {

// Shared by every engine of the process, whichever thread runs it.
std::atomic<std::int64_t> gInUse{0};

} // namespace

std::int64_t ScriptMemoryInUse() {
    return gInUse.load(std::memory_order_relaxed);
}

void CountScriptMemory(std::int64_t bytes) {
    gInUse.fetch_add(bytes, std::memory_order_relaxed);
}

RunError ReserveScriptMemory(std::size_t bytes) {
    return bytes > kMaxScriptMemory ||
                   ScriptMemoryInUse() > static_cast<std::int64_t>(kMaxScriptMemory - bytes)
               ? RunError::OutOfMemory
               : RunError::None;
}

RunError ReserveString(std::size_t length) {
    return length > kMaxStringLength ? RunError::OutOfStringSpace : ReserveScriptMemory(length);
}

RunError CheckScriptMemory() {
    return ScriptMemoryInUse() > static_cast<std::int64_t>(kMaxScriptMemory) ? RunError::OutOfMemory
                                                                             : RunError::None;
}

} // namespace vek::basic
