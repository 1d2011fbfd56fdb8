#pragma once

#include "scripting/basic/builtins.h"
#include "scripting/basic/interrupt.h"
#include "scripting/basic/program.h"
#include "scripting/basic/script_files.h"

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
    int errorNumber = 0;
    std::string errorDescription;

    static HostCallResult Of(Variant v) {
        HostCallResult r;
        r.value = std::move(v);
        return r;
    }
    static HostCallResult Error(int number, std::string description) {
        HostCallResult r;
        r.errorNumber = number;
        r.errorDescription = std::move(description);
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
        int errorMode = 0;        // 0 none, 1 Resume Next, 2 go to handlerPc
        int handlerPc = 0;
        bool inHandler = false;
        int errorStatement = -1;
        bool evalRoot = false;
    };

    explicit Machine(const Program& program);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    void SetHostFunctions(const std::vector<HostFunction>* functions) { host_ = functions; }
    // The request from outside that ends a running script (see Interrupt); none when null.
    void SetInterrupt(const Interrupt* interrupt) { interrupt_ = interrupt; }
    void SetPrint(std::function<void(const std::string&, bool debug)> print) {
        print_ = std::move(print);
    }
    // Wait through the host instead of ending the slice (a host that may block, such as a
    // command-line tool).
    void SetWait(std::function<void(int ms)> wait) { wait_ = std::move(wait); }
    BuiltinContext& Context() { return context_; }

    // Starts procedure procIndex (no arguments) with fresh module variables.
    bool Start(int procIndex);
    // Runs at most `statements` statements; returns the state after the slice. A raised
    // interrupt ends the script first: Stopped, with Error() number 18 and where it stood.
    RunState Run(std::int64_t statements);
    RunState State() const { return state_; }
    // Why the last run ended: the run-time error, or the interruption (number 0: neither).
    const RunErrorInfo& Error() const { return error_; }
    // Time left of a Wait, for hosts that sleep between slices.
    std::chrono::milliseconds WaitRemaining() const;

    void Pause();
    void Resume(StepMode mode);
    void RunToLine(int module, int line);
    void Stop();
    void SetBreakpoint(int module, int line, bool on);
    void ClearBreakpoints() { breakpoints_.clear(); }

    const std::vector<Frame>& Frames() const { return frames_; }
    int CurrentLine(std::size_t frameIndex) const;
    // Whether an interrupt asks the script to end now.
    bool Interrupted() const {
        return interrupt_ != nullptr && interrupt_->Check() != Interrupt::Reason::None;
    }
    // Runs a compiled watch procedure on the slots of a paused frame.
    bool Evaluate(const Procedure& watch, std::size_t frameIndex, Variant& out, std::string& error);

private:
    enum class Boundary { Continue, Yield, Fail };

    void Execute();
    bool EnterProcedure(const Procedure& proc, Variant* base, bool evalRoot);
    // The statement check before an instruction that starts a statement (frame.pc points at it).
    Boundary OnStatement(const Frame& frame);
    // Pauses at the top frame's pc; the statement check there is skipped on resuming.
    void PauseHere();
    // Sets Err and moves to the handler; false when no handler takes it (the run ends or the
    // evaluation fails).
    bool HandleError(int number, std::string description, std::string source);
    void UnwindTo(std::size_t frameCount);
    // Unlocks the arrays whose element references lay at or above `floor` of the value stack.
    void ReleasePins(const Variant* floor);
    // Forgets the GoSubs of the calls past the first `frameCount`, which end without Return.
    void DropGoSubs(std::size_t frameCount) {
        while (!gosubs_.empty() && gosubs_.back().depth > frameCount) {
            gosubs_.pop_back();
        }
    }
    void FlushPrint(int channel);
    // Ends the script between two statements: error 18 with the next statement to run.
    void StopForInterrupt();
    int LineAt(const Procedure& proc, int pc) const;
    bool DebugActive() const {
        return !breakpoints_.empty() || stepMode_ != StepMode::None || runTo_.first >= 0;
    }

    const Program& program_;
    std::unique_ptr<Variant[]> stack_;
    Variant* stackEnd_ = nullptr;
    Variant* sp_ = nullptr;
    std::vector<Frame> frames_;
    // Arrays locked by RefElement, in stack order: each while the reference to its element lies
    // in the value stack at `slot` (the argument slot of the procedure it is passed to).
    struct Pin {
        const Variant* slot;
        ArrayObject* array;
    };
    std::vector<Pin> pins_;
    // Where each Return goes: the pc after a GoSub, and the call (count of frames) it belongs to.
    struct GoSubReturn {
        std::size_t depth;
        int pc;
    };
    std::vector<GoSubReturn> gosubs_;
    std::vector<Variant> globals_;
    const std::vector<HostFunction>* host_ = nullptr;
    const Interrupt* interrupt_ = nullptr;
    std::function<void(const std::string&, bool)> print_;
    std::function<void(int)> wait_;
    std::string printBuffer_[2];
    BuiltinContext context_;
    ScriptFiles files_; // closed when the script ends

    RunState state_ = RunState::Idle;
    RunErrorInfo error_;
    std::int64_t budget_ = 0;
    std::int64_t sliceLeft_ = 0;
    std::chrono::steady_clock::time_point wakeAt_{};

    struct ErrState {
        int number = 0;
        std::string description;
        std::string source;
    } err_;

    std::set<std::pair<int, int>> breakpoints_;
    std::pair<int, int> runTo_{-1, -1};
    StepMode stepMode_ = StepMode::None;
    int resumePc_ = -1; // the statement check at this pc and depth passes once
    std::size_t resumeDepth_ = 0;
    bool pausedByStop_ = false;
    int stopPassPc_ = -1; // the Stop paused at, which the resumed script runs past
    std::size_t stepDepth_ = 0;
    int stepLine_ = 0;

    bool evaluating_ = false;
    std::size_t evalRoot_ = 0;
    Variant evalResult_;
    std::string evalError_;
};

} // namespace vek::basic
