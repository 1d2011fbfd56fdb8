// WriteReg and ReadReg called from a Basic script on a description in simulation mode.
#include "description_generator.h"
#include "document/vek_doc.h"
#include "platform/recording_host.h"
#include "scripting/script_host.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace vek {
namespace {

namespace fs = std::filesystem;

void ScriptRegisterCalls(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "vek_script_calls_bench";
    fs::create_directories(dir);
    const std::string text = bench::GenerateDescription(1, 1000, 1, "nodriver.dll");
    std::ofstream(dir / "board.vek") << text;
    const long calls = state.range(0);
    std::ofstream(dir / "calls.bas") << "Sub Main\n"
                                        "    Dim i As Long, x As Long\n"
                                        "    For i = 1 To "
                                     << calls / 2
                                     << "\n"
                                        "        WriteReg R0_500, i And &HFF\n"
                                        "        x = ReadReg(F0_500_0)\n"
                                        "    Next\n"
                                        "End Sub\n";
    RecordingHost host;
    host.QueueAnswer(Answer::Ok); // the missing driver: simulation
    CVekDoc doc(host);
    if (!doc.OpenDocument((dir / "board.vek").string()) || !doc.IsSimulation()) {
        state.SkipWithError("the description did not open in simulation mode");
        return;
    }
    ScriptHost scripts(host, [](const std::string&) {});
    scripts.SetUp(doc);
    for (auto _ : state) {
        if (!scripts.Run((dir / "calls.bas").string()))
            state.SkipWithError(scripts.ErrorText().c_str());
    }
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(calls),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    fs::remove_all(dir);
}

BENCHMARK(ScriptRegisterCalls)->Arg(200'000)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek
