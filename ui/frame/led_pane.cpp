#include "ui/frame/led_pane.h"

#include <QPainter>

namespace vek {

LedPane::LedPane(LedIndicator::Clock clock, QWidget* parent)
    : QWidget(parent), led_(std::move(clock)) {
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &LedPane::OnIdle);
    const int side = fontMetrics().height();
    setFixedSize(side, side);
}

QSize LedPane::sizeHint() const {
    return size();
}

void LedPane::SetLedState(LedState state) {
    if (led_.SetState(state))
        repaint();
    if (!idle_.isActive())
        Schedule(led_.PendingWait());
}

void LedPane::OnIdle() {
    const LedIndicator::IdleStep step = led_.Idle();
    if (step.repaint)
        repaint();
    Schedule(step.waitMilliseconds);
}

void LedPane::Schedule(int waitMilliseconds) {
    if (waitMilliseconds >= 0)
        idle_.start(waitMilliseconds);
}

void LedPane::paintEvent(QPaintEvent*) {
    ++paints_;
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(led_.PaintColour());
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

} // namespace vek
