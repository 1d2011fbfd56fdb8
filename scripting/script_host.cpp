#include "scripting/script_host.h"

#include "document/vek_doc.h"
#include "platform/host.h"
#include "scripting/constants_module.h"
#include "scripting/utility_functions.h"

namespace vek {

ScriptHost::ScriptHost(Host& host, std::function<void(const std::string&)> print)
    : host_(host), magic_(host), extension_(host, magic_) {
    callbacks_.print = print;
    callbacks_.debugPrint = print;
    callbacks_.msgBox = [this](const std::string& prompt, int buttons, const std::string& title) {
        return AskThroughHost(prompt, buttons, title);
    };
    callbacks_.inputBox = [this](const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
        return host_.AskText(prompt, title, defaultText);
    };
    engine_.SetCallbacks(callbacks_);
    extension_.AddTo(engine_);
    engine_.SetSharedCode(std::string(kUtilityFunctions));
}

int ScriptHost::AskThroughHost(const std::string& prompt, int buttons, const std::string& title) {
    // Buttons 1 (OK/Cancel) and 4 (Yes/No) ask; anything else only tells.
    const std::string text = title.empty() ? prompt : title + ": " + prompt;
    const int kind = buttons & 0x0F;
    if (kind == 1 || kind == 4) {
        const QuestionKind question = kind == 1 ? QuestionKind::OkCancel : QuestionKind::YesNo;
        switch (host_.Ask(text, question)) {
        case Answer::Ok:
            return 1;
        case Answer::Cancel:
            return 2;
        case Answer::Yes:
            return 6;
        case Answer::No:
            return 7;
        }
    }
    host_.Message(text, true);
    return 1;
}

void ScriptHost::SetMsgBox(MsgBox msgBox) {
    callbacks_.msgBox = std::move(msgBox);
    engine_.SetCallbacks(callbacks_);
}

void ScriptHost::SetInputBox(InputBox inputBox) {
    callbacks_.inputBox = std::move(inputBox);
    engine_.SetCallbacks(callbacks_);
}

const std::string& ScriptHost::ConstantsModule() const {
    return engine_.ModuleSource(kConstantsModuleName);
}

void ScriptHost::SetUp(CVekDoc& document, ScriptRunner* runner) {
    extension_.SetDocument(&document);
    loadedFiles_.clear();
    if (const CItemList* items = document.GetItems()) {
        // The engine keeps the one copy: the constants are as large as the description.
        engine_.SetGeneratedModule(kConstantsModuleName, [items, this] {
            return BuildConstantsModule(*items, extension_);
        });
    }
    for (const auto& macro : document.GetScriptMacros()) {
        macro->SetRunner(runner != nullptr ? runner : this);
        if (!macro->IsValid() || !macro->LoadIntoEditor())
            continue;
        std::string error;
        if (engine_.LoadModuleFile(macro->GetFile(), error))
            loadedFiles_.push_back(macro->GetFile());
        else
            host_.Message("Script macro '" + macro->GetName() + "' not loaded: " + error, true);
    }
}

void ScriptHost::Detach() {
    extension_.SetDocument(nullptr);
    engine_.SetGeneratedModule(kConstantsModuleName, [] { return std::string(); });
}

void ScriptHost::BeginRun() {
    errorText_.clear();
    ending_ = Ending::Failed;
    if (timeLimit_.count() > 0)
        engine_.GetInterrupt().SetDeadline(std::chrono::steady_clock::now() + timeLimit_);
}

bool ScriptHost::Start(const std::string& module, const std::string& procedure) {
    BeginRun();
    if (engine_.Start(module, procedure))
        return true;
    Finish(basic::RunState::Failed);
    return false;
}

bool ScriptHost::Run(const std::string& path) {
    BeginRun();
    basic::RunState state = basic::RunState::Failed;
    if (engine_.RunFile(path))
        state = engine_.RunToEnd();
    // Paused by Stop or a failed Debug.Assert: a run to the end has nobody to resume it.
    const int stoppedAt = state == basic::RunState::Paused ? engine_.CurrentLocation().line : 0;
    if (Finish(state))
        return true;
    if (errorText_.empty()) {
        errorText_ = stoppedAt > 0
                         ? "The script " + path + " stopped at line " + std::to_string(stoppedAt) +
                               " (Stop or a failed Debug.Assert) and was ended"
                         : "The script " + path + " did not run to its end";
        host_.Message(errorText_, true);
    }
    return false;
}

bool ScriptHost::Finish(basic::RunState state) {
    // The raise and the deadline belong to this run: the next script starts without them.
    basic::Interrupt& interrupt = engine_.GetInterrupt();
    const basic::Interrupt::Reason reason = interrupt.Check();
    interrupt.ClearDeadline();
    interrupt.Clear();
    if (state == basic::RunState::Finished) {
        ending_ = Ending::Finished;
        return true;
    }
    for (const basic::Diagnostic& diagnostic : engine_.Diagnostics()) {
        if (diagnosticSink_)
            diagnosticSink_(diagnostic);
        else
            host_.Message(diagnostic.ToString(), true);
    }
    const basic::RunErrorInfo& error = engine_.LastError();
    const std::string where =
        error.module.empty() ? ""
                             : " (" + error.module + " line " + std::to_string(error.line) + ")";
    if (state == basic::RunState::Stopped && error.number != 0) {
        // Ended from outside between two statements: say why and where it stood.
        ending_ =
            reason == basic::Interrupt::Reason::Deadline ? Ending::TimeLimit : Ending::Interrupted;
        errorText_ = (ending_ == Ending::TimeLimit ? "Script stopped at its time limit in "
                                                   : "Script interrupted in ") +
                     error.procedure + where;
    } else if (error.number != 0) {
        errorText_ = "Error " + std::to_string(error.number) + ": " + error.description + where;
    }
    if (!errorText_.empty())
        host_.Message(errorText_, true);
    return false;
}

void ScriptHost::RunFile(const std::string& quotedPath) {
    Run(Unquoted(quotedPath));
}

CloseDecision ScriptHost::QueryClose() const {
    return engine_.IsRunning() ? CloseDecision::Busy : CloseDecision::Close;
}

} // namespace vek
