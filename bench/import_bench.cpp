// A vendor's map of 100,000 registers (100 peripherals x 1,000 registers x 2 fields): imported,
// imported and compiled, and the description it gives compiled as a hand-written one is.
#include "compiler/description_compile.h"
#include "importer/map_import.h"
#include "map_generator.h"
#include "platform/recording_host.h"

#include <benchmark/benchmark.h>

namespace vek {
namespace {

const std::string& LargeMap() {
    static const std::string map = GenerateSvd(100, 1000, 2);
    return map;
}

void BM_ImportSvd(benchmark::State& state) {
    const std::string& map = LargeMap(); // generated outside the timing
    for (auto _ : state) {
        Result<ImportedDescription> imported =
            ImportRegisterMap("generated.svd", map, "gdbdrv.dll");
        benchmark::DoNotOptimize(imported.Value().text.size());
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_ImportSvd)->Unit(benchmark::kMillisecond);

void BM_ImportAndCompileSvd(benchmark::State& state) {
    const std::string& map = LargeMap();
    for (auto _ : state) {
        Result<ImportedDescription> imported =
            ImportRegisterMap("generated.svd", map, "gdbdrv.dll");
        RecordingHost host;
        CompiledDescription compiled =
            CompileDescription("generated.vek", std::move(imported.Value().text), host);
        if (compiled.errors != 0)
            state.SkipWithError("the imported description does not compile");
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_ImportAndCompileSvd)->Unit(benchmark::kMillisecond);

void BM_CompileSameMapAsDescription(benchmark::State& state) {
    const std::string description =
        ImportRegisterMap("generated.svd", LargeMap(), "gdbdrv.dll").Value().text;
    for (auto _ : state) {
        RecordingHost host;
        CompiledDescription compiled = CompileDescription("generated.vek", description, host);
        benchmark::DoNotOptimize(compiled.errors);
    }
    state.SetItemsProcessed(state.iterations() * 100'000);
}
BENCHMARK(BM_CompileSameMapAsDescription)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek
