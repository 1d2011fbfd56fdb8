#include "scripting/basic/machine.h"

#include "scripting/basic/array_ops.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/operators.h"

#include <thread>

namespace vek::basic {

Machine::Machine(const Program& program) : program_(program), stack_(new Variant[kMaxStackValues]) {
    stack_end_ = stack_.get() + kMaxStackValues;
    sp_ = stack_.get();
    frames_.reserve(kMaxCallDepth + 2);
}

Machine::~Machine() {
    UnwindTo(0);
}

bool Machine::Start(int proc_index) {
    UnwindTo(0);
    globals_.clear();
    for (const GlobalInfo& g : program_.globals) {
        globals_.push_back(g.init);
    }
    err_ = {};
    error_ = {};
    print_buffer_[0].clear();
    print_buffer_[1].clear();
    step_mode_ = StepMode::None;
    run_to_ = {-1, -1};
    resume_pc_ = -1;
    paused_by_stop_ = false;
    stop_pass_pc_ = -1;
    const Procedure& proc = program_.procs[static_cast<std::size_t>(proc_index)];
    if (!proc.params.empty() && !proc.params.front().optional) {
        state_ = RunState::Failed;
        error_ = {static_cast<int>(RunError::ArgumentNotOptional),
                  RunErrorText(static_cast<int>(RunError::ArgumentNotOptional)),
                  program_.modules[static_cast<std::size_t>(proc.module)].name, proc.name,
                  proc.line};
        return false;
    }
    for (const ParamInfo& p : proc.params) {
        *sp_++ = p.default_value;
    }
    if (!EnterProcedure(proc, stack_.get(), false)) {
        state_ = RunState::Failed;
        return false;
    }
    state_ = RunState::Running;
    return true;
}

bool Machine::EnterProcedure(const Procedure& proc, Variant* base, bool eval_root) {
    Variant* top = base + proc.slots.Count();
    if (frames_.size() >= kMaxCallDepth + (eval_root ? 1 : 0) ||
        top + proc.max_stack + 1 > stack_end_) {
        return false;
    }
    if (!proc.is_watch) {
        for (Variant* s = sp_; s < top; ++s) {
            *s = proc.slots.init[static_cast<std::size_t>(s - base)];
        }
    }
    Frame frame;
    frame.proc = &proc;
    frame.base = base;
    frame.floor = proc.is_watch ? sp_ : base;
    frame.eval_root = eval_root;
    frames_.push_back(frame);
    if (!proc.is_watch) {
        sp_ = top;
    }
    return true;
}

void Machine::UnwindTo(std::size_t frame_count) {
    if (frames_.size() <= frame_count) {
        return;
    }
    Variant* floor = frames_[frame_count].floor;
    for (Variant* s = floor; s < sp_; ++s) {
        *s = Variant();
    }
    sp_ = floor;
    frames_.resize(frame_count);
}

std::chrono::milliseconds Machine::WaitRemaining() const {
    if (state_ != RunState::Waiting) {
        return std::chrono::milliseconds(0);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        wake_at_ - std::chrono::steady_clock::now());
    return left.count() > 0 ? left : std::chrono::milliseconds(0);
}

RunState Machine::Run(std::int64_t statements) {
    if (state_ == RunState::Waiting) {
        if (std::chrono::steady_clock::now() < wake_at_) {
            return state_;
        }
        state_ = RunState::Running;
    }
    if (state_ != RunState::Running) {
        return state_;
    }
    slice_left_ = statements < 1 ? 1 : statements;
    budget_ = DebugActive() ? 0 : slice_left_;
    Execute();
    if (state_ == RunState::Finished || state_ == RunState::Failed || state_ == RunState::Stopped) {
        FlushPrint(0);
        FlushPrint(1);
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
    step_mode_ = StepMode::None;
    resume_pc_ = frames_.back().pc;
    resume_depth_ = frames_.size();
}

void Machine::Resume(StepMode mode) {
    if (state_ != RunState::Paused) {
        return;
    }
    step_line_ = frames_.empty() ? 0 : CurrentLine(frames_.size() - 1);
    step_mode_ = mode;
    step_depth_ = frames_.size();
    stop_pass_pc_ = paused_by_stop_ ? frames_.back().pc : -1;
    paused_by_stop_ = false;
    state_ = RunState::Running;
}

void Machine::RunToLine(int module, int line) {
    run_to_ = {module, line};
    Resume(StepMode::None);
}

void Machine::Stop() {
    if (state_ == RunState::Running || state_ == RunState::Paused || state_ == RunState::Waiting) {
        UnwindTo(0);
        FlushPrint(0);
        FlushPrint(1);
        state_ = RunState::Stopped;
    }
}

void Machine::SetBreakpoint(int module, int line, bool on) {
    if (on) {
        breakpoints_.insert({module, line});
    } else {
        breakpoints_.erase({module, line});
    }
}

int Machine::CurrentLine(std::size_t frame_index) const {
    const Frame& f = frames_[frame_index];
    // A paused frame's pc is the next instruction to run; a caller's pc is its return address,
    // just past the call.
    const bool next_to_run = frame_index + 1 == frames_.size() && state_ == RunState::Paused;
    const int statement = f.proc->StatementAt(next_to_run ? f.pc : f.pc - 1);
    return statement < 0 ? f.proc->line
                         : f.proc->statements[static_cast<std::size_t>(statement)].line;
}

void Machine::FlushPrint(int channel) {
    if (print_buffer_[channel].empty()) {
        return;
    }
    if (print_) {
        print_(print_buffer_[channel], channel == 1);
    }
    print_buffer_[channel].clear();
}

Machine::Boundary Machine::OnStatement(const Frame& frame) {
    if (evaluating_) {
        eval_error_ = "the expression runs too long";
        return Boundary::Fail;
    }
    if (frame.pc == resume_pc_ && frames_.size() == resume_depth_) {
        resume_pc_ = -1;
        budget_ = DebugActive() ? 0 : slice_left_;
        return Boundary::Continue;
    }
    if (!DebugActive()) {
        return Boundary::Yield;
    }
    --slice_left_;
    const int statement = frame.proc->StatementAt(frame.pc);
    const int line = statement < 0
                         ? frame.proc->line
                         : frame.proc->statements[static_cast<std::size_t>(statement)].line;
    const int module = frame.proc->module;
    const std::size_t depth = frames_.size();
    const bool same_place = depth == step_depth_ && line == step_line_;
    bool stop = false;
    switch (step_mode_) {
    case StepMode::Into:
        stop = !same_place;
        break;
    case StepMode::Over:
        stop = depth < step_depth_ || (depth == step_depth_ && !same_place);
        break;
    case StepMode::Out:
        stop = depth < step_depth_;
        break;
    case StepMode::None:
        break;
    }
    if (breakpoints_.count({module, line}) != 0) {
        stop = true;
    }
    if (run_to_ == std::make_pair(module, line)) {
        run_to_ = {-1, -1};
        stop = true;
    }
    if (stop) {
        PauseHere();
        return Boundary::Yield;
    }
    if (slice_left_ <= 0) {
        return Boundary::Yield;
    }
    budget_ = 0;
    return Boundary::Continue;
}

bool Machine::HandleError(int number, std::string description, std::string source) {
    const std::size_t lowest = evaluating_ ? eval_root_ + 1 : 0;
    err_.number = number;
    err_.description = description;
    err_.source = source.empty()
                      ? program_.modules[static_cast<std::size_t>(frames_.back().proc->module)].name
                      : std::move(source);
    for (std::size_t i = frames_.size(); i-- > lowest;) {
        Frame& f = frames_[i];
        if (f.error_mode == 0 || f.in_handler) {
            continue;
        }
        UnwindTo(i + 1);
        const int statement = f.proc->StatementAt(f.pc - 1);
        Variant* depth0 = f.base + f.proc->slots.Count();
        for (Variant* s = depth0; s < sp_; ++s) {
            *s = Variant();
        }
        sp_ = depth0;
        if (f.error_mode == 1) {
            const auto next = static_cast<std::size_t>(statement + 1);
            f.pc = next < f.proc->statements.size() ? f.proc->statements[next].pc
                                                    : static_cast<int>(f.proc->code.size()) - 1;
        } else {
            f.in_handler = true;
            f.error_statement = statement;
            f.pc = f.handler_pc;
        }
        return true;
    }
    const Frame& top = frames_.back();
    if (evaluating_) {
        eval_error_ = "error " + std::to_string(number) + ": " + description;
        return false;
    }
    error_.number = number;
    error_.description = std::move(description);
    error_.module = program_.modules[static_cast<std::size_t>(top.proc->module)].name;
    error_.procedure = top.proc->name;
    const int statement = top.proc->StatementAt(top.pc - 1);
    error_.line = statement < 0 ? top.proc->line
                                : top.proc->statements[static_cast<std::size_t>(statement)].line;
    UnwindTo(0);
    state_ = RunState::Failed;
    return false;
}

bool Machine::Evaluate(const Procedure& watch, std::size_t frame_index, Variant& out,
                       std::string& error) {
    if (state_ != RunState::Paused || frame_index >= frames_.size()) {
        error = "no script is paused";
        return false;
    }
    const std::size_t saved_frames = frames_.size();
    Variant* const saved_sp = sp_;
    if (!EnterProcedure(watch, frames_[frame_index].base, true)) {
        error = RunErrorText(static_cast<int>(RunError::OutOfStackSpace));
        return false;
    }
    evaluating_ = true;
    eval_root_ = saved_frames;
    eval_error_.clear();
    eval_result_ = Variant();
    const std::int64_t saved_budget = budget_;
    budget_ = kMaxEvaluateStatements;
    state_ = RunState::Running;
    Execute();
    UnwindTo(saved_frames);
    sp_ = saved_sp;
    evaluating_ = false;
    budget_ = saved_budget;
    state_ = RunState::Paused;
    if (!eval_error_.empty()) {
        error = eval_error_;
        return false;
    }
    out = std::move(eval_result_);
    return true;
}

} // namespace vek::basic
