// The item list's checks on one device with many registers: each register spans two addresses
// (memory size 1, data size 2), so each has neighbours to compare with, and carries two bit fields;
// and on many registers at one address.
#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/item_list.h"
#include "sizes.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace vek {
namespace {

Text Hex4(CItemList& list, unsigned value) {
    char text[8];
    // Template order: byte 0 first.
    std::snprintf(text, sizeof text, "%02X%02X", value & 0xFF, (value >> 8) & 0xFF);
    return list.Texts().Add(text);
}

// The items every generated list begins with: a driver line and a device of 2-byte addresses.
std::vector<std::unique_ptr<CLineItem>> DriverLineAndDevice(CItemList& list) {
    std::vector<std::unique_ptr<CLineItem>> items;
    items.push_back(std::make_unique<CLineItem>());
    auto device = std::make_unique<CDeviceItem>();
    device->SetLevel(1);
    device->SetAddressText(list.Texts().Add("XXXX"));
    device->SetAddressLength(2);
    items.push_back(std::move(device));
    return items;
}

// A driver line, a device, and per register the register and its two bit fields, in order; their
// texts kept by the list.
std::vector<std::unique_ptr<CLineItem>> MakeItems(CItemList& list, int count) {
    std::vector<std::unique_ptr<CLineItem>> items = DriverLineAndDevice(list);
    for (int i = 0; i < count; ++i) {
        auto reg = std::make_unique<CByteItem>();
        reg->SetLevel(2);
        reg->SetAccessType(i % 2 == 0 ? AccessType::Read : AccessType::Write);
        CByteItem::Part part;
        part.SetAddressText(Hex4(list, static_cast<unsigned>(i)));
        part.addressLength = 2;
        part.dataLength = 2;
        part.memorySize = 1;
        part.mask = 0xFFFF;
        part.width = 16;
        reg->AddPart(part);
        for (uint32_t mask : {0x00FFU, 0xFF00U}) {
            auto bit = std::make_unique<CBitItem>();
            bit->SetLevel(3);
            bit->SetAddressText(part.addressText);
            bit->SetAddressLength(2);
            bit->SetMask(mask);
            bit->SetRegister(reg.get());
            items.push_back(std::move(bit));
        }
        items.insert(items.end() - 2, std::move(reg));
    }
    return items;
}

// Inserts and checks every item as the builder does, `place` inserting each one, then frees the
// list outside the measurement.
template <class Item, class Place>
void InsertAndCheck(benchmark::State& state, CItemList& list,
                    std::vector<std::unique_ptr<Item>>& items, Place place) {
    for (auto& item : items) {
        list.Check(place(std::move(item)));
        benchmark::DoNotOptimize(list.TakeErrors());
    }
    state.PauseTiming();
    items.clear();
    list.Clear();
    state.ResumeTiming();
}

// Devices appended, the rest after the current position.
void BM_ItemListChecksOneDevice(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        CItemList list;
        auto items = MakeItems(list, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        InsertAndCheck(state, list, items, [&](std::unique_ptr<CLineItem> item) {
            const bool append =
                item->GetKind() == ItemKind::Line || item->GetKind() == ItemKind::Device;
            return append ? list.Append(std::move(item)) : list.InsertAfterCurrent(std::move(item));
        });
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ItemListChecksOneDevice)->Apply(bench::LargeSizes);

// A set whose register records label 1, a second set with many registers, then as many blocks
// that return to label 1: each block's register joins the first set's group, far from the end of
// the list.
void BM_ItemListBlocksReturningToALabel(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        CItemList list;
        std::vector<std::unique_ptr<CSetItem>> items;
        for (int i = 0; i < 2 * count + 3; ++i) {
            const bool isSet = i == 0 || i == 2;
            auto item = isSet ? std::make_unique<CSetItem>() : std::make_unique<CByteItem>();
            item->SetLevel(isSet ? 2 : 3);
            item->SetAddressText(Hex4(list, static_cast<unsigned>(i)));
            item->SetAddressLength(2);
            const bool returning = i >= count + 3;
            item->SetLabel(i == 1 || returning ? 1 : 0);
            item->SetLabelRole(i == 1 ? LabelRole::Recorded
                                      : (returning ? LabelRole::BlockStart : LabelRole::None));
            items.push_back(std::move(item));
        }
        list.Append(std::make_unique<CLineItem>());
        auto device = std::make_unique<CDeviceItem>();
        device->SetLevel(1);
        list.Append(std::move(device));
        state.ResumeTiming();
        InsertAndCheck(state, list, items, [&](std::unique_ptr<CSetItem> item) {
            const bool returning = item->GetLabelRole() == LabelRole::BlockStart;
            return returning ? list.InsertAtLabel(std::move(item), 1)
                             : list.InsertAfterCurrent(std::move(item));
        });
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ItemListBlocksReturningToALabel)->Apply(bench::LargeSizes);

// Registers that all share one address, as a generated or careless description may have them;
// none is in error with another. Alike: one mask and default. Masks: a different 4-byte mask for
// each, all with default 0, READ and WRITE by turns.
std::vector<std::unique_ptr<CLineItem>> MakeCrowd(CItemList& list, int count, bool alike) {
    std::vector<std::unique_ptr<CLineItem>> items = DriverLineAndDevice(list);
    const Text address = Hex4(list, 0x10);
    for (int i = 0; i < count; ++i) {
        auto reg = std::make_unique<CByteItem>();
        reg->SetLevel(2);
        reg->SetAccessType(alike || i % 2 == 0 ? AccessType::Read : AccessType::Write);
        CByteItem::Part part;
        part.SetAddressText(address);
        part.addressLength = 2;
        part.dataLength = alike ? 1 : 4;
        part.memorySize = part.dataLength;
        part.mask = alike ? 0xFF : (static_cast<uint32_t>(i) * 2654435761u) | 1;
        part.width = __builtin_popcount(part.mask);
        reg->AddPart(part);
        items.push_back(std::move(reg));
    }
    return items;
}

void RegistersAtOneAddress(benchmark::State& state, bool alike) {
    for (auto _ : state) {
        state.PauseTiming();
        CItemList list;
        auto items = MakeCrowd(list, static_cast<int>(state.range(0)), alike);
        state.ResumeTiming();
        InsertAndCheck(state, list, items, [&](std::unique_ptr<CLineItem> item) {
            return list.InsertAfterCurrent(std::move(item));
        });
    }
    state.SetComplexityN(state.range(0));
}
void BM_ItemListAlikeRegistersAtOneAddress(benchmark::State& state) {
    RegistersAtOneAddress(state, true);
}
BENCHMARK(BM_ItemListAlikeRegistersAtOneAddress)->Apply(bench::LargeSizes);
void BM_ItemListMasksAtOneAddress(benchmark::State& state) {
    RegistersAtOneAddress(state, false);
}
BENCHMARK(BM_ItemListMasksAtOneAddress)->Apply(bench::LargeSizes);

} // namespace
} // namespace vek
