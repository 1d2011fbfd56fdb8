#pragma once

#include "scripting/basic/machine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace vek {

class ScriptHost;

// Runs a script of the script pane on the user-interface thread in slices of a few
// milliseconds from the event loop, so that the tree, the LED, the output window and the
// script toolbar stay alive while it runs; a Wait waits on a timer, never in a sleep. The
// extension's methods touch the document, which belongs to this thread.
class ScriptRunLoop : public QObject {
    Q_OBJECT

public:
    explicit ScriptRunLoop(ScriptHost& host, QObject* parent = nullptr);

    // Starts a procedure without arguments; with a step mode other than None the script stops
    // before its first statement. False when it could not start (Finish has reported why).
    bool Start(const std::string& module, const std::string& procedure,
               basic::StepMode firstStep = basic::StepMode::None);
    // Continues a paused script: run, step, or run to a line.
    void Resume(basic::StepMode mode);
    void RunToLine(const std::string& module, int line);
    void Pause();
    void End();

    basic::RunState State() const;
    bool IsRunning() const;
    // Slices run since the script started.
    std::int64_t Slices() const { return slices_; }

Q_SIGNALS:
    // The script stopped at a statement (a breakpoint, a step, Pause).
    void Paused();
    // The script ended; `finished` when it ran to its end.
    void Ended(bool finished);
    // Running, waiting, paused or ended: the commands' states change.
    void StateChanged();

private:
    void Schedule(int ms);
    void Tick();

    ScriptHost& host_;
    QTimer timer_;
    std::int64_t slices_ = 0;
    bool inTick_ = false;
};

} // namespace vek
