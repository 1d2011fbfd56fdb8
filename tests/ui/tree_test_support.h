#pragma once

#include "ui_test_support.h"

#include <QString>

#include <cstdint>
#include <initializer_list>

namespace vek {
class CLineItem;
class CMDITreeWnd;
class CSftTree;
class CVekTreeView;
} // namespace vek

namespace vek::test {

// A description on the test driver for the tree's tests: a device with one-byte addresses and
// registers of every access type, a signed one, sliders, a set with two registers and a variable.
QString TreeBoard(const Workspace& files);

// The register tree window that is active now, with its view and tree control.
struct TreeWindow {
    explicit TreeWindow(const AppFixture& fixture);
    bool IsValid() const { return window != nullptr && view != nullptr; }
    // The row whose Description is the text, -1 when there is none.
    int Row(const QString& description) const;
    CLineItem* Item(const QString& description) const;
    QString Data(const QString& description) const;
    // Makes the row the selected caret row, as a click on it does.
    void Select(const QString& description) const;

    CMDITreeWnd* window = nullptr;
    CVekTreeView* view = nullptr;
    CSftTree* tree = nullptr;
};

// The test driver that a workspace's descriptions load from the program's folder: its
// registers and calls.
class TestDriver {
public:
    TestDriver();
    ~TestDriver();
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

    void Reset();
    // One-byte addresses, as the tree board uses.
    void SetRegister(uint8_t address, uint32_t value);
    uint32_t Register(uint8_t address);
    void FailAddress(uint8_t address);
    // The values written to the address, in order.
    std::vector<uint32_t> Writes(uint8_t address);

private:
    template <typename Fn>
    Fn Control(const char* name) const;

    void* library_;
};

} // namespace vek::test
