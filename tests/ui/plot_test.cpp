// The Plot dock as a user drives it: Register > Plot Value adds the selected register or bit
// field, every read gives each trace a point of the item's width and sign, Pause, Fit and the
// wheel move the view, Clear and Remove, the CSV and PNG exports, and a closed description takes
// its traces with it.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/plot/plot_view.h"
#include "ui/plot/plot_window.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>

namespace vek {

namespace {

std::vector<std::int64_t> Values(const PlotTrace& trace) {
    std::vector<std::int64_t> values;
    for (std::size_t i = 0; i < trace.Size(); ++i)
        values.push_back(trace[i].value);
    return values;
}

void Click(QPushButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
}

void Wheel(QWidget& widget, int steps) {
    const QPointF at = QRectF(widget.rect()).center();
    QWheelEvent wheel(at, widget.mapToGlobal(at), {}, QPoint(0, 120 * steps), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &wheel);
}

} // namespace

class PlotTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachReadGivesThePlottedItemsAPoint() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        QVERIFY(fixture.Enabled(CommandId::WindowPlot));
        // Only what a device holds can be plotted: not a device, not a variable.
        tw.Select(QStringLiteral("CHIP"));
        QVERIFY(!fixture.Enabled(CommandId::PlotValue));
        tw.Select(QStringLiteral("V"));
        QVERIFY(!fixture.Enabled(CommandId::PlotValue));

        for (const char* name : {"CTRL REG", "MODE", "TEMP"}) {
            tw.Select(QString::fromLatin1(name));
            QVERIFY(fixture.Run(CommandId::PlotValue));
        }
        CPlotWindow* plot = fixture.App().PlotWindow();
        QVERIFY(plot != nullptr);
        QVERIFY(plot->isVisible());
        const PlotTraces& traces = plot->Traces();
        QCOMPARE(traces.Count(), 3U);
        QCOMPARE(traces.At(0).Name(), std::string("CHIP.CTRL_REG"));
        QCOMPARE(traces.At(1).Name(), std::string("CHIP.CTRL_REG.MODE"));
        QCOMPARE(plot->TraceList().count(), 3);

        // The register and its field from one read; TEMP, two's complement, from Read Now.
        tw.Select(QStringLiteral("CTRL REG"));
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        driver.SetRegister(0x1a, 0x3f);
        driver.SetRegister(0x33, 0xf0);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QCOMPARE(Values(traces.At(0)), (std::vector<std::int64_t>{0x12, 0x3f}));
        QCOMPARE(Values(traces.At(1)), (std::vector<std::int64_t>{0x2, 0xf}));
        QCOMPARE(Values(traces.At(2)), (std::vector<std::int64_t>{-16}));
        QVERIFY(traces.At(0)[1].time >= traces.At(0)[0].time);
        // Writes are no reads: no point.
        tw.Item(QStringLiteral("CTRL REG"))->SetValue(0x01);
        QVERIFY(fixture.Run(CommandId::WriteRegister));
        QCOMPARE(traces.At(0).Size(), 2U);

        // Plotting it again says so and adds nothing.
        test::MessageBoxAnswer answer(QMessageBox::Ok);
        QVERIFY(fixture.Run(CommandId::PlotValue));
        QVERIFY(answer.Answered());
        QVERIFY(answer.Text().contains(QStringLiteral("CHIP.CTRL_REG is plotted already")));
        QCOMPARE(traces.Count(), 3U);

        // The exports: every point in time order; the picture as a PNG file.
        const QString csv = fixture.Files().Path(QStringLiteral("plot.csv"));
        const QString png = fixture.Files().Path(QStringLiteral("plot.png"));
        fixture.Dialogs().answers = {csv, png};
        Click(*plot->findChild<QPushButton*>(QStringLiteral("SaveCsv")));
        Click(*plot->findChild<QPushButton*>(QStringLiteral("SavePng")));
        QFile csvFile(csv);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(csvFile.readAll()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], QStringLiteral("time_s,trace,value"));
        const QStringList ends = {",CHIP.CTRL_REG,18", ",CHIP.CTRL_REG.MODE,2", ",CHIP.CTRL_REG,63",
                                  ",CHIP.CTRL_REG.MODE,15", ",CHIP.TEMP,-16"};
        for (int i = 0; i < ends.size(); ++i)
            QVERIFY2(lines[i + 1].endsWith(ends[i]), qPrintable(lines.join('\n')));
        QFile pngFile(png);
        QVERIFY(pngFile.open(QIODevice::ReadOnly));
        QCOMPARE(pngFile.read(4), QByteArray("\x89PNG"));

        // Clear keeps the traces; Remove takes the one chosen in the list.
        Click(*plot->findChild<QPushButton*>(QStringLiteral("Clear")));
        QCOMPARE(traces.Count(), 3U);
        QCOMPARE(traces.At(0).Size(), 0U);
        plot->TraceList().setCurrentRow(1);
        Click(*plot->findChild<QPushButton*>(QStringLiteral("Remove")));
        QCOMPARE(traces.Count(), 2U);
        QCOMPARE(traces.At(1).Name(), std::string("CHIP.TEMP"));
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QCOMPARE(traces.At(0).Size(), 1U);

        // Closing the description takes its traces with it.
        tw.window->close();
        QTRY_COMPARE(traces.Count(), 0U);
        QCOMPARE(plot->TraceList().count(), 0);
    }

    void pauseFitAndTheWheelMoveTheView() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        QVERIFY(fixture.Run(CommandId::WindowPlot));
        CPlotWindow* plot = fixture.App().PlotWindow();
        QVERIFY(plot != nullptr && plot->isVisible());
        tw.Select(QStringLiteral("CTRL REG"));
        QVERIFY(fixture.Run(CommandId::PlotValue));
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        PlotView& view = plot->View();
        QVERIFY(view.Following());
        QCOMPARE(view.Span(), PlotView::kDefaultSpan);

        Wheel(view, 1); // in: a shorter span
        QVERIFY(view.Span() < PlotView::kDefaultSpan);
        Click(plot->PauseButton());
        QVERIFY(!view.Following());
        const double edge = view.RightEdge();
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QCOMPARE(view.RightEdge(), edge); // a paused view stands still
        Click(plot->PauseButton());
        QVERIFY(view.Following());

        // Dragging along the time axis pauses the view, as the button shows.
        const QPoint middle = view.rect().center();
        QTest::mousePress(&view, Qt::LeftButton, {}, middle);
        QTest::mouseMove(&view, middle + QPoint(40, 0));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, middle + QPoint(40, 0));
        QVERIFY(!view.Following());
        QVERIFY(plot->PauseButton().isChecked());

        // Fit shows every point, paused.
        Click(plot->PauseButton());
        Click(*plot->findChild<QPushButton*>(QStringLiteral("Fit")));
        QVERIFY(!view.Following());
        QVERIFY(plot->PauseButton().isChecked());
        const auto span = plot->Traces().TimeSpan();
        QVERIFY(span.has_value());
        QVERIFY(view.RightEdge() >= span->second);
        QVERIFY(view.RightEdge() - view.Span() <= span->first + 1e-9);
    }
};

} // namespace vek

QTEST_MAIN(vek::PlotTest)
#include "plot_test.moc"
