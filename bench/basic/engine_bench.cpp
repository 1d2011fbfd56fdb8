// The comparison programs run inside the engine: compile once, then time whole runs of Main.
#include "scripting/basic/engine.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

namespace vek::basic {
namespace {

std::string ReadProgram(const std::string& name) {
    std::ifstream file(std::string(VEK_SOURCE_DIR) + "/bench/basic/programs/" + name + ".bas");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void RunProgram(benchmark::State& state, const std::string& name) {
    Engine engine;
    std::string lastLine;
    Engine::Callbacks callbacks;
    callbacks.print = [&](const std::string& line) { lastLine = line; };
    engine.SetCallbacks(callbacks);
    engine.SetModule(name, ReadProgram(name));
    if (!engine.Compile()) {
        state.SkipWithError("compile error");
        return;
    }
    for (auto _ : state) {
        engine.Start(name);
        if (engine.RunToEnd() != RunState::Finished) {
            state.SkipWithError("run-time error");
            return;
        }
    }
    state.SetLabel(lastLine);
}

void BM_IntegerLoop(benchmark::State& state) {
    RunProgram(state, "loop");
}
void BM_StringBuilding(benchmark::State& state) {
    RunProgram(state, "strings");
}
void BM_RecursiveFib30(benchmark::State& state) {
    RunProgram(state, "fib");
}
void BM_BubbleSort4000(benchmark::State& state) {
    RunProgram(state, "sort");
}

BENCHMARK(BM_IntegerLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringBuilding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecursiveFib30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BubbleSort4000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek::basic
