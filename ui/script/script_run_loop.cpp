#include "ui/script/script_run_loop.h"

#include "scripting/script_host.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace vek {

namespace {

// One tick of the event loop runs slices for about this long: long enough that slicing costs
// little, short enough that End answers and the window repaints within a frame or two.
constexpr qint64 kTickBudgetMs = 12;
// Statements per slice; a slice is the unit in which the budget is checked.
constexpr std::int64_t kStatementsPerSlice = 2000;
// A Wait is looked at again at least this often, so that a long one shows no stale state.
constexpr int kWaitPollMs = 50;

} // namespace

ScriptRunLoop::ScriptRunLoop(ScriptHost& host, QObject* parent) : QObject(parent), host_(host) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &ScriptRunLoop::Tick);
}

basic::RunState ScriptRunLoop::State() const {
    return host_.Engine().State();
}

bool ScriptRunLoop::IsRunning() const {
    return host_.Engine().IsRunning();
}

bool ScriptRunLoop::Start(const std::string& module, const std::string& procedure,
                          basic::StepMode firstStep) {
    if (IsRunning() || !host_.Start(module, procedure)) {
        Q_EMIT StateChanged();
        return false;
    }
    slices_ = 0;
    if (firstStep != basic::StepMode::None) {
        // Stop before the first statement, as a step from a script at rest does.
        host_.Engine().Pause();
        Q_EMIT StateChanged();
        Q_EMIT Paused();
        return true;
    }
    Schedule(0);
    Q_EMIT StateChanged();
    return true;
}

void ScriptRunLoop::Resume(basic::StepMode mode) {
    if (State() != basic::RunState::Paused)
        return;
    host_.Engine().Resume(mode);
    Schedule(0);
    Q_EMIT StateChanged();
}

void ScriptRunLoop::RunToLine(const std::string& module, int line) {
    if (State() != basic::RunState::Paused)
        return;
    host_.Engine().RunToLine(module, line);
    Schedule(0);
    Q_EMIT StateChanged();
}

void ScriptRunLoop::Pause() {
    host_.Engine().Pause();
    if (State() != basic::RunState::Paused)
        return;
    // Between slices the script stands at its next statement at once; a Wait is cut short.
    timer_.stop();
    Q_EMIT StateChanged();
    Q_EMIT Paused();
}

void ScriptRunLoop::End() {
    if (!IsRunning())
        return;
    if (inTick_) {
        // Inside a statement (a dialog the script opened): it ends at the next statement.
        host_.Engine().GetInterrupt().Raise();
        return;
    }
    timer_.stop();
    host_.Engine().Stop();
    host_.Finish(State());
    Q_EMIT StateChanged();
    Q_EMIT Ended(false);
}

void ScriptRunLoop::Schedule(int ms) {
    timer_.start(ms);
}

void ScriptRunLoop::Tick() {
    // A MsgBox or an extension call that asks runs a nested event loop inside a slice.
    if (inTick_)
        return;
    const QScopedValueRollback guard(inTick_, true);
    basic::Engine& engine = host_.Engine();
    QElapsedTimer clock;
    clock.start();
    basic::RunState state = engine.State();
    while (state == basic::RunState::Running || state == basic::RunState::Waiting) {
        state = engine.Run(kStatementsPerSlice);
        ++slices_;
        if (state == basic::RunState::Waiting) {
            const auto left = engine.WaitRemaining().count();
            Schedule(static_cast<int>(std::clamp<long long>(left, 1, kWaitPollMs)));
            return;
        }
        if (state == basic::RunState::Running && clock.elapsed() >= kTickBudgetMs) {
            Schedule(0);
            return;
        }
    }
    Q_EMIT StateChanged();
    if (state == basic::RunState::Paused) {
        Q_EMIT Paused();
        return;
    }
    const bool finished = host_.Finish(state);
    Q_EMIT Ended(finished);
}

} // namespace vek
