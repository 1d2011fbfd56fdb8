// Scanner and parser throughput on generated descriptions, with a builder that only counts.
#include "compiler/description_parser.h"
#include "description_generator.h"

#include <benchmark/benchmark.h>

namespace vek {
namespace {

class CountingBuilder final : public DescriptionBuilder {
public:
    void Attach(DiagnosticReporter&) override {}
    void AddProperty(int, std::string_view, int) override { ++calls; }
    void BeginRegisterList() override { ++calls; }
    void CreateDevice() override { ++calls; }
    void CreateSet() override { ++calls; }
    void CreatePart(int) override { ++calls; }
    void EndRegister() override { ++calls; }
    void CreateVariable() override { ++calls; }
    void CreateBitField() override { ++calls; }
    void CreateTextLine() override { ++calls; }
    void BindReadMacros() override { ++calls; }
    void BindWriteMacros() override { ++calls; }
    void AddItemOperand(std::string_view) override { ++calls; }
    void AddNumberOperand(std::string_view) override { ++calls; }
    void AddAssignment() override { ++calls; }
    void AddSleep() override { ++calls; }
    void CreateMacro() override { ++calls; }
    void CreateScriptMacro(const std::string&) override { ++calls; }
    void Link() override { ++calls; }
    long calls = 0;
};

void ScanAndParse(benchmark::State& state) {
    // Registers of one bit field each: about two lines per register.
    const int lines = static_cast<int>(state.range(0));
    const int devices = 10;
    const int registers = lines / devices / 2;
    const std::string text = bench::GenerateDescription(devices, registers, 1);
    const long lineCount = bench::GeneratedLineCount(devices, registers, 1);
    DescriptionParser parser([] { return std::make_unique<CountingBuilder>(); });
    for (auto _ : state) {
        state.PauseTiming(); // the copy stands for reading the file, which is not measured
        std::string source = text;
        state.ResumeTiming();
        parser.Compile("generated.vek", std::move(source), nullptr);
        if (parser.ErrorCount() != 0)
            state.SkipWithError("generated description has errors");
        benchmark::DoNotOptimize(parser.Builder());
    }
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lineCount),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(lineCount);
}

BENCHMARK(ScanAndParse)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace vek
