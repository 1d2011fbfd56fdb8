// Scanner and parser throughput on generated descriptions, with a builder that only counts.
#include "compile_runs.h"
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
    DescriptionParser parser([] { return std::make_unique<CountingBuilder>(); });
    bench::RunCompiles(state, parser, bench::GenerateDescription(devices, registers, 1),
                       bench::GeneratedLineCount(devices, registers, 1));
}

BENCHMARK(ScanAndParse)
    ->RangeMultiplier(10)
    ->Range(10'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
} // namespace vek
