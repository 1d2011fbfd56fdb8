#pragma once

#include "model/basic_macro.h"
#include "scripting/basic/engine.h"
#include "scripting/extension.h"
#include "scripting/magic_services.h"

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vek {

class CVekDoc;
class Host;

// What a frame that hosts script editors does with a close request: close, wait and ask again
// while a script still runs, or stay open.
enum class CloseDecision { Close, Busy, Refuse };
// A frame whose script still runs asks again this often whether it may close.
inline constexpr int kCloseRetryMs = 500;

// Runs the Basic scripts of an open description without windows: the engine with the extension
// object, the generated constants module and the utility functions; script macros run through
// it. Print and Debug.Print go to `print`; DebugOut and transfer messages to the host.
class ScriptHost : public ScriptRunner {
public:
    ScriptHost(Host& host, std::function<void(const std::string&)> print);

    // MsgBox asks through the host (OK/Cancel and Yes/No as questions, anything else as a
    // message line) until a window program gives dialogs of its own.
    using MsgBox =
        std::function<int(const std::string& prompt, int buttons, const std::string& title)>;
    void SetMsgBox(MsgBox msgBox);
    // InputBox asks the host's AskText (the terminal for vek) until a window program gives a
    // dialog of its own: the text, or nullopt for Cancel.
    using InputBox = std::function<std::optional<std::string>(
        const std::string& prompt, const std::string& title, const std::string& defaultText)>;
    void SetInputBox(InputBox inputBox);

    // Gives the engine the constants module of the document (built when first needed), loads the
    // script macros' files that ask for it, and makes `runner` (this host when null) the runner
    // of the document's script macros.
    void SetUp(CVekDoc& document, ScriptRunner* runner = nullptr);
    // The document is going: nothing may build its constants or reach its items any more.
    void Detach();
    // The constants module's text and the files loaded as modules at the last set-up.
    const std::string& ConstantsModule() const;
    const std::vector<std::string>& LoadedFiles() const { return loadedFiles_; }

    // How the last Run ended.
    enum class Ending { Finished, Failed, Interrupted, TimeLimit };

    // Runs the Main of a Basic file to its end; false when it could not start, ended with a
    // run-time error, or was ended from outside (the engine's interrupt, the time limit). The
    // text that says which and where is then in ErrorText(), and went to the host too.
    bool Run(const std::string& path);
    void RunFile(const std::string& quotedPath) override;
    // The same in steps, for a host that runs the engine's slices itself: Start a procedure of
    // a module (false: it could not, and Finish has been done), then Finish with the state the
    // last slice left.
    bool Start(const std::string& module, const std::string& procedure);
    bool Finish(basic::RunState state);
    const std::string& ErrorText() const { return errorText_; }
    Ending LastEnding() const { return ending_; }
    // Each Run after this ends after `limit` as if interrupted (zero: no limit).
    void SetTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }
    // Where a failed run's compile errors go instead of the output window (none: the window).
    using DiagnosticSink = std::function<void(const basic::Diagnostic&)>;
    void SetDiagnosticSink(DiagnosticSink sink) { diagnosticSink_ = std::move(sink); }

    CloseDecision QueryClose() const;

    basic::Engine& Engine() { return engine_; }
    CExtension& Extension() { return extension_; }

private:
    int AskThroughHost(const std::string& prompt, int buttons, const std::string& title);
    void BeginRun();

    Host& host_;
    ConsoleMagic magic_;
    basic::Engine engine_;
    CExtension extension_;
    basic::Engine::Callbacks callbacks_;
    std::vector<std::string> loadedFiles_;
    std::string errorText_;
    Ending ending_ = Ending::Finished;
    std::chrono::milliseconds timeLimit_{0};
    DiagnosticSink diagnosticSink_;
};

} // namespace vek
