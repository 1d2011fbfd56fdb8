// Read Now of 1,000 registers through gdbdrv against QEMU's GDB server on loopback, in process
// and as a whole `vek open ... read-all` run, beside gdb-multiarch reading the same 1,000
// addresses with one x/1wx each: a debug server's limit is its round trip, so these show what
// the driver adds to it.
#include "quiet_host.h"
#include "server_process.h"

#include "document/vek_doc.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vek {
namespace {

constexpr int kRegisters = 1000;
constexpr unsigned kFirstAddress = 0x20000000;

// QEMU with its GDB stub, a description of 1,000 SRAM words and gdb's commands for the same.
class Server {
public:
    Server()
        : folder_(std::filesystem::temp_directory_path() /
                  ("vek-bench-gdb-" + std::to_string(getpid()))),
          port_(FreeLoopbackPort()) {
        std::filesystem::create_directories(folder_);
        qemu_ = std::make_unique<QemuMps2>(folder_.string(), port_);
        ready_ = qemu_->Ready();
        setenv("VEK_GDB_REMOTE", qemu_->Remote().c_str(), 1);
        // No settings file of the user's changes what is measured.
        setenv("VEK_GDBDRV", (folder_ / "gdbdrv.ini").c_str(), 1);
        std::ofstream description(Description());
        description << "#BeginRegisterList \"gdbdrv.dll\"\n0: SRAM A4 D4.1;\n";
        std::ofstream commands(Commands());
        for (int i = 0; i < kRegisters; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "1: WORD%d [0x%08x] = 0 b;\n", i,
                          kFirstAddress + 4 * i);
            description << line;
            std::snprintf(line, sizeof line, "x/1wx 0x%08x\n", kFirstAddress + 4 * i);
            commands << line;
        }
        description << "#EndRegisterList\n";
    }
    ~Server() {
        qemu_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    bool Ready() const { return ready_; }
    std::string Remote() const { return qemu_->Remote(); }
    std::string Description() const { return (folder_ / "sram.vek").string(); }
    std::string Commands() const { return (folder_ / "read.gdb").string(); }

private:
    std::filesystem::path folder_;
    int port_;
    std::unique_ptr<QemuMps2> qemu_;
    bool ready_ = false;
};

Server& TheServer() {
    static Server server;
    return server;
}

// Runs the program to its end with its output discarded; its exit status.
int RunQuietly(const std::vector<std::string>& argv) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = -1;
    if (spawned != 0 || waitpid(pid, &status, 0) < 0)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Count(benchmark::State& state) {
    state.counters["registers/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kRegisters, benchmark::Counter::kIsRate);
}

void ReadNowInProcess(benchmark::State& state) {
    if (!TheServer().Ready()) {
        state.SkipWithError("qemu-system-arm does not run");
        return;
    }
    bench::QuietHost host;
    CVekDoc doc(host);
    if (!doc.OpenDocument(TheServer().Description()) || !doc.DriverOpened()) {
        state.SkipWithError("the description did not open with gdbdrv");
        return;
    }
    for (auto _ : state) {
        if (doc.ReadAll() != 0) {
            state.SkipWithError("Read Now failed");
            break;
        }
    }
    Count(state);
}
BENCHMARK(ReadNowInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void VekReadAllProcess(benchmark::State& state) {
    if (!TheServer().Ready()) {
        state.SkipWithError("qemu-system-arm does not run");
        return;
    }
    const std::string vek = std::string(VEK_BIN_DIR) + "/vek";
    for (auto _ : state) {
        if (RunQuietly({vek, "open", TheServer().Description(), "read-all"}) != 0) {
            state.SkipWithError("vek open ... read-all failed");
            break;
        }
    }
    Count(state);
}
BENCHMARK(VekReadAllProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void GdbMultiarchBatch(benchmark::State& state) {
    if (!TheServer().Ready()) {
        state.SkipWithError("qemu-system-arm does not run");
        return;
    }
    for (auto _ : state) {
        if (RunQuietly({"gdb-multiarch", "-nx", "-batch", "-ex",
                        "target remote " + TheServer().Remote(), "-x", TheServer().Commands()}) !=
            0) {
            state.SkipWithError("gdb-multiarch failed (scripts/install-deps.sh installs it)");
            break;
        }
    }
    Count(state);
}
BENCHMARK(GdbMultiarchBatch)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vek
