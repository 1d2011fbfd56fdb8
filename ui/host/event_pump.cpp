#include "ui/host/event_pump.h"

#include <QCoreApplication>

namespace vek {

EventPump::EventPump() {
    since_.start();
}

void EventPump::Pump() {
    if (since_.elapsed() >= interval_)
        PumpNow();
}

void EventPump::PumpNow() {
    if (pumping_)
        return;
    pumping_ = true;
    ++pumps_;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    since_.restart();
    pumping_ = false;
}

} // namespace vek
