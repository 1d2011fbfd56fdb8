#include "scripting/script_host.h"

#include "document/vek_doc.h"
#include "platform/host.h"
#include "scripting/constants_module.h"
#include "scripting/utility_functions.h"

namespace vek {

ScriptHost::ScriptHost(Host& host, std::function<void(const std::string&)> print)
    : host_(host), magic_(host), extension_(host, magic_) {
    basic::Engine::Callbacks callbacks;
    callbacks.print = print;
    callbacks.debugPrint = print;
    callbacks.msgBox = [this](const std::string& prompt, int buttons, const std::string& title) {
        // Buttons 1 (OK/Cancel) and 4 (Yes/No) ask; anything else only tells.
        const int kind = buttons & 0x0F;
        if (kind == 1 || kind == 4) {
            const QuestionKind question = kind == 1 ? QuestionKind::OkCancel : QuestionKind::YesNo;
            switch (host_.Ask(title.empty() ? prompt : title + ": " + prompt, question)) {
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
        host_.Message(title.empty() ? prompt : title + ": " + prompt, true);
        return 1;
    };
    callbacks.inputBox = [this](const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
        return host_.AskText(prompt, title, defaultText);
    };
    engine_.SetCallbacks(std::move(callbacks));
    extension_.AddTo(engine_);
    engine_.SetSharedCode(std::string(kUtilityFunctions));
}

void ScriptHost::SetUp(CVekDoc& document) {
    extension_.SetDocument(&document);
    if (document.GetItems() != nullptr)
        engine_.SetGeneratedModule(kConstantsModuleName,
                                   BuildConstantsModule(*document.GetItems(), extension_));
    for (const auto& macro : document.GetScriptMacros()) {
        macro->SetRunner(this);
        std::string error;
        if (macro->IsValid() && macro->LoadIntoEditor() &&
            !engine_.LoadModuleFile(macro->GetFile(), error))
            host_.Message(error, false);
    }
}

bool ScriptHost::Run(const std::string& path) {
    errorText_.clear();
    ending_ = Ending::Failed;
    basic::Interrupt& interrupt = engine_.GetInterrupt();
    if (timeLimit_.count() > 0)
        interrupt.SetDeadline(std::chrono::steady_clock::now() + timeLimit_);
    basic::RunState state = basic::RunState::Failed;
    if (engine_.RunFile(path))
        state = engine_.RunToEnd();
    // The raise and the deadline belong to this run: the next script starts without them.
    const basic::Interrupt::Reason reason = interrupt.Check();
    interrupt.ClearDeadline();
    interrupt.Clear();
    if (state == basic::RunState::Finished) {
        ending_ = Ending::Finished;
        return true;
    }
    for (const basic::Diagnostic& diagnostic : engine_.Diagnostics())
        host_.Message(diagnostic.ToString(), true);
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
    } else {
        errorText_ = "The script " + path + " did not run to its end";
    }
    host_.Message(errorText_, true);
    return false;
}

void ScriptHost::RunFile(const std::string& quotedPath) {
    std::string path = quotedPath;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    Run(path);
}

CloseDecision ScriptHost::QueryClose() const {
    return engine_.IsRunning() ? CloseDecision::Busy : CloseDecision::Close;
}

} // namespace vek
