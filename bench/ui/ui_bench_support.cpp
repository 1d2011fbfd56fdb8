// What vek32's benchmarks share: a generated board on the test driver, and a main that runs the
// benchmarks in a QApplication on the offscreen platform (unless another one is asked for).
#include "ui_bench_support.h"

#include "description_generator.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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
