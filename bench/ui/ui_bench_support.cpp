// What vek32's benchmarks share: a generated board on the test driver, and a main that runs the
// benchmarks in a QApplication on the offscreen platform (unless another one is asked for).
#include "ui_bench_support.h"

#include "description_generator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace vek::bench {

QString WriteTestDriverBoard(const QTemporaryDir& folder, int devices, int registers,
                             int bitFields) {
    const std::string text = GenerateDescription(devices, registers, bitFields, "testdrv.dll");
    const QString path = folder.filePath(QStringLiteral("board.vek"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(QByteArray::fromStdString(text));
    return path;
}

qint64 LongestEventLoopGap(qint64 ms) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 worst = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        worst = std::max(worst, clock.elapsed() - last);
        last = clock.elapsed();
    });
    ticker.start(1);
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return worst;
}

} // namespace vek::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
