#pragma once

#include "model/line_item.h"
#include "model/macro.h"
#include "model/shadow_reg.h"
#include "model/text_store.h"
#include "model/tree_control.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vek::test {

// A VekGetRegs that records the first address byte of every register each call asked for, one
// list per call, and reads 0x40 plus the register's place in the call.
inline std::vector<std::vector<uint8_t>> runsAsked;
inline int RecordRun(int count, int addrLen, int, const unsigned char* addrs, uint32_t* data) {
    std::vector<uint8_t>& run = runsAsked.emplace_back();
    for (int i = 0; i < count; ++i) {
        run.push_back(addrs[i * addrLen]);
        data[i] = 0x40u + static_cast<uint32_t>(i);
    }
    return 1;
}

// A text for an item a test makes, kept for the whole run.
inline Text TestText(std::string_view text) {
    static TextStore texts;
    return texts.Add(text);
}

// A register layout at `address` (byte 0 first). Its byte order is a view: `byteOrder` is a
// literal, which outlives it.
inline ShadowRegLayout Layout(std::initializer_list<uint8_t> address, uint16_t dataLength,
                              AccessType access = AccessType::Both,
                              std::string_view byteOrder = "1234") {
    ShadowRegLayout layout;
    std::copy(address.begin(), address.end(), layout.address.begin());
    layout.addressLength = static_cast<uint16_t>(address.size());
    layout.dataLength = dataLength;
    layout.byteOrder = byteOrder.substr(0, dataLength);
    layout.mask = 0xFFFFFFFFU >> (8 * (4 - dataLength));
    layout.access = access;
    return layout;
}

// A tree control that keeps every row as the items filled it.
class RecordingTree : public TreeControl {
public:
    struct Row {
        std::string text;
        int parent = -1;
        int after = -1;
        int level = 0;
        int image = -1;
        CLineItem* item = nullptr;
        std::map<int, std::string> cells;
    };

    int InsertRow(std::string_view text, int parentRow, int afterRow) override {
        rows.push_back(Row{std::string(text), parentRow, afterRow, 0, -1, nullptr, {}});
        return static_cast<int>(rows.size()) - 1;
    }
    void SetRowLevel(int row, int level) override { rows.at(Index(row)).level = level; }
    void SetCellText(int row, TreeColumn column, std::string_view text) override {
        rows.at(Index(row)).cells[static_cast<int>(column)] = std::string(text);
    }
    void SetRowImage(int row, int image) override { rows.at(Index(row)).image = image; }
    void SetRowItem(int row, CLineItem* item) override { rows.at(Index(row)).item = item; }

    std::vector<Row> rows;

private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
};

// An item that only records what its shadow register tells it, as the system's numbers.
class RecordingItem : public CLineItem {
public:
    void Update(CShadowReg* shadow, UpdateCodes code) override {
        updates.emplace_back(shadow, static_cast<int>(code.ToBits()));
    }
    std::vector<std::pair<CShadowReg*, int>> updates;
};

// A macro that writes its name into a shared log when it runs.
class LoggingMacro : public CMacro {
public:
    LoggingMacro(std::string name, std::vector<std::string>& log) : log_(log) {
        SetName(std::move(name));
    }
    bool Run(int arg) override {
        log_.push_back(GetName() + "(" + std::to_string(arg) + ")");
        return true;
    }

private:
    std::vector<std::string>& log_;
};

} // namespace vek::test
