#include "scripting/basic/machine.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/operators.h"

#include <thread>

namespace vek::basic {

Machine::Machine(const Program& program) : program_(program), stack_(new Variant[kMaxStackValues]) {
    stackEnd_ = stack_.get() + kMaxStackValues;
    sp_ = stack_.get();
    frames_.reserve(kMaxCallDepth + 2);
    context_.files = &files_;
}

Machine::~Machine() {
    UnwindTo(0);
}

bool Machine::Start(int procIndex) {
    UnwindTo(0);
    files_.CloseAll();
    globals_.clear();
    for (const GlobalInfo& g : program_.globals) {
        globals_.push_back(g.init);
    }
    err_ = {};
    error_ = {};
    printBuffer_[0].clear();
    printBuffer_[1].clear();
    stepMode_ = StepMode::None;
    runTo_ = {-1, -1};
    resumePc_ = -1;
    pausedByStop_ = false;
    stopPassPc_ = -1;
    const Procedure& proc = program_.procs[static_cast<std::size_t>(procIndex)];
    if (!proc.params.empty() && !proc.params.front().optional) {
        state_ = RunState::Failed;
        error_ = {static_cast<int>(RunError::ArgumentNotOptional),
                  RunErrorText(static_cast<int>(RunError::ArgumentNotOptional)),
                  program_.modules[static_cast<std::size_t>(proc.module)].name, proc.name,
                  proc.line};
        return false;
    }
    for (const ParamInfo& p : proc.params) {
        *sp_++ = p.defaultValue;
    }
    if (!EnterProcedure(proc, stack_.get(), false)) {
        state_ = RunState::Failed;
        return false;
    }
    state_ = RunState::Running;
    return true;
}

bool Machine::EnterProcedure(const Procedure& proc, Variant* base, bool evalRoot) {
    Variant* top = base + proc.slots.Count();
    if (frames_.size() >= kMaxCallDepth + (evalRoot ? 1 : 0) ||
        top + proc.maxStack + 1 > stackEnd_) {
        return false;
    }
    if (!proc.isWatch) {
        for (Variant* s = sp_; s < top; ++s) {
            *s = proc.slots.init[static_cast<std::size_t>(s - base)];
        }
    }
    Frame frame;
    frame.proc = &proc;
    frame.base = base;
    frame.floor = proc.isWatch ? sp_ : base;
    frame.evalRoot = evalRoot;
    frames_.push_back(frame);
    if (!proc.isWatch) {
        sp_ = top;
    }
    return true;
}

void Machine::UnwindTo(std::size_t frameCount) {
    if (frames_.size() <= frameCount) {
        return;
    }
    Variant* floor = frames_[frameCount].floor;
    for (Variant* s = floor; s < sp_; ++s) {
        *s = Variant();
    }
    sp_ = floor;
    ReleasePins(floor);
    DropGoSubs(frameCount);
    frames_.resize(frameCount);
}

void Machine::ReleasePins(const Variant* floor) {
    while (!pins_.empty() && pins_.back().slot >= floor) {
        ArrayObject* array = pins_.back().array;
        pins_.pop_back();
        if (--array->locks == 0 && array->refs == 0) {
            delete array;
        }
    }
}

std::chrono::milliseconds Machine::WaitRemaining() const {
    if (state_ != RunState::Waiting) {
        return std::chrono::milliseconds(0);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        wakeAt_ - std::chrono::steady_clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

RunState Machine::Run(std::int64_t statements) {
    if ((state_ == RunState::Running || state_ == RunState::Waiting) && Interrupted()) {
        StopForInterrupt();
        return state_;
    }
    if (state_ == RunState::Waiting) {
        if (std::chrono::steady_clock::now() < wakeAt_) {
            return state_;
        }
        state_ = RunState::Running;
    }
    if (state_ != RunState::Running) {
        return state_;
    }
    sliceLeft_ = statements < 1 ? 1 : statements;
    budget_ = DebugActive() ? 0 : sliceLeft_;
    Execute();
    if (state_ == RunState::Finished || state_ == RunState::Failed || state_ == RunState::Stopped) {
        FlushPrint(0);
        FlushPrint(1);
        files_.CloseAll();
    }
    return state_;
}

void Machine::Pause() {
    if ((state_ == RunState::Running || state_ == RunState::Waiting) && !frames_.empty()) {
        PauseHere();
    }
}

void Machine::PauseHere() {
    state_ = RunState::Paused;
    stepMode_ = StepMode::None;
    resumePc_ = frames_.back().pc;
    resumeDepth_ = frames_.size();
}

void Machine::Resume(StepMode mode) {
    if (state_ != RunState::Paused) {
        return;
    }
    stepLine_ = frames_.empty() ? 0 : CurrentLine(frames_.size() - 1);
    stepMode_ = mode;
    stepDepth_ = frames_.size();
    stopPassPc_ = pausedByStop_ ? frames_.back().pc : -1;
    pausedByStop_ = false;
    state_ = RunState::Running;
}

void Machine::RunToLine(int module, int line) {
    runTo_ = {module, line};
    Resume(StepMode::None);
}

void Machine::Stop() {
    if (state_ == RunState::Running || state_ == RunState::Paused || state_ == RunState::Waiting) {
        UnwindTo(0);
        FlushPrint(0);
        FlushPrint(1);
        files_.CloseAll();
        state_ = RunState::Stopped;
    }
}

void Machine::StopForInterrupt() {
    const Frame& top = frames_.back();
    error_ = {static_cast<int>(RunError::UserInterrupt),
              RunErrorText(static_cast<int>(RunError::UserInterrupt)),
              program_.modules[static_cast<std::size_t>(top.proc->module)].name, top.proc->name,
              LineAt(*top.proc, top.pc)};
    Stop();
}

void Machine::SetBreakpoint(int module, int line, bool on) {
    if (on) {
        breakpoints_.insert({module, line});
    } else {
        breakpoints_.erase({module, line});
    }
}

int Machine::CurrentLine(std::size_t frameIndex) const {
    const Frame& f = frames_[frameIndex];
    // A paused frame's pc is the next instruction to run; a caller's pc is its return address,
    // just past the call.
    const bool nextToRun = frameIndex + 1 == frames_.size() && state_ == RunState::Paused;
    return LineAt(*f.proc, nextToRun ? f.pc : f.pc - 1);
}

int Machine::LineAt(const Procedure& proc, int pc) const {
    const int statement = proc.StatementAt(pc);
    return statement < 0 ? proc.line : proc.statements[static_cast<std::size_t>(statement)].line;
}

void Machine::FlushPrint(int channel) {
    if (printBuffer_[channel].empty()) {
        return;
    }
    if (print_) {
        print_(printBuffer_[channel], channel == 1);
    }
    printBuffer_[channel].clear();
}

Machine::Boundary Machine::OnStatement(const Frame& frame) {
    if (evaluating_) {
        evalError_ = "the expression runs too long";
        return Boundary::Fail;
    }
    if (frame.pc == resumePc_ && frames_.size() == resumeDepth_) {
        resumePc_ = -1;
        budget_ = DebugActive() ? 0 : sliceLeft_;
        return Boundary::Continue;
    }
    if (!DebugActive()) {
        return Boundary::Yield;
    }
    --sliceLeft_;
    const int line = LineAt(*frame.proc, frame.pc);
    const int module = frame.proc->module;
    const std::size_t depth = frames_.size();
    const bool samePlace = depth == stepDepth_ && line == stepLine_;
    bool stop = false;
    switch (stepMode_) {
    case StepMode::Into:
        stop = !samePlace;
        break;
    case StepMode::Over:
        stop = depth < stepDepth_ || (depth == stepDepth_ && !samePlace);
        break;
    case StepMode::Out:
        stop = depth < stepDepth_;
        break;
    case StepMode::None:
        break;
    }
    if (breakpoints_.count({module, line}) != 0) {
        stop = true;
    }
    if (runTo_ == std::make_pair(module, line)) {
        runTo_ = {-1, -1};
        stop = true;
    }
    if (stop) {
        PauseHere();
        return Boundary::Yield;
    }
    if (sliceLeft_ <= 0) {
        return Boundary::Yield;
    }
    budget_ = 0;
    return Boundary::Continue;
}

bool Machine::HandleError(int number, std::string description, std::string source) {
    const std::size_t lowest = evaluating_ ? evalRoot_ + 1 : 0;
    err_.number = number;
    err_.description = description;
    err_.source = source.empty()
                      ? program_.modules[static_cast<std::size_t>(frames_.back().proc->module)].name
                      : std::move(source);
    for (std::size_t i = frames_.size(); i-- > lowest;) {
        Frame& f = frames_[i];
        if (f.errorMode == 0 || f.inHandler) {
            continue;
        }
        UnwindTo(i + 1);
        const int statement = f.proc->StatementAt(f.pc - 1);
        Variant* depth0 = f.base + f.proc->slots.Count();
        for (Variant* s = depth0; s < sp_; ++s) {
            *s = Variant();
        }
        sp_ = depth0;
        ReleasePins(depth0);
        if (f.errorMode == 1) {
            f.pc = f.proc->ResumeNextPc(statement);
        } else {
            f.inHandler = true;
            f.errorStatement = statement;
            f.pc = f.handlerPc;
        }
        return true;
    }
    const Frame& top = frames_.back();
    if (evaluating_) {
        evalError_ = "error " + std::to_string(number) + ": " + description;
        return false;
    }
    error_.number = number;
    error_.description = std::move(description);
    error_.module = program_.modules[static_cast<std::size_t>(top.proc->module)].name;
    error_.procedure = top.proc->name;
    error_.line = LineAt(*top.proc, top.pc - 1);
    UnwindTo(0);
    state_ = RunState::Failed;
    return false;
}

bool Machine::Evaluate(const Procedure& watch, std::size_t frameIndex, Variant& out,
                       std::string& error) {
    if (state_ != RunState::Paused || frameIndex >= frames_.size()) {
        error = "no script is paused";
        return false;
    }
    const std::size_t savedFrames = frames_.size();
    Variant* const savedSp = sp_;
    if (!EnterProcedure(watch, frames_[frameIndex].base, true)) {
        error = RunErrorText(static_cast<int>(RunError::OutOfStackSpace));
        return false;
    }
    evaluating_ = true;
    evalRoot_ = savedFrames;
    evalError_.clear();
    evalResult_ = Variant();
    const std::int64_t savedBudget = budget_;
    budget_ = kMaxEvaluateStatements;
    state_ = RunState::Running;
    Execute();
    UnwindTo(savedFrames);
    sp_ = savedSp;
    evaluating_ = false;
    budget_ = savedBudget;
    state_ = RunState::Paused;
    if (!evalError_.empty()) {
        error = evalError_;
        return false;
    }
    out = std::move(evalResult_);
    return true;
}

} // namespace vek::basic
