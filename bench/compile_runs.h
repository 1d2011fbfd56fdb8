#pragma once

#include "compiler/description_parser.h"

#include <benchmark/benchmark.h>

#include <string>

namespace vek::bench {

// Compiles the text once per iteration and counts its lines per second. Copying the text stands
// for reading the file, and freeing what the builder made is the document's business: neither
// is measured.
inline void RunCompiles(benchmark::State& state, DescriptionParser& parser, const std::string& text,
                        long lines) {
    for (auto _ : state) {
        state.PauseTiming();
        std::string source = text;
        state.ResumeTiming();
        parser.Compile("generated.vek", std::move(source), nullptr);
        if (parser.ErrorCount() != 0)
            state.SkipWithError("generated description has errors");
        state.PauseTiming();
        parser.TakeBuilder();
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    state.SetComplexityN(lines);
}

} // namespace vek::bench
