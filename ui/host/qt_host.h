#pragma once

#include "platform/host.h"

#include <functional>

class QWidget;

namespace vek {

class CLedStatusBar;
class CVekOutView;
class EventPump;

// The host of vek32: message lines go to the output window (a line with the show flag first
// shows and raises it), progress and the LED to the status bar, questions to message boxes with
// the caption "VEK". Progress steps and repaint requests keep the window alive.
class QtHost : public Host {
public:
    QtHost(CLedStatusBar& statusBar, QWidget* boxParent, EventPump& pump);

    // The output view, and what shows and raises its window.
    void SetOutput(CVekOutView* view, std::function<void()> showOutput);

    void Message(std::string_view text, bool show) override;
    void ClearMessages() override;
    void SetProgressRange(int count) override;
    void StepProgress() override;
    void ResetProgress() override;
    void SetLedState(LedState state) override;
    Answer Ask(std::string_view text, QuestionKind kind) override;
    void Beep() override;
    void Repaint() override;

private:
    CLedStatusBar& statusBar_;
    QWidget* boxParent_;
    EventPump& pump_;
    CVekOutView* output_ = nullptr;
    std::function<void()> showOutput_;
};

} // namespace vek
