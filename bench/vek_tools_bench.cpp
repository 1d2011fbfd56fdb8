// vek's bench tools on a generated board of 100,000 registers in 10 devices behind the test
// driver: diff of two register-values files (one value in a hundred changed), and dump of the
// opened document as text, CSV and JSON; and diff of files that name one driver many times.
#include "description_generator.h"

#include "cli/register_dump.h"
#include "cli/vek_cli.h"
#include "document/vek_doc.h"
#include "platform/console_host.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

namespace vek {
namespace {

constexpr int kDevices = 10;
constexpr int kRegistersPerDevice = 10000;
constexpr int kRegisters = kDevices * kRegistersPerDevice;
// Every this many registers the second values file holds another value.
constexpr int kChangeEvery = 100;

// The second values file: the first with the last digit of every kChangeEvery-th register's
// value changed.
std::string ChangedValues(const std::string& values) {
    std::istringstream lines(values);
    std::string changed, line;
    int registers = 0;
    while (std::getline(lines, line)) {
        if (line.starts_with("0x") && ++registers % kChangeEvery == 0)
            line.back() = line.back() == '0' ? '1' : '0';
        changed += line + '\n';
    }
    return changed;
}

// The generated description in a folder of its own, opened in simulation with every register at
// its default, and the two values files.
class Board {
public:
    Board() : host_(messages_, AnswerPolicy::Positive), doc_(host_) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vek-bench-tools-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        const std::string text =
            bench::GenerateDescription(kDevices, kRegistersPerDevice, 0, "testdrv.dll");
        std::ofstream(Path("board.vek")) << text;
        doc_.ToggleSimulation();
        opened_ = doc_.OpenDocument(Path("board.vek")) &&
                  doc_.WriteAll(TransferFlag::WriteDefault) == 0 &&
                  doc_.SaveValues(Path("a.vkg"), "bench A");
        std::ostringstream saved;
        saved << std::ifstream(Path("a.vkg")).rdbuf();
        std::ofstream(Path("b.vkg")) << ChangedValues(saved.str());
    }
    ~Board() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    const CVekDoc* Doc() const { return opened_ ? &doc_ : nullptr; }

private:
    std::filesystem::path folder_;
    std::ostringstream messages_;
    ConsoleHost host_;
    CVekDoc doc_;
    bool opened_ = false;
};

const Board& TheBoard() {
    static const Board board;
    return board;
}

void Count(benchmark::State& state) {
    state.counters["registers"] = kRegisters;
}

// Runs vek diff with these arguments for as long as the benchmark runs; the files must differ.
void DiffEachIteration(benchmark::State& state, const std::vector<std::string>& args) {
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunVek(args, out, err) != 1) {
            state.SkipWithError("the files did not differ as generated");
            break;
        }
        benchmark::DoNotOptimize(out.str().size());
    }
}

// vek diff A.vkg B.vkg, with --description FILE.vek when the argument is 1 (the description is
// compiled in each run).
void DiffValuesFiles(benchmark::State& state) {
    const Board& board = TheBoard();
    std::vector<std::string> args{"diff", board.Path("a.vkg"), board.Path("b.vkg")};
    if (state.range(0) != 0) {
        args.push_back("--description");
        args.push_back(board.Path("board.vek"));
    }
    DiffEachIteration(state, args);
    Count(state);
}
BENCHMARK(DiffValuesFiles)->ArgName("description")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Two values files whose DRIVER section names one driver once for each of its devices (one
// register each), one value apart: vek diff grows with the file, not with keys times devices.
void DiffDriverNamedByEveryKey(benchmark::State& state) {
    const int keys = static_cast<int>(state.range(0));
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("vek-bench-keys-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    for (const int changed : {0, keys / 2}) {
        std::string text = "[HEADER]\nVersion=1.2\n[DRIVER]\n";
        for (int i = 1; i <= keys; ++i)
            text += "DRV" + std::to_string(i) + "=testdrv.dll\n";
        text += "[testdrv]\n";
        for (int i = 1; i <= keys; ++i)
            text += "DEV" + std::to_string(i) + "=D" + std::to_string(i) + "\n";
        for (int i = 1; i <= keys; ++i) {
            text += "[testdrv:D" + std::to_string(i) +
                    "]\n0x01=" + (i == changed ? "0x01" : "0x00") + "\n";
        }
        std::ofstream(folder / (changed == 0 ? "a.vkg" : "b.vkg")) << text;
    }
    const std::vector<std::string> args{"diff", (folder / "a.vkg").string(),
                                        (folder / "b.vkg").string()};
    DiffEachIteration(state, args);
    state.SetComplexityN(keys);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(DiffDriverNamedByEveryKey)
    ->ArgName("keys")
    ->RangeMultiplier(4)
    ->Range(1024, 16384)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// dump --format text|csv|json of the opened document.
void DumpDocument(benchmark::State& state) {
    const CVekDoc* doc = TheBoard().Doc();
    const auto format = static_cast<DumpFormat>(state.range(0));
    for (auto _ : state) {
        if (doc == nullptr) {
            state.SkipWithError("the generated board did not open");
            break;
        }
        benchmark::DoNotOptimize(DumpRegisters(*doc, format).size());
    }
    Count(state);
}
BENCHMARK(DumpDocument)
    ->ArgName("format")
    ->Arg(static_cast<int>(DumpFormat::Text))
    ->Arg(static_cast<int>(DumpFormat::Csv))
    ->Arg(static_cast<int>(DumpFormat::Json))
    ->Unit(benchmark::kMillisecond);

// The whole command, compile and driver binding included:
// vek open board.vek --simulate write-default dump --format json --output board.json
void DumpJsonCommand(benchmark::State& state) {
    const Board& board = TheBoard();
    const std::vector<std::string> args{"open",
                                        board.Path("board.vek"),
                                        "--simulate",
                                        "write-default",
                                        "dump",
                                        "--format",
                                        "json",
                                        "--output",
                                        board.Path("board.json")};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (RunVek(args, out, err) != kExitOk) {
            state.SkipWithError("the dump failed");
            break;
        }
    }
    Count(state);
}
BENCHMARK(DumpJsonCommand)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vek
