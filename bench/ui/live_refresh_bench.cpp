// Live refresh of a device of 1,000 registers every 100 ms in vek32's tree window, expanded so
// that the values are drawn: the rounds achieved per second and the longest wait of the event
// loop (a 1 ms timer's longest gap) while it runs, in simulation and through the test driver, and
// through the test driver with four of the registers plotted (a read in simulation mode reaches
// no device and gives a plot no point).
// Runs on the offscreen platform from build/bin, where it finds the test driver.
#include "ui_bench_support.h"

#include "document/vek_doc.h"
#include "ui/app/vek_app.h"
#include "ui/frame/fixed_frame.h"
#include "ui/plot/plot_window.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/watch/live_refresh_bar.h"

#include <QApplication>
#include <QSplitter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kRegisters = 1000;
constexpr int kIntervalMs = 100;
constexpr qint64 kRunMs = 2000;

void LiveRefreshOfADevice(benchmark::State& state) {
    const bool simulation = state.range(0) != 0;
    const int plotted = static_cast<int>(state.range(1));
    QTemporaryDir folder;
    const QString board = vek::bench::WriteTestDriverBoard(folder, 1, kRegisters, 1);
    vek::CVekApp::Settings settings;
    settings.profileFolder = folder.filePath(QStringLiteral("profile"));
    vek::CVekApp app(std::move(settings));
    app.InitInstance({board});
    auto* window = qobject_cast<vek::CMDITreeWnd*>(app.Frame().ActiveChild());
    auto* view = window != nullptr ? qobject_cast<vek::CVekTreeView*>(window->Splitter().widget(0))
                                   : nullptr;
    if (view == nullptr || !view->Document().IsCompiled()) {
        state.SkipWithError("the board did not open in a tree window");
        return;
    }
    if (simulation != view->Document().IsSimulation())
        view->Document().ToggleSimulation();
    app.Frame().RefreshBar().SetInterval(kIntervalMs);
    view->RunCommand(vek::CommandId::ExpandTree);
    // The first registers or bit fields below the device.
    for (int row = 1, left = plotted; left > 0 && row < view->Tree().GetRowCount(); ++row) {
        view->Tree().SelectRow(row);
        const auto command = view->QueryCommand(vek::CommandId::PlotValue);
        if (command && command->enabled) {
            view->RunCommand(vek::CommandId::PlotValue);
            --left;
        }
    }
    if (plotted > 0 && (app.PlotWindow() == nullptr ||
                        app.PlotWindow()->Traces().Count() != static_cast<std::size_t>(plotted))) {
        state.SkipWithError("the registers were not plotted");
        return;
    }
    view->Tree().SelectRow(0); // the device: every register below it
    vek::LiveRefresh& refresh = view->Refresh();

    qint64 worstGap = 0;
    std::int64_t rounds = 0;
    for (auto _ : state) {
        refresh.Start();
        worstGap = std::max(worstGap, vek::bench::LongestEventLoopGap(kRunMs));
        rounds += refresh.Rounds();
        refresh.Stop();
    }
    if (refresh.RegisterCount() != static_cast<std::size_t>(kRegisters))
        state.SkipWithError("the round did not read every register of the device");
    state.counters["worst_gap_ms"] = static_cast<double>(worstGap);
    state.counters["rounds/s"] =
        benchmark::Counter(static_cast<double>(rounds), benchmark::Counter::kIsRate);
    state.counters["registers"] = static_cast<double>(refresh.RegisterCount());
    if (plotted > 0)
        state.counters["points"] = static_cast<double>(app.PlotWindow()->Traces().At(0).Size());
}
BENCHMARK(LiveRefreshOfADevice)
    ->ArgNames({"simulation", "plotted"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({0, 4})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
