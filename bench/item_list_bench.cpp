// The item list's checks on one device with many registers: each register spans two addresses
// (memory size 1, data size 2), so each has neighbours to compare with, and carries two bit fields.
#include "compiler/item_list.h"
#include "model/bit_item.h"
#include "model/byte_item.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace vek;

std::string Hex4(unsigned value) {
    char text[8];
    // Template order: byte 0 first.
    std::snprintf(text, sizeof text, "%02X%02X", value & 0xFF, (value >> 8) & 0xFF);
    return text;
}

void BuildAndCheck(int count) {
    CItemList list;
    list.Append(std::make_unique<CLineItem>());
    auto device = std::make_unique<CDeviceItem>();
    device->SetLevel(1);
    device->SetAddressText("XXXX");
    device->SetAddressLength(2);
    list.Check(list.Append(std::move(device)));
    for (int i = 0; i < count; ++i) {
        auto reg = std::make_unique<CByteItem>();
        reg->SetLevel(2);
        reg->SetAccessType(i % 2 == 0 ? AccessType::Read : AccessType::Write);
        reg->SetAddressText(Hex4(static_cast<unsigned>(i)));
        reg->SetAddressLength(2);
        reg->SetDataLength(2);
        reg->SetMemorySize(1);
        reg->SetMask(0xFFFF);
        reg->SetWidth(16);
        reg->AddPart();
        auto* added = static_cast<CByteItem*>(list.InsertAfterCurrent(std::move(reg)));
        list.Check(added);
        benchmark::DoNotOptimize(list.TakeErrors());
        for (uint32_t mask : {0x00FFU, 0xFF00U}) {
            auto bit = std::make_unique<CBitItem>();
            bit->SetLevel(3);
            bit->SetAddressText(added->GetAddressText());
            bit->SetAddressLength(2);
            bit->SetMask(mask);
            bit->SetRegister(added);
            list.Check(list.InsertAfterCurrent(std::move(bit)));
            benchmark::DoNotOptimize(list.TakeErrors());
        }
    }
}

void BM_ItemListChecksOneDevice(benchmark::State& state) {
    for (auto _ : state) {
        BuildAndCheck(static_cast<int>(state.range(0)));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ItemListChecksOneDevice)
    ->RangeMultiplier(4)
    ->Range(4096, 65536)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
