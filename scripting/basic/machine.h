#pragma once

#include "scripting/basic/builtins.h"
#include "scripting/basic/program.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vek::basic {

enum class RunState { Idle, Running, Paused, Waiting, Finished, Failed, Stopped };
enum class StepMode { None, Into, Over, Out };

// A host function's answer: a value, or an error number with its description.
struct HostCallResult {
    Variant value;
    int error_number = 0;
    std::string error_description;

    static HostCallResult Of(Variant v) {
        HostCallResult r;
        r.value = std::move(v);
        return r;
    }
    static HostCallResult Error(int number, std::string description) {
        HostCallResult r;
        r.error_number = number;
        r.error_description = std::move(description);
        return r;
    }
};
using HostFunction = std::function<HostCallResult(const std::vector<Variant>& args)>;

struct RunErrorInfo {
    int number = 0;
    std::string description;
    std::string module;
    std::string procedure;
    int line = 0;
};

// The virtual machine: runs compiled procedures on a fixed value stack in bounded slices, keeps
// the call frames the debugger shows, and dispatches run-time errors to On Error handlers.
class Machine {
public:
    struct Frame {
        const Procedure* proc = nullptr;
        int pc = 0;               // next instruction while the frame is not running
        Variant* base = nullptr;  // slot 0
        Variant* floor = nullptr; // values from here up belong to the frame
        int error_mode = 0;       // 0 none, 1 Resume Next, 2 go to handler_pc
        int handler_pc = 0;
        bool in_handler = false;
        int error_statement = -1;
        bool eval_root = false;
    };

    explicit Machine(const Program& program);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    void SetHostFunctions(const std::vector<HostFunction>* functions) { host_ = functions; }
    void SetPrint(std::function<void(const std::string&, bool debug)> print) {
        print_ = std::move(print);
    }
    // Wait through the host instead of ending the slice (a host that may block, such as a
    // command-line tool).
    void SetWait(std::function<void(int ms)> wait) { wait_ = std::move(wait); }
    BuiltinContext& builtin_context() { return context_; }

    // Starts procedure proc_index (no arguments) with fresh module variables.
    bool Start(int proc_index);
    // Runs at most `statements` statements; returns the state after the slice.
    RunState Run(std::int64_t statements);
    RunState state() const { return state_; }
    const RunErrorInfo& error() const { return error_; }
    // Time left of a Wait, for hosts that sleep between slices.
    std::chrono::milliseconds WaitRemaining() const;

    void Pause();
    void Resume(StepMode mode);
    void RunToLine(int module, int line);
    void Stop();
    void SetBreakpoint(int module, int line, bool on);
    void ClearBreakpoints() { breakpoints_.clear(); }

    const std::vector<Frame>& frames() const { return frames_; }
    int CurrentLine(std::size_t frame_index) const;
    // Runs a compiled watch procedure on the slots of a paused frame.
    bool Evaluate(const Procedure& watch, std::size_t frame_index, Variant& out,
                  std::string& error);

private:
    enum class Boundary { Continue, Yield, Fail };

    void Execute();
    bool EnterProcedure(const Procedure& proc, Variant* base, bool eval_root);
    // The statement check before an instruction that starts a statement (frame.pc points at it).
    Boundary OnStatement(const Frame& frame);
    // Pauses at the top frame's pc; the statement check there is skipped on resuming.
    void PauseHere();
    // Sets Err and moves to the handler; false when no handler takes it (the run ends or the
    // evaluation fails).
    bool HandleError(int number, std::string description, std::string source);
    void UnwindTo(std::size_t frame_count);
    void FlushPrint(int channel);
    bool DebugActive() const {
        return !breakpoints_.empty() || step_mode_ != StepMode::None || run_to_.first >= 0;
    }

    const Program& program_;
    std::unique_ptr<Variant[]> stack_;
    Variant* stack_end_ = nullptr;
    Variant* sp_ = nullptr;
    std::vector<Frame> frames_;
    std::vector<Variant> globals_;
    const std::vector<HostFunction>* host_ = nullptr;
    std::function<void(const std::string&, bool)> print_;
    std::function<void(int)> wait_;
    std::string print_buffer_[2];
    BuiltinContext context_;

    RunState state_ = RunState::Idle;
    RunErrorInfo error_;
    std::int64_t budget_ = 0;
    std::int64_t slice_left_ = 0;
    std::chrono::steady_clock::time_point wake_at_{};

    struct ErrState {
        int number = 0;
        std::string description;
        std::string source;
    } err_;

    std::set<std::pair<int, int>> breakpoints_;
    std::pair<int, int> run_to_{-1, -1};
    StepMode step_mode_ = StepMode::None;
    int resume_pc_ = -1; // the statement check at this pc and depth passes once
    std::size_t resume_depth_ = 0;
    bool paused_by_stop_ = false;
    int stop_pass_pc_ = -1; // the Stop paused at, which the resumed script runs past
    std::size_t step_depth_ = 0;
    int step_line_ = 0;

    bool evaluating_ = false;
    std::size_t eval_root_ = 0;
    Variant eval_result_;
    std::string eval_error_;
};

} // namespace vek::basic
