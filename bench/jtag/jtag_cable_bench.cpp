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
        ok_ = driver_.Open() == 1;
    }
    ~CableUnderBench() { driver_.Close(); }

    bool Ok() const { return ok_; }
    tapdrv32::CTapDriver& Driver() { return driver_; }
    const UsbTraffic& Traffic() const { return *traffic_; }

private:
    bsx4810::CSoftwareTap tap_;
    std::shared_ptr<UsbTraffic> traffic_ = std::make_shared<UsbTraffic>();
    std::unique_ptr<bsx4810::CMpsseCable> cable_;
    tapdrv32::CTapDriver driver_;
    bool ok_ = false;
};

void ReportPerAccess(benchmark::State& state, const UsbTraffic& before, const UsbTraffic& after) {
    const double accesses = static_cast<double>(state.iterations());
    const double clocks = static_cast<double>(after.clocks - before.clocks) / accesses;
    state.counters["usb_writes"] = static_cast<double>(after.writes - before.writes) / accesses;
    state.counters["usb_reads"] = static_cast<double>(after.reads - before.reads) / accesses;
    state.counters["usb_transfers"] = state.counters["usb_writes"] + state.counters["usb_reads"];
    state.counters["bytes_out"] = static_cast<double>(after.bytesOut - before.bytesOut) / accesses;
    state.counters["bytes_in"] = static_cast<double>(after.bytesIn - before.bytesIn) / accesses;
    state.counters["tck"] = clocks;
    state.counters["per_s_at_1MHz"] = 1e6 / clocks;
    state.SetItemsProcessed(state.iterations());
}

void BM_CableWriteRegister(benchmark::State& state) {
    CableUnderBench bench;
    if (!bench.Ok()) {
        state.SkipWithError("VekOpen failed");
        return;
    }
    const auto addresses = GenerateAddresses();
    const UsbTraffic before = bench.Traffic();
    uint32_t value = 0;
    for (auto _ : state) {
        const auto& address = addresses[value % addresses.size()];
        if (bench.Driver().SetReg(2, 4, address.data(), value++) != 1) {
            state.SkipWithError("VekSetReg failed");
            return;
        }
    }
    ReportPerAccess(state, before, bench.Traffic());
}
BENCHMARK(BM_CableWriteRegister);

void BM_CableReadRegister(benchmark::State& state) {
    CableUnderBench bench;
    if (!bench.Ok()) {
        state.SkipWithError("VekOpen failed");
        return;
    }
    const auto addresses = GenerateAddresses();
    const UsbTraffic before = bench.Traffic();
    size_t i = 0;
    uint32_t data = 0;
    for (auto _ : state) {
        if (bench.Driver().GetReg(2, 4, addresses[i++ % addresses.size()].data(), &data) != 1) {
            state.SkipWithError("VekGetReg failed");
            return;
        }
        benchmark::DoNotOptimize(data);
    }
    ReportPerAccess(state, before, bench.Traffic());
}
BENCHMARK(BM_CableReadRegister);

} // namespace
