// Compiles the fuzzed bytes as a Basic module beside the utility functions and, when it
// compiles, runs its Main for a bounded number of statements: every input must end in a compile
// error, a run-time error, the end of the script or the end of its budget.
#include "scratch_folder.h"
#include "scripting/basic/engine.h"
#include "scripting/utility_functions.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// Statements one input may run: enough for the loops of real scripts to get somewhere, few
// enough that an endless loop costs milliseconds.
constexpr std::int64_t kStatementBudget = 20000;

constexpr int kMsgBoxOk = 1;

} // namespace

// Scripts open, write and delete files: theirs are made in the scratch folder.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vek::fuzz::EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vek::basic;
    Engine engine;
    Engine::Callbacks callbacks;
    callbacks.print = [](const std::string&) {};
    callbacks.debugPrint = [](const std::string&) {};
    callbacks.msgBox = [](const std::string&, int, const std::string&) { return kMsgBoxOk; };
    callbacks.wait = [](int) {};
    engine.SetCallbacks(std::move(callbacks));
    engine.SetSharedCode(std::string(vek::kUtilityFunctions));
    engine.SetModule("m", std::string(reinterpret_cast<const char*>(data), size));
    if (!engine.Compile() || !engine.Start("m")) {
        return 0;
    }
    engine.Run(kStatementBudget);
    engine.Stop();
    return 0;
}
