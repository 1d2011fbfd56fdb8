// Register accesses through tapdrv32 and BSX4810 on the FTDI cable, its USB an emulated FT2232H
// wired to the software TAP. Per access: USB transfers (bulk writes plus bulk reads), bytes each
// way, TCK clocks, and the accesses per second those clocks allow at 1 MHz TCK.
#include "ftdi/emulated_ftdi.h"
#include "ftdi/mpsse_cable.h"
#include "jtag_bench_support.h"
#include "process_scan_library.h"
#include "tap_driver.h"

#include <benchmark/benchmark.h>

namespace {

using bsx4810::UsbTraffic;

class CableUnderBench {
public:
    CableUnderBench() {
        UsePrivateController();
        bsx4810::FtdiOptions options; // an FT2232H's interface A at 1 MHz TCK
        options.emulate = true;
        cable_ = std::make_unique<bsx4810::CMpsseCable>(
            options, bsx4810::EmulatedFtdiOpener(tap_, traffic_));
        bsx4810::ResetProcessScanLibrary([this] { return bsx4810::OpenCableChannel(*cable_); });
        ok_ = driver_.Open().IsOk();
    }
    ~CableUnderBench() { driver_.Close(); }

    bool Ok() const { return ok_; }
    vek::TapDriver& Driver() { return driver_; }
    const UsbTraffic& Traffic() const { return *traffic_; }

private:
    bsx4810::CSoftwareTap tap_;
    std::shared_ptr<UsbTraffic> traffic_ = std::make_shared<UsbTraffic>();
    std::unique_ptr<bsx4810::CMpsseCable> cable_;
    vek::TapDriver driver_;
    bool ok_ = false;
};

// The USB traffic and clocks per access since before.
void ReportPerAccess(benchmark::State& state, const UsbTraffic& before, const UsbTraffic& after) {
    if (state.iterations() == 0)
        return;
    const double accesses = static_cast<double>(state.iterations());
    const double clocks = static_cast<double>(after.clocks - before.clocks) / accesses;
    state.counters["usb_writes"] = static_cast<double>(after.writes - before.writes) / accesses;
    state.counters["usb_reads"] = static_cast<double>(after.reads - before.reads) / accesses;
    state.counters["usb_transfers"] = state.counters["usb_writes"] + state.counters["usb_reads"];
    state.counters["bytes_out"] = static_cast<double>(after.bytesOut - before.bytesOut) / accesses;
    state.counters["bytes_in"] = static_cast<double>(after.bytesIn - before.bytesIn) / accesses;
    state.counters["tck"] = clocks;
    state.counters["per_s_at_1MHz"] = 1e6 / clocks;
}

void BM_CableWriteRegister(benchmark::State& state) {
    CableUnderBench bench;
    const UsbTraffic before = bench.Traffic();
    AccessRegisters(state, bench.Ok(), "VekSetReg failed",
                    [&bench](const unsigned char* address, uint32_t n) {
                        return bench.Driver().SetReg(2, 4, address, n).IsOk();
                    });
    ReportPerAccess(state, before, bench.Traffic());
}
BENCHMARK(BM_CableWriteRegister);

void BM_CableReadRegister(benchmark::State& state) {
    CableUnderBench bench;
    const UsbTraffic before = bench.Traffic();
    AccessRegisters(state, bench.Ok(), "VekGetReg failed",
                    [&bench](const unsigned char* address, uint32_t /*n*/) {
                        uint32_t data = 0;
                        const bool read = bench.Driver().GetReg(2, 4, address, &data).IsOk();
                        benchmark::DoNotOptimize(data);
                        return read;
                    });
    ReportPerAccess(state, before, bench.Traffic());
}
BENCHMARK(BM_CableReadRegister);

} // namespace
