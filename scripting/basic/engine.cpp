#include "scripting/basic/engine.h"

#include "platform/file_limits.h"
#include "platform/text_file.h"
#include "scripting/basic/compile_errors.h"
#include "scripting/basic/compiler.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/text_util.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

namespace vek::basic {

namespace {

constexpr const char* kSharedModuleName = "(shared)";

} // namespace

struct Engine::Impl {
    std::vector<SourceModule> modules;
    // Generated modules whose text is made when first needed, by module name.
    std::vector<std::pair<std::string, std::function<std::string()>>> pendingTexts;
    std::string sharedCode;
    std::vector<HostFunctionInfo> hostInfos;
    std::vector<HostFunction> hostFunctions;
    Callbacks callbacks;
    Interrupt interrupt;
    std::unique_ptr<Program> program;
    std::unique_ptr<Machine> machine;
    bool dirty = true;
    RunErrorInfo startError;
    std::set<std::pair<std::string, int>> breakpoints; // lower-case module name, line

    bool Running() const {
        if (!machine) {
            return false;
        }
        const RunState s = machine->State();
        return s == RunState::Running || s == RunState::Paused || s == RunState::Waiting;
    }

    int ModuleIndex(const std::string& name) const {
        if (!program) {
            return -1;
        }
        for (std::size_t i = 0; i < program->modules.size(); ++i) {
            if (EqualsNoCase(program->modules[i].name, name)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    int FindProcedure(const std::string& module, const std::string& name) const {
        const int m = ModuleIndex(module);
        for (std::size_t i = 0; program && i < program->procs.size(); ++i) {
            if (program->procs[i].module == m && EqualsNoCase(program->procs[i].name, name)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    void DropPendingText(const std::string& name) {
        std::erase_if(pendingTexts,
                      [&name](const auto& pending) { return EqualsNoCase(pending.first, name); });
    }

    void MakePendingTexts() {
        for (auto& [name, make] : pendingTexts) {
            for (SourceModule& m : modules) {
                if (EqualsNoCase(m.name, name))
                    m.text = make();
            }
        }
        pendingTexts.clear();
    }

    void ApplyBreakpoints() {
        machine->ClearBreakpoints();
        for (const auto& [module, line] : breakpoints) {
            const int m = ModuleIndex(module);
            if (m >= 0) {
                machine->SetBreakpoint(m, line, true);
            }
        }
    }
};

Engine::Engine() : impl_(std::make_unique<Impl>()) {}
Engine::~Engine() = default;

void Engine::SetCallbacks(Callbacks callbacks) {
    impl_->callbacks = std::move(callbacks);
}

bool Engine::SetModule(const std::string& name, std::string text) {
    return PutModule(name, std::move(text), ModuleText::Script);
}

bool Engine::SetGeneratedModule(const std::string& name, std::function<std::string()> makeText) {
    if (!PutModule(name, {}, ModuleText::Generated))
        return false;
    impl_->pendingTexts.emplace_back(name, std::move(makeText));
    return true;
}

const std::string& Engine::ModuleSource(const std::string& name) const {
    static const std::string none;
    impl_->MakePendingTexts();
    for (const SourceModule& m : impl_->modules) {
        if (EqualsNoCase(m.name, name))
            return m.text;
    }
    return none;
}

bool Engine::PutModule(const std::string& name, std::string text, ModuleText kind) {
    if (impl_->Running() || EqualsNoCase(name, kSharedModuleName)) {
        return false;
    }
    impl_->dirty = true;
    impl_->DropPendingText(name);
    for (SourceModule& m : impl_->modules) {
        if (EqualsNoCase(m.name, name)) {
            m.text = std::move(text);
            m.kind = kind;
            return true;
        }
    }
    impl_->modules.push_back({name, std::move(text), false, kind});
    return true;
}

bool Engine::LoadModuleFile(const std::string& path, std::string& error) {
    const RunErrorInfo failure = LoadFile(path);
    error = failure.description;
    return failure.number == 0;
}

RunErrorInfo Engine::LoadFile(const std::string& path) {
    // Read within the limit of a script, so that a huge file named by a script macro is refused
    // with a message instead of filling the memory.
    const Result<std::string> text = ReadTextFile(path, kScriptFileLimit);
    if (!text) {
        return {static_cast<int>(FileErrorOf(text.Error().code)), path + ": " + text.Error().text,
                "", "", 0};
    }
    if (!SetModule(path, text.Value())) {
        return {static_cast<int>(FileErrorOf(EBUSY)), "a script is running", "", "", 0};
    }
    return {};
}

bool Engine::RemoveModule(const std::string& name) {
    if (impl_->Running()) {
        return false;
    }
    auto& modules = impl_->modules;
    for (auto it = modules.begin(); it != modules.end(); ++it) {
        if (EqualsNoCase(it->name, name)) {
            modules.erase(it);
            impl_->DropPendingText(name);
            impl_->dirty = true;
            return true;
        }
    }
    return false;
}

std::vector<std::string> Engine::ModuleNames() const {
    std::vector<std::string> names;
    for (const SourceModule& m : impl_->modules) {
        names.push_back(m.name);
    }
    return names;
}

bool Engine::SetSharedCode(const std::string& text) {
    if (impl_->Running()) {
        return false;
    }
    impl_->sharedCode = text;
    impl_->dirty = true;
    return true;
}

void Engine::AddHostFunction(const std::string& name, int minArgs, int maxArgs,
                             HostFunction function, Tag result) {
    impl_->hostInfos.push_back({name, minArgs, maxArgs, result});
    impl_->hostFunctions.push_back(std::move(function));
    impl_->dirty = true;
}

bool Engine::Compile() {
    if (impl_->Running()) {
        return false;
    }
    diagnostics_.clear();
    impl_->MakePendingTexts();
    std::vector<SourceModule> sources = impl_->modules;
    if (!impl_->sharedCode.empty()) {
        sources.push_back({kSharedModuleName, impl_->sharedCode, true, ModuleText::Script});
    }
    impl_->machine.reset();
    auto program = std::make_unique<Program>();
    const bool ok = CompileProgram(sources, impl_->hostInfos, *program, diagnostics_);
    impl_->program = std::move(program);
    impl_->dirty = !ok;
    if (!ok) {
        return false;
    }
    impl_->machine = std::make_unique<Machine>(*impl_->program);
    impl_->machine->SetHostFunctions(&impl_->hostFunctions);
    impl_->machine->SetInterrupt(&impl_->interrupt);
    impl_->machine->SetPrint([this](const std::string& line, bool debug) {
        const auto& target = debug ? impl_->callbacks.debugPrint : impl_->callbacks.print;
        if (target) {
            target(line);
        }
    });
    if (impl_->callbacks.wait) {
        impl_->machine->SetWait([this](int ms) { impl_->callbacks.wait(ms); });
    }
    impl_->machine->Context().msgBox = [this](const std::string& prompt, int buttons,
                                              const std::string& title) {
        return impl_->callbacks.msgBox ? impl_->callbacks.msgBox(prompt, buttons, title) : 1;
    };
    impl_->machine->Context().inputBox = [this](const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
        return impl_->callbacks.inputBox ? impl_->callbacks.inputBox(prompt, title, defaultText)
                                         : std::optional<std::string>(defaultText);
    };
    impl_->ApplyBreakpoints();
    return true;
}

bool Engine::Start(const std::string& module, const std::string& procedure) {
    if (impl_->Running()) {
        return false;
    }
    impl_->startError = {};
    if (impl_->dirty && !Compile()) {
        impl_->startError.description = "compile error";
        if (!diagnostics_.empty()) {
            const Diagnostic& d = diagnostics_.front();
            impl_->startError = {0, d.message, d.module, "", d.line};
        }
        return false;
    }
    const int index = impl_->FindProcedure(module, procedure);
    if (index < 0) {
        impl_->startError = {35, CompileErrorText({CompileError::NotDefined, {}, {procedure}}),
                             module, "", 0};
        return false;
    }
    return impl_->machine->Start(index);
}

bool Engine::RunFile(const std::string& path) {
    impl_->startError = LoadFile(path);
    if (impl_->startError.number != 0) {
        return false;
    }
    return Start(path, "Main");
}

RunState Engine::Run(std::int64_t statements) {
    return impl_->machine ? impl_->machine->Run(statements) : RunState::Idle;
}

RunState Engine::RunToEnd() {
    // A Wait sleeps in short steps, so that an interrupt ends it soon.
    constexpr std::chrono::milliseconds kWaitStep{20};
    while (true) {
        const RunState s = Run();
        if (s == RunState::Waiting) {
            std::this_thread::sleep_for(std::min(impl_->machine->WaitRemaining(), kWaitStep));
            continue;
        }
        if (s != RunState::Running) {
            return s;
        }
    }
}

std::chrono::milliseconds Engine::WaitRemaining() const {
    return impl_->machine ? impl_->machine->WaitRemaining() : std::chrono::milliseconds(0);
}

std::vector<ProcedureInfo> Engine::Procedures() {
    std::vector<ProcedureInfo> list;
    if (impl_->dirty && (impl_->Running() || !Compile()))
        return list;
    for (const Procedure& proc : impl_->program->procs) {
        if (proc.isWatch)
            continue;
        list.push_back({impl_->program->modules[static_cast<std::size_t>(proc.module)].name,
                        proc.name, proc.line, proc.isFunction,
                        static_cast<int>(proc.params.size())});
    }
    return list;
}

Interrupt& Engine::GetInterrupt() {
    return impl_->interrupt;
}

RunState Engine::State() const {
    return impl_->machine ? impl_->machine->State() : RunState::Idle;
}

bool Engine::IsRunning() const {
    return impl_->Running();
}

const RunErrorInfo& Engine::LastError() const {
    const RunErrorInfo& start = impl_->startError;
    const bool startFailed = start.number != 0 || !start.description.empty();
    if (!startFailed && impl_->machine &&
        (impl_->machine->State() == RunState::Failed ||
         impl_->machine->State() == RunState::Stopped)) {
        return impl_->machine->Error();
    }
    return start;
}

void Engine::Pause() {
    if (impl_->machine) {
        impl_->machine->Pause();
    }
}

void Engine::Resume(StepMode mode) {
    if (impl_->machine) {
        impl_->machine->Resume(mode);
    }
}

void Engine::RunToLine(const std::string& module, int line) {
    const int m = impl_->ModuleIndex(module);
    if (impl_->machine && m >= 0) {
        impl_->machine->RunToLine(m, line);
    }
}

void Engine::Stop() {
    if (impl_->machine) {
        impl_->machine->Stop();
    }
}

void Engine::SetBreakpoint(const std::string& module, int line, bool on) {
    if (on) {
        impl_->breakpoints.insert({Lower(module), line});
    } else {
        impl_->breakpoints.erase({Lower(module), line});
    }
    const int m = impl_->ModuleIndex(module);
    if (impl_->machine && m >= 0) {
        impl_->machine->SetBreakpoint(m, line, on);
    }
}

SourceLocation Engine::CurrentLocation() const {
    if (!impl_->Running() || impl_->machine->Frames().empty()) {
        return {};
    }
    const auto& frames = impl_->machine->Frames();
    const Machine::Frame& top = frames.back();
    return {impl_->program->modules[static_cast<std::size_t>(top.proc->module)].name,
            impl_->machine->CurrentLine(frames.size() - 1)};
}

std::vector<CallFrameInfo> Engine::CallStack() const {
    std::vector<CallFrameInfo> stack;
    if (!impl_->Running()) {
        return stack;
    }
    const auto& frames = impl_->machine->Frames();
    for (std::size_t i = frames.size(); i-- > 0;) {
        const Machine::Frame& f = frames[i];
        CallFrameInfo info;
        info.module = impl_->program->modules[static_cast<std::size_t>(f.proc->module)].name;
        info.procedure = f.proc->name;
        info.line = impl_->machine->CurrentLine(i);
        for (int s = 0; s < f.proc->slots.Count(); ++s) {
            const std::string& name = f.proc->slots.names[static_cast<std::size_t>(s)];
            if (!name.empty()) {
                info.locals.push_back({name, DescribeValue(f.base[s])});
            }
        }
        stack.push_back(std::move(info));
    }
    return stack;
}

bool Engine::EvaluateValue(const std::string& expression, Variant& result, std::string& error,
                           std::size_t frame) {
    if (!impl_->machine || impl_->machine->State() != RunState::Paused) {
        error = "no script is paused";
        return false;
    }
    const auto& frames = impl_->machine->Frames();
    if (frame >= frames.size()) {
        error = "no such frame";
        return false;
    }
    const std::size_t index = frames.size() - 1 - frame;
    const Procedure* proc = frames[index].proc;
    const int procIndex = static_cast<int>(proc - impl_->program->procs.data());
    Procedure watch;
    if (!CompileWatch(*impl_->program, procIndex, proc->module, impl_->hostInfos, expression, watch,
                      error)) {
        return false;
    }
    return impl_->machine->Evaluate(watch, index, result, error);
}

bool Engine::Evaluate(const std::string& expression, std::string& result, std::size_t frame) {
    Variant value;
    if (!EvaluateValue(expression, value, result, frame)) {
        return false;
    }
    result = DescribeValue(value);
    return true;
}

std::string Engine::Disassembly(const std::string& module, const std::string& procedure) const {
    const int index = impl_->FindProcedure(module, procedure);
    return index < 0 ? std::string()
                     : Disassemble(impl_->program->procs[static_cast<std::size_t>(index)]);
}

} // namespace vek::basic
