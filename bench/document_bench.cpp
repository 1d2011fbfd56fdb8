// Register runs over a whole document and register-values files, on a generated description of
// 100,000 registers in 10 devices behind the test driver.
#include "description_generator.h"
#include "quiet_host.h"

#include "cli/transfer_trace.h"
#include "document/vek_doc.h"
#include "model/transfer_log.h"
#include "platform/dynamic_library.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace vek {
namespace {

constexpr int kDevices = 10;
constexpr int kRegistersPerDevice = 10000;

using bench::QuietHost;

// The generated description, written once into a folder of its own, and the test driver's reset
// (its call log grows with every call, so each benchmark starts it afresh).
class Board {
public:
    Board() {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vek-bench-document-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        const std::string text =
            bench::GenerateDescription(kDevices, kRegistersPerDevice, 0, "testdrv.dll");
        std::ofstream(Description()) << text;
        driver_ = dlopen((ProgramDirectory() + "/libtestdrv.so").c_str(), RTLD_NOW);
        if (driver_ != nullptr) {
            reset_ = reinterpret_cast<void (*)()>(dlsym(driver_, "TestDriverReset"));
        }
    }
    ~Board() {
        if (driver_ != nullptr) {
            dlclose(driver_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string Description() const { return (folder_ / "board.vek").string(); }
    std::string Values() const { return (folder_ / "board.vkg").string(); }
    void ResetDriver() const {
        if (reset_ != nullptr) {
            reset_();
        }
    }

private:
    std::filesystem::path folder_;
    void* driver_ = nullptr;
    void (*reset_)() = nullptr;
};

const Board& TheBoard() {
    static const Board board;
    return board;
}

// An opened document whose registers all hold known values, with the driver's log emptied.
std::unique_ptr<CVekDoc> OpenBoard(benchmark::State& state, QuietHost& host, bool simulation) {
    TheBoard().ResetDriver();
    auto doc = std::make_unique<CVekDoc>(host);
    if (!doc->OpenDocument(TheBoard().Description()) || !doc->DriverOpened()) {
        state.SkipWithError("the generated board did not open with the test driver");
        return nullptr;
    }
    if (simulation) {
        doc->ToggleSimulation();
    }
    if (doc->WriteAll(TransferFlag::WriteDefault) != 0) {
        state.SkipWithError("writing the defaults failed");
    }
    return doc;
}

// The test driver logs every call; emptied after each run, so that runs cost the same however
// many came before.
void EmptyDriverLog(benchmark::State& state) {
    state.PauseTiming();
    TheBoard().ResetDriver();
    state.ResumeTiming();
}

void Count(benchmark::State& state) {
    state.counters["registers"] = kDevices * kRegistersPerDevice;
}

// One whole-document transfer per iteration, through the test driver or in simulation, the
// document's transfer listener set to `listener` when one is given.
template <typename Transfer>
void TransferAll(benchmark::State& state, bool simulation, Transfer transfer,
                 std::function<void(const CShadowReg&, UpdateCode, bool)> listener = nullptr) {
    QuietHost host;
    auto doc = OpenBoard(state, host, simulation);
    if (doc != nullptr && listener)
        doc->Context().transferred = std::move(listener);
    for (auto _ : state) {
        if (doc == nullptr) {
            break;
        }
        benchmark::DoNotOptimize(transfer(*doc));
        EmptyDriverLog(state);
    }
    Count(state);
}

void WriteNow(benchmark::State& state) {
    TransferAll(state, state.range(0) != 0, [](CVekDoc& doc) { return doc.WriteAll({}); });
}
BENCHMARK(WriteNow)->ArgName("simulation")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void ReadNow(benchmark::State& state) {
    TransferAll(state, state.range(0) != 0, [](CVekDoc& doc) { return doc.ReadAll(); });
}
BENCHMARK(ReadNow)->ArgName("simulation")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Read Now through the test driver watched: by vek32's transfer log, as the Watch I/O window
// keeps it (the list takes the new rows on its timer, after the run), and by `vek open --trace`,
// a line a transfer to a stream that discards them. Compare with ReadNow/simulation:0.
void ReadNowWatched(benchmark::State& state) {
    TransferLog log;
    log.Start();
    std::ofstream discard("/dev/null");
    const auto readNow = [](CVekDoc& doc) { return doc.ReadAll(); };
    if (state.range(0) != 0) {
        TransferAll(state, false, readNow,
                    [&discard](const CShadowReg& reg, UpdateCode direction, bool done) {
                        discard << TraceLine(reg, direction, done) << '\n';
                    });
    } else {
        TransferAll(state, false, readNow,
                    [&log](const CShadowReg& reg, UpdateCode direction, bool done) {
                        log.Add(reg, direction, done);
                    });
    }
}
BENCHMARK(ReadNowWatched)->ArgName("trace")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void SaveValues(benchmark::State& state) {
    QuietHost host;
    auto doc = OpenBoard(state, host, true);
    for (auto _ : state) {
        if (doc == nullptr || !doc->SaveValues(TheBoard().Values(), "benchmark")) {
            state.SkipWithError("saving failed");
            break;
        }
    }
    Count(state);
}
BENCHMARK(SaveValues)->Unit(benchmark::kMillisecond);

// Loading writes every value at once: in simulation, or through the test driver.
void LoadValues(benchmark::State& state) {
    const bool simulation = state.range(0) != 0;
    QuietHost host;
    auto doc = OpenBoard(state, host, simulation);
    if (doc == nullptr || !doc->SaveValues(TheBoard().Values(), "benchmark")) {
        state.SkipWithError("saving failed");
        return;
    }
    for (auto _ : state) {
        if (!doc->LoadValues(TheBoard().Values())) {
            state.SkipWithError("loading failed");
            break;
        }
    }
    Count(state);
}
BENCHMARK(LoadValues)->ArgName("simulation")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek
