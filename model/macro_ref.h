#pragma once

#include <string>
#include <vector>

namespace vek {

class CMacro;

// A register's or variable's use of a macro by name. The link step binds it to the macro of that
// name; until then, or when the name is unresolved, running it does nothing.
class CMacroRef {
public:
    explicit CMacroRef(std::string name, std::vector<std::string> arguments = {})
        : name_(std::move(name)), arguments_(std::move(arguments)) {}

    const std::string& GetName() const { return name_; }
    const std::vector<std::string>& GetArguments() const { return arguments_; }
    CMacro* GetMacro() const { return macro_; }
    void Bind(CMacro* macro) { macro_ = macro; }

    // Runs the bound macro with argument 0; false when nothing is bound.
    bool Run() const;

private:
    std::string name_;
    std::vector<std::string> arguments_;
    CMacro* macro_ = nullptr; // owned by the document's macro list
};

} // namespace vek
