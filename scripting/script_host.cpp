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
    bool ok = engine_.RunFile(path);
    if (ok) {
        const basic::RunState state = engine_.RunToEnd();
        ok = state == basic::RunState::Finished;
    }
    if (!ok) {
        for (const basic::Diagnostic& diagnostic : engine_.Diagnostics())
            host_.Message(diagnostic.ToString(), true);
        const basic::RunErrorInfo& error = engine_.LastError();
        if (error.number != 0) {
            errorText_ = "Error " + std::to_string(error.number) + ": " + error.description;
            if (!error.module.empty())
                errorText_ += " (" + error.module + " line " + std::to_string(error.line) + ")";
        } else {
            errorText_ = "The script " + path + " did not run to its end";
        }
        host_.Message(errorText_, true);
    }
    return ok;
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
