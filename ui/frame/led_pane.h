#pragma once

#include "ui/frame/led_indicator.h"

#include <QTimer>
#include <QWidget>

namespace vek {

// The LED pane of the status bar: a square lamp painted in the indicator's colour. A state
// change paints it at once; a timer stands in for the idle loop while a flash or a blink is
// pending, and is started only when it is not already running, so repeated flashes cost nothing.
class LedPane : public QWidget {
    Q_OBJECT

public:
    LedPane(LedIndicator::Clock clock, QWidget* parent);

    void SetLedState(LedState state);
    LedState State() const { return led_.State(); }
    const LedIndicator& Indicator() const { return led_; }
    // The idle step; the timer calls it, tests call it after moving their clock.
    void OnIdle();
    // How many times the lamp was painted.
    int PaintCount() const { return paints_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Schedule(int waitMilliseconds);

    LedIndicator led_;
    QTimer idle_;
    int paints_ = 0;
};

} // namespace vek
