// Scripts in vek32's script pane, which runs them in slices from the event loop: the rate of
// WriteReg and ReadReg calls on a board in simulation mode (the command line's figure is
// bench_script_calls, the same script through the same engine without windows), and how long
// the event loop waits at most while an endless script runs (End, repaints and timers wait that
// long). Runs on the offscreen platform from build/bin, where it finds the test driver.
#include "ui_bench_support.h"

#include "document/vek_doc.h"
#include "ui/app/document_entry.h"
#include "ui/app/vek_app.h"
#include "ui/frame/fixed_frame.h"
#include "ui/script/macro_view.h"
#include "ui/script/script_run_loop.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// The board's window in simulation mode, its script pane, and a script file beside it.
struct PaneBoard {
    explicit PaneBoard(const QString& script) {
        board = vek::bench::WriteTestDriverBoard(folder, 1, 1000, 1);
        scriptPath = folder.filePath(QStringLiteral("script.bas"));
        QFile file(scriptPath);
        if (file.open(QIODevice::WriteOnly))
            file.write(script.toUtf8());
        vek::CVekApp::Settings settings;
        settings.profileFolder = folder.filePath(QStringLiteral("profile"));
        app = std::make_unique<vek::CVekApp>(std::move(settings));
        app->InitInstance({board});
        auto* window = qobject_cast<vek::CMDITreeWnd*>(app->Frame().ActiveChild());
        pane = window != nullptr ? window->ScriptPane() : nullptr;
        if (pane != nullptr && !app->Documents().front()->Document().IsSimulation())
            app->Documents().front()->Document().ToggleSimulation();
    }

    // Runs the script to its end from the event loop.
    bool Run() {
        pane->RunFile("\"" + scriptPath.toStdString() + "\"");
        while (pane->IsBusy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return pane->RunLoop().State() == vek::basic::RunState::Finished;
    }

    QTemporaryDir folder;
    QString board;
    QString scriptPath;
    std::unique_ptr<vek::CVekApp> app;
    vek::CMacroView* pane = nullptr;
};

void ScriptPaneRegisterCalls(benchmark::State& state) {
    const long calls = state.range(0);
    PaneBoard board(QStringLiteral("Sub Main\n"
                                   "    Dim i As Long, x As Long\n"
                                   "    For i = 1 To %1\n"
                                   "        WriteReg R0_500, i And &HFF\n"
                                   "        x = ReadReg(F0_500_0)\n"
                                   "    Next\n"
                                   "End Sub\n")
                        .arg(calls / 2));
    if (board.pane == nullptr) {
        state.SkipWithError("the board did not open in a tree window");
        return;
    }
    for (auto _ : state) {
        if (!board.Run()) {
            state.SkipWithError("the script did not run to its end");
            break;
        }
    }
    state.counters["calls/s"] = benchmark::Counter(static_cast<double>(calls),
                                                   benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(ScriptPaneRegisterCalls)->Arg(200'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// An endless script for a second, a timer asking every millisecond: the longest gap between two
// of its ticks is how long End, a repaint or a click waits at most.
void EventLoopGapWhileAScriptRuns(benchmark::State& state) {
    PaneBoard board(QStringLiteral("Sub Main\n"
                                   "    Dim n As Long\n"
                                   "    Do\n"
                                   "        n = (n + 1) And &HFFFF\n"
                                   "        WriteReg R0_1, n And &HFF\n"
                                   "    Loop\n"
                                   "End Sub\n"));
    if (board.pane == nullptr) {
        state.SkipWithError("the board did not open in a tree window");
        return;
    }
    qint64 worstGap = 0;
    qint64 worstEnd = 0;
    for (auto _ : state) {
        board.pane->RunFile("\"" + board.scriptPath.toStdString() + "\"");
        worstGap = std::max(worstGap, vek::bench::LongestEventLoopGap(1000));
        // End as the toolbar's button gives it: queued behind whatever the loop does now.
        QElapsedTimer endClock;
        endClock.start();
        QTimer::singleShot(0, board.pane, [&board] { board.pane->RunLoop().End(); });
        while (board.pane->IsBusy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        worstEnd = std::max(worstEnd, endClock.elapsed());
    }
    state.counters["worst_gap_ms"] = static_cast<double>(worstGap);
    state.counters["end_ms"] = static_cast<double>(worstEnd);
    state.counters["slices/s"] =
        benchmark::Counter(static_cast<double>(board.pane->RunLoop().Slices()),
                           benchmark::Counter::kAvgIterationsRate);
}
BENCHMARK(EventLoopGapWhileAScriptRuns)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
