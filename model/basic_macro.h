#pragma once

#include "model/macro.h"

#include <string>

namespace vek {

class Host;

// Runs Basic files for script macros; the scripting layer provides it.
class ScriptRunner {
public:
    virtual ~ScriptRunner() = default;
    // `quotedPath` is the file's path in double quotes.
    virtual void RunFile(const std::string& quotedPath) = 0;

    // The path inside the quotes (a text without them as it is).
    static std::string Unquoted(const std::string& quotedPath) {
        if (quotedPath.size() >= 2 && quotedPath.front() == '"' && quotedPath.back() == '"')
            return quotedPath.substr(1, quotedPath.size() - 2);
        return quotedPath;
    }
};

// A script macro of a description: a named Basic file, optionally offered on the macro bar and
// loaded into the script editor.
class CBasicMacro : public CMacro {
public:
    // Checks the file text of the description (quotes included) and keeps the file when it
    // exists; a relative name is taken from the description's folder. Warnings go to the host.
    void SetFile(const std::string& fileText, Host* host);
    const std::string& GetFile() const { return file_; }
    void SetDescriptionPath(std::string path) { descriptionPath_ = std::move(path); }
    bool OnMacroBar() const { return onBar_; }
    void SetOnMacroBar(bool onBar) { onBar_ = onBar; }
    bool LoadIntoEditor() const { return load_; }
    void SetLoadIntoEditor(bool load) { load_ = load; }
    bool IsValid() const { return !GetName().empty() && !file_.empty(); }

    void SetRunner(ScriptRunner* runner) { runner_ = runner; }
    ScriptRunner* Runner() const { return runner_; }
    bool Run(int arg) override;

private:
    std::string file_;
    std::string descriptionPath_;
    bool onBar_ = false;
    bool load_ = false;
    ScriptRunner* runner_ = nullptr;
};

} // namespace vek
