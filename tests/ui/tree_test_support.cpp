#include "tree_test_support.h"

#include "model/line_item.h"
#include "test_driver_control.h"
#include "ui/frame/fixed_frame.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QSplitter>
#include <QTest>

#include <dlfcn.h>

namespace vek::test {

QString TreeBoard(const Workspace& files) {
    return files.Write(QStringLiteral("tree.vek"),
                       QStringLiteral(R"(#BeginRegisterList "testdrv.dll"
0: CHIP A1 D1;
1: CTRL_REG [0x1a] = 0 b;
   MODE [0x1a] & 0x0F;
1: WIDE [0x20] & 0x00F0 = 0 D2 b;
1: STAT [0x30] = 0 s;
1: INPUT [0x31] = 0 r;
1: OUT [0x32] = 0 w;
1: TEMP [0x33] = 0 b TC SL;
1: BIG [0x40] = 0 D4 b SL;
1: "Group" b; 2:
   INNER_REG [0x50] = 0 b;
2: OTHER [0x51] = 0 b;
1: $ V = 3 B8 SL;
#EndRegisterList
)"));
}

TreeWindow::TreeWindow(const AppFixture& fixture) {
    window = qobject_cast<CMDITreeWnd*>(fixture.Frame().ActiveChild());
    if (window == nullptr)
        return;
    view = qobject_cast<CVekTreeView*>(window->Splitter().widget(0));
    tree = view != nullptr ? &view->Tree() : nullptr;
}

int TreeWindow::Row(const QString& description) const {
    for (int row = 0; row < tree->GetRowCount(); ++row) {
        if (tree->GetCellText(row, TreeColumn::Description) == description.toStdString())
            return row;
    }
    return -1;
}

CLineItem* TreeWindow::Item(const QString& description) const {
    return tree->GetRowItem(Row(description));
}

QString TreeWindow::Data(const QString& description) const {
    return QString::fromStdString(tree->GetCellText(Row(description), TreeColumn::Data));
}

void TreeWindow::Select(const QString& description) const {
    view->RevealRow(Row(description));
}

TestDriver::TestDriver() : library_(dlopen(VEK_BIN_DIR "/libtestdrv.so", RTLD_NOW)) {
    if (library_ == nullptr)
        qFatal("the test driver cannot be loaded: %s", dlerror());
}

TestDriver::~TestDriver() {
    dlclose(library_);
}

template <typename Fn>
Fn TestDriver::Control(const char* name) const {
    return reinterpret_cast<Fn>(dlsym(library_, name));
}

void TestDriver::Reset() {
    Control<TestDriverResetFn>("TestDriverReset")();
}

void TestDriver::SetRegister(uint8_t address, uint32_t value) {
    Control<TestDriverSetRegisterFn>("TestDriverSetRegister")(1, &address, value);
}

uint32_t TestDriver::Register(uint8_t address) {
    return Control<TestDriverRegisterFn>("TestDriverRegister")(1, &address);
}

void TestDriver::FailAddress(uint8_t address) {
    Control<TestDriverFailAddressFn>("TestDriverFailAddress")(1, &address);
}

std::vector<uint32_t> TestDriver::Writes(uint8_t address) {
    std::vector<uint32_t> values;
    const int count = Control<TestDriverCallCountFn>("TestDriverCallCount")();
    for (int i = 0; i < count; ++i) {
        const TestDriverCall call = Control<TestDriverCallAtFn>("TestDriverCallAt")(i);
        if (call.kind == TestCallSet && call.addrLen == 1 && call.addr[0] == address)
            values.push_back(call.data);
    }
    return values;
}

} // namespace vek::test
