// vek32 opening a description of 100,000 registers in ten devices behind the test driver, from
// the open command to the window painted: compile (with the progress bar and the output window
// kept alive), driver binding, the register tree window shown. Runs on the offscreen platform
// from build/bin, where it finds the test driver.
#include "ui_bench_support.h"

#include "document/vek_doc.h"
#include "platform/recording_host.h"
#include "ui/app/document_entry.h"
#include "ui/app/vek_app.h"
#include "ui/frame/child_frame.h"
#include "ui/frame/fixed_frame.h"
#include "ui/host/event_pump.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDevices = 10;
constexpr int kRegistersPerDevice = 10000;

QString WriteBoard(const QTemporaryDir& folder) {
    return vek::bench::WriteTestDriverBoard(folder, kDevices, kRegistersPerDevice, 0);
}

void OpenToPaintedWindow(benchmark::State& state) {
    QTemporaryDir folder;
    const QString board = WriteBoard(folder);
    vek::CVekApp::Settings settings;
    settings.profileFolder = folder.filePath(QStringLiteral("profile"));
    vek::CVekApp app(std::move(settings));
    app.InitInstance({});
    QCoreApplication::processEvents();
    int pumps = 0;
    for (auto _ : state) {
        const int before = app.Pump().PumpCount();
        app.OpenDocumentFile(board);
        vek::CChildFrame* window = app.Frame().ActiveChild();
        if (window == nullptr || window->Kind() != vek::WindowKind::Tree) {
            state.SkipWithError("the board did not open in a tree window");
            break;
        }
        window->repaint();
        QCoreApplication::processEvents();
        pumps += app.Pump().PumpCount() - before;

        state.PauseTiming();
        app.CloseDocument(*app.Documents().front());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["registers"] = kDevices * kRegistersPerDevice;
    // How often the window was kept alive during one open: the progress bar moved that often.
    state.counters["pumps_per_open"] =
        benchmark::Counter(pumps, benchmark::Counter::kAvgIterations);
}
BENCHMARK(OpenToPaintedWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same open without windows: compile and driver binding alone, for comparison.
void OpenDocumentOnly(benchmark::State& state) {
    QTemporaryDir folder;
    const std::string board = WriteBoard(folder).toStdString();
    vek::RecordingHost host;
    for (auto _ : state) {
        auto doc = std::make_unique<vek::CVekDoc>(host);
        if (!doc->OpenDocument(board)) {
            state.SkipWithError("the board did not open");
            break;
        }
        state.PauseTiming();
        doc.reset();
        host.lines.clear();
        state.ResumeTiming();
    }
    state.counters["registers"] = kDevices * kRegistersPerDevice;
}
BENCHMARK(OpenDocumentOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
