// Overlap updates of shadow registers: one device whose registers span two addresses each
// (memory size 1, data size 2), so every change reaches its neighbours; and the transfer log's
// price of a transfer.
#include "model/register_context.h"
#include "model/shadow_reg.h"
#include "model/shadow_reg_list.h"
#include "model/transfer_log.h"
#include "sizes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vek;

void FillDevice(ShadowRegList& list, int count) {
    for (int i = 0; i < count; ++i) {
        ShadowRegLayout layout;
        layout.address[0] = static_cast<uint8_t>(i);
        layout.address[1] = static_cast<uint8_t>(i >> 8);
        layout.addressLength = 2;
        layout.dataLength = 2;
        layout.memorySize = 1;
        layout.byteOrder = "12";
        layout.mask = 0xFFFF;
        layout.access = AccessType::Both;
        list.Insert(CShadowReg::Create(layout));
    }
}

void BM_SetValueUpdatesNeighbours(benchmark::State& state) {
    ShadowRegList list;
    FillDevice(list, static_cast<int>(state.range(0)));
    uint32_t v = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < list.Size(); ++i) {
            list[i].SetValue(++v & 0xFFFF);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SetValueUpdatesNeighbours)->Apply(bench::LargeSizes);

void BM_SimulatedWriteAll(benchmark::State& state) {
    ShadowRegList list;
    FillDevice(list, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (std::size_t i = 0; i < list.Size(); ++i) {
            benchmark::DoNotOptimize(list[i].Write(TransferFlag::Simulation));
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SimulatedWriteAll)->Arg(65536)->Unit(benchmark::kMillisecond);

// What the transfer log costs a transfer, with the steady clock and (clock:0) with a clock that
// stands still: the difference is the price of reading the time.
void BM_TransferLogAdd(benchmark::State& state) {
    ShadowRegList list;
    FillDevice(list, 65536);
    const auto fixed = std::chrono::steady_clock::now();
    TransferLog log(
        kTransferLogCapacity,
        state.range(0) != 0 ? TransferLog::Clock() : [fixed] { return fixed; });
    log.Start();
    for (auto _ : state) {
        for (std::size_t i = 0; i < list.Size(); ++i)
            log.Add(list[i], UpdateCode::Read, true);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(list.Size()));
}
BENCHMARK(BM_TransferLogAdd)->ArgName("clock")->Arg(1)->Arg(0);

} // namespace
