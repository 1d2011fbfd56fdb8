// The LED status bar: the LED's flash and blink timing on a clock the test moves, the cost of a
// burst of flashes, and the progress mode of pane 0.
#include "ui/frame/led_pane.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/progress_pane.h"

#include <QTest>

namespace vek {

class StatusBarTest : public QObject {
    Q_OBJECT

private:
    std::uint32_t now_ = 0xFFFFFF00; // close to the tick count's wrap
    std::unique_ptr<CLedStatusBar> bar_;

    LedPane& Led() { return bar_->Led(); }
    void Advance(std::uint32_t milliseconds) {
        now_ += milliseconds;
        Led().OnIdle();
    }
    QColor Painted() {
        const QImage picture = Led().grab().toImage();
        return picture.pixelColor(picture.width() / 2, picture.height() / 2);
    }

private Q_SLOTS:
    void init() {
        now_ = 0xFFFFFF00;
        bar_ = std::make_unique<CLedStatusBar>([this] { return now_; }, nullptr);
        bar_->resize(400, 24);
        bar_->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar_.get()));
    }
    void cleanup() { bar_.reset(); }

    void startsDarkGreen() {
        QCOMPARE(bar_->GetLedState(), LedState::SteadyDark);
        QCOMPARE(Painted(), LedIndicator::kDark);
    }

    void flashFallsBackToDarkAfter50Milliseconds() {
        bar_->SetLedState(LedState::Flash);
        QCOMPARE(Painted(), LedIndicator::kBright);
        Advance(49);
        QCOMPARE(bar_->GetLedState(), LedState::Flash);
        Advance(1);
        QCOMPARE(bar_->GetLedState(), LedState::SteadyDark);
        QCOMPARE(Painted(), LedIndicator::kDark);
    }

    void burstOfFlashesOnlyMovesTheDeadline() {
        QCoreApplication::processEvents();
        const int paintsBefore = Led().PaintCount();
        for (int i = 0; i < 1000; ++i) {
            bar_->SetLedState(LedState::Flash);
            now_ += 10; // ten seconds of transfers, one every 10 ms
        }
        QCoreApplication::processEvents();
        // One paint for the change to bright, none for the other 999 flashes.
        QCOMPARE(Led().PaintCount(), paintsBefore + 1);
        Advance(39); // 49 ms after the last flash
        QCOMPARE(bar_->GetLedState(), LedState::Flash);
        Advance(1);
        QCOMPARE(bar_->GetLedState(), LedState::SteadyDark);
    }

    void blinkKeepsItsColourThenAlternatesEvery500Milliseconds() {
        QCOMPARE(Painted(), LedIndicator::kDark);
        bar_->SetLedState(LedState::BlinkRed);
        QCOMPARE(Painted(), LedIndicator::kDark);
        Advance(499);
        QCOMPARE(Painted(), LedIndicator::kDark);
        Advance(1);
        QCOMPARE(Painted(), LedIndicator::kBlinkDim);
        Advance(500);
        QCOMPARE(Painted(), LedIndicator::kBlinkLit);
        Advance(500);
        QCOMPARE(Painted(), LedIndicator::kBlinkDim);
        bar_->SetLedState(LedState::SteadyDark);
        QCOMPARE(Painted(), LedIndicator::kDark);
    }

    void progressBeyondTheRangeShowsAHundredPercent() {
        bar_->SetProgressRange(100);
        bar_->SetProgressPos(150);
        QCOMPARE(bar_->Progress().Position(), 100);
        QCOMPARE(bar_->Progress().PercentText(), QStringLiteral("100%"));
        bar_->SetProgressPos(-5);
        QCOMPARE(bar_->Progress().Position(), 0);
        bar_->SetProgressRange(0);
        bar_->OffsetProgressPos(1); // no range, no progress, no division by zero
        QCOMPARE(bar_->Progress().PercentText(), QString());
    }

    void endOfProgressRestoresTheTextSetMeanwhile() {
        bar_->SetPaneText(0, QStringLiteral("before"));
        bar_->SetProgressRange(200);
        bar_->SetProgressPos(50);
        QCOMPARE(bar_->Progress().PercentText(), QStringLiteral("25%"));
        bar_->SetPaneText(0, QStringLiteral("meanwhile"));
        bar_->SetProgressPos(0);
        QCOMPARE(bar_->PaneText(0), QStringLiteral("meanwhile"));
        QCOMPARE(bar_->Progress().PercentText(), QString());
    }

    void progressBarIsFilledUpToThePosition() {
        ProgressPane& pane = bar_->Progress();
        bar_->SetProgressRange(4);
        bar_->SetProgressPos(1);
        const QImage picture = pane.grab().toImage();
        const int y = 3;
        QCOMPARE(picture.pixelColor(3, y), ProgressPane::kFilled);
        QCOMPARE(picture.pixelColor(pane.width() - 3, y), pane.palette().color(QPalette::Button));
    }

    void indicatorPanesKeepTheirTexts() {
        bar_->SetPaneText(1, QStringLiteral("BOTH"));
        bar_->SetPaneText(2, QStringLiteral("HEX"));
        bar_->SetPaneText(3, QStringLiteral("00042"));
        QCOMPARE(bar_->PaneText(1), QStringLiteral("BOTH"));
        QCOMPARE(bar_->PaneText(3), QStringLiteral("00042"));
        bar_->SetPaneText(7, QStringLiteral("nowhere"));
        QCOMPARE(bar_->PaneText(7), QString());
    }
};

} // namespace vek

QTEST_MAIN(vek::StatusBarTest)
#include "status_bar_test.moc"
