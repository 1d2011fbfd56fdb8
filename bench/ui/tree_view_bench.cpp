// The register tree window on a large chip: 100 devices of 1,000 registers with 2 bit fields each
// (300,100 rows) behind the test driver. Measured: opening the description to a painted,
// scrollable tree; Expand Tree and Collapse Tree; switching the radix; Read Now in simulation with
// the tree repainted; the filter field; and the memory the open window takes. Runs on the
// offscreen platform from build/bin, where it finds the test driver.
#include "ui_bench_support.h"

#include "document/vek_doc.h"
#include "ui/app/document_entry.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

constexpr int kDevices = 100;
constexpr int kRegistersPerDevice = 1000;
constexpr int kBitFields = 2;

// The resident memory of the process in kilobytes.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

QString WriteBoard(const QTemporaryDir& folder) {
    return vek::bench::WriteTestDriverBoard(folder, kDevices, kRegistersPerDevice, kBitFields);
}

// vek32 with the large description open in its tree window, shared by the benchmarks below.
class LargeTree {
public:
    LargeTree() : board_(WriteBoard(folder_)) {
        vek::CVekApp::Settings settings;
        settings.profileFolder = folder_.filePath(QStringLiteral("profile"));
        app_ = std::make_unique<vek::CVekApp>(std::move(settings));
        app_->InitInstance({});
        QCoreApplication::processEvents();
    }

    // Opens the description and paints its window; false when it did not open.
    bool Open() {
        app_->OpenDocumentFile(board_);
        window_ = qobject_cast<vek::CMDITreeWnd*>(app_->Frame().ActiveChild());
        if (window_ == nullptr)
            return false;
        view_ = qobject_cast<vek::CVekTreeView*>(window_->Splitter().widget(0));
        Paint();
        return view_ != nullptr && view_->Tree().GetRowCount() > 0;
    }
    void Close() {
        app_->CloseDocument(*app_->Documents().front());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        window_ = nullptr;
        view_ = nullptr;
    }
    void Paint() const {
        QCoreApplication::processEvents();
        window_->repaint();
    }
    bool Run(vek::CommandId id) const {
        app_->Frame().Router().UpdateAll();
        return app_->Frame().Router().Execute(id);
    }
    vek::CVekTreeView& View() const { return *view_; }
    vek::CVekDoc& Document() const { return app_->Documents().front()->Document(); }

private:
    QTemporaryDir folder_;
    QString board_;
    std::unique_ptr<vek::CVekApp> app_;
    vek::CMDITreeWnd* window_ = nullptr;
    vek::CVekTreeView* view_ = nullptr;
};

LargeTree& Shared() {
    static LargeTree tree;
    return tree;
}

void SetCounters(benchmark::State& state) {
    state.counters["rows"] = Shared().View().Tree().GetRowCount();
}

void OpenToVisibleTree(benchmark::State& state) {
    LargeTree& tree = Shared();
    long before = ResidentKilobytes();
    long firstGrowth = -1;
    for (auto _ : state) {
        if (!tree.Open()) {
            state.SkipWithError("the description did not open in a tree window");
            return;
        }
        // Scrolled to the end and painted there: the whole tree is reachable.
        tree.View().Tree().verticalScrollBar()->setValue(
            tree.View().Tree().verticalScrollBar()->maximum());
        tree.Paint();
        state.PauseTiming();
        // The first open shows what a window costs; later ones reuse memory freed by the close.
        if (firstGrowth < 0)
            firstGrowth = ResidentKilobytes() - before;
        tree.Close();
        before = ResidentKilobytes();
        state.ResumeTiming();
    }
    tree.Open();
    state.counters["window_MB"] = static_cast<double>(firstGrowth) / 1024.0;
    state.counters["process_MB"] = static_cast<double>(ResidentKilobytes()) / 1024.0;
    SetCounters(state);
}
BENCHMARK(OpenToVisibleTree)->Unit(benchmark::kMillisecond)->Iterations(3);

void ExpandTree(benchmark::State& state) {
    LargeTree& tree = Shared();
    for (auto _ : state) {
        tree.Run(vek::CommandId::ExpandTree);
        tree.Paint();
        state.PauseTiming();
        tree.Run(vek::CommandId::CollapseTree);
        tree.Paint();
        state.ResumeTiming();
    }
    SetCounters(state);
}
BENCHMARK(ExpandTree)->Unit(benchmark::kMillisecond)->Iterations(5);

void CollapseTree(benchmark::State& state) {
    LargeTree& tree = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        tree.Run(vek::CommandId::ExpandTree);
        tree.Paint();
        state.ResumeTiming();
        tree.Run(vek::CommandId::CollapseTree);
        tree.Paint();
    }
    SetCounters(state);
}
BENCHMARK(CollapseTree)->Unit(benchmark::kMillisecond)->Iterations(5);

void SwitchRadix(benchmark::State& state) {
    LargeTree& tree = Shared();
    tree.Run(vek::CommandId::ExpandTree);
    bool decimal = false;
    for (auto _ : state) {
        decimal = !decimal;
        tree.Run(decimal ? vek::CommandId::SetDec : vek::CommandId::SetHex);
        tree.Paint();
    }
    SetCounters(state);
}
BENCHMARK(SwitchRadix)->Unit(benchmark::kMillisecond)->Iterations(10);

void ReadNowInSimulation(benchmark::State& state) {
    LargeTree& tree = Shared();
    if (!tree.Document().IsSimulation())
        tree.Document().ToggleSimulation();
    for (auto _ : state) {
        tree.Run(vek::CommandId::ReadNow);
        tree.Paint();
    }
    SetCounters(state);
}
BENCHMARK(ReadNowInSimulation)->Unit(benchmark::kMillisecond)->Iterations(10);

void FilterRows(benchmark::State& state) {
    LargeTree& tree = Shared();
    QLineEdit& filter = tree.View().FilterField();
    for (auto _ : state) {
        filter.setText(QStringLiteral("R5 99"));
        tree.Paint();
        state.PauseTiming();
        filter.clear();
        tree.Paint();
        state.ResumeTiming();
    }
    SetCounters(state);
}
BENCHMARK(FilterRows)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
