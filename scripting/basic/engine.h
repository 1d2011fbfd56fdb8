#pragma once

#include "scripting/basic/diagnostic.h"
#include "scripting/basic/machine.h"
#include "scripting/basic/value_description.h"
#include "scripting/basic/variant.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vek::basic {

enum class ModuleText;

struct SourceLocation {
    std::string module;
    int line = 0;
};

struct LocalValue {
    std::string name;
    std::string value; // as a watch window shows it: strings quoted, arrays with their bounds
};

// A procedure of the compiled modules, as a procedure browser lists it.
struct ProcedureInfo {
    std::string module;
    std::string name;
    int line = 0;
    bool isFunction = false;
    int parameters = 0;
};

struct CallFrameInfo {
    std::string module;
    std::string procedure;
    int line = 0;
    std::vector<LocalValue> locals;
};

// The Basic engine as its hosts (the script editor pane, the command-line tool) see it: modules,
// code shared by all modules, host functions, output callbacks, running in slices and debugging.
// Nothing here throws; failures are results with their reason.
class Engine {
public:
    // Statements one call of Run executes when the host does not say: small enough that a user
    // interface stays responsive, large enough that slicing costs nothing measurable.
    static constexpr std::int64_t kDefaultSlice = 100000;

    struct Callbacks {
        std::function<void(const std::string& line)> print;      // Print
        std::function<void(const std::string& line)> debugPrint; // Debug.Print
        // MsgBox: returns the button pressed (vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7).
        std::function<int(const std::string& prompt, int buttons, const std::string& title)> msgBox;
        // InputBox: the text entered, or nullopt for Cancel (InputBox then gives "", as in Visual
        // Basic). Without it InputBox gives the default text.
        std::function<std::optional<std::string>(
            const std::string& prompt, const std::string& title, const std::string& defaultText)>
            inputBox;
        // Wait ms: when set, the engine calls it and goes on; when not, Run returns
        // RunState::Waiting until the time is over, so a user interface never blocks.
        std::function<void(int ms)> wait;
    };

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void SetCallbacks(Callbacks callbacks);

    // Modules. A module is replaced when one of the same name (any case) exists.
    // These refuse (return false) while a script runs.
    bool SetModule(const std::string& name, std::string text);
    // A module the program writes, such as the register constants: its constants may bear any
    // name a register description gives (words Basic reserves and names that start with "_",
    // which scripts write as [NAME]), a name declared again keeps its first value, and a value
    // past its declared type stays as it is.
    // Its text is made by `makeText` when the module is first needed (a compile, its source asked
    // for): a large description's constants cost nothing until a script or their editor needs
    // them.
    bool SetGeneratedModule(const std::string& name, std::function<std::string()> makeText);
    // The text of a module (any case of its name); empty when there is none.
    const std::string& ModuleSource(const std::string& name) const;
    // Loads a file as a module named by its path. A file that cannot be read, or is larger than a
    // script may be (platform/file_limits.h), is refused with the path and the reason.
    bool LoadModuleFile(const std::string& path, std::string& error);
    bool RemoveModule(const std::string& name);
    std::vector<std::string> ModuleNames() const;
    // Code available to all modules (the utility functions); its procedures are all Public.
    bool SetSharedCode(const std::string& text);

    // A host function scripts call as a global procedure or function, with min..max arguments
    // (max -1: any number) and a result of kind `result` (Empty: a Variant of any kind).
    // Registered functions stay for the life of the engine.
    void AddHostFunction(const std::string& name, int minArgs, int maxArgs, HostFunction function,
                         Tag result = Tag::Empty);

    // Compiles all modules; false with Diagnostics() filled when there are errors.
    bool Compile();
    const std::vector<Diagnostic>& Diagnostics() const { return diagnostics_; }

    // Starts a procedure without arguments (compiling first when needed).
    bool Start(const std::string& module, const std::string& procedure = "Main");
    // Loads the file as a module and starts its Main.
    bool RunFile(const std::string& path);
    // Runs one slice; returns the state afterwards.
    RunState Run(std::int64_t statements = kDefaultSlice);
    // Runs slices until the script ends, fails or pauses, sleeping through Wait.
    RunState RunToEnd();
    // Ends a running script from outside, between two statements or in a Wait: raised by a
    // signal handler or another thread, or by a deadline. The script then ends Stopped, and
    // LastError() gives error 18 with the procedure and line it stood at.
    Interrupt& GetInterrupt();
    RunState State() const;
    // Time left of the Wait the script stands in, for hosts that wait between slices.
    std::chrono::milliseconds WaitRemaining() const;
    // A script is running, paused or waiting: the host should not close.
    bool IsRunning() const;
    // The run-time error or interruption that ended the last run (number 0: none); or the start
    // failure.
    const RunErrorInfo& LastError() const;

    // The procedures of the modules (compiling first when needed), in the order the modules
    // declare them; empty when they do not compile or a script runs with changed modules.
    std::vector<ProcedureInfo> Procedures();

    // Debugging, all between slices.
    void Pause();
    // Continue (StepMode::None), Step Into, Step Over or Step Out of a paused script.
    void Resume(StepMode mode = StepMode::None);
    void RunToLine(const std::string& module, int line);
    void Stop();
    void SetBreakpoint(const std::string& module, int line, bool on);
    SourceLocation CurrentLocation() const;
    // Innermost frame first.
    std::vector<CallFrameInfo> CallStack() const;
    // Evaluates an expression in frame `frame` (0: innermost) of the paused script.
    bool Evaluate(const std::string& expression, std::string& result, std::size_t frame = 0);
    // Like Evaluate, the value itself.
    bool EvaluateValue(const std::string& expression, Variant& result, std::string& error,
                       std::size_t frame = 0);

    // The instructions of a compiled procedure, for tests and curious developers.
    std::string Disassembly(const std::string& module, const std::string& procedure) const;

private:
    bool PutModule(const std::string& name, std::string text, ModuleText kind);
    // LoadModuleFile with the error number a run reports (53, 75, 76; 0 when loaded).
    RunErrorInfo LoadFile(const std::string& path);

    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::vector<Diagnostic> diagnostics_;
};

} // namespace vek::basic
