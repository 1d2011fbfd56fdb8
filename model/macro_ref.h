#pragma once

#include <string>

namespace vek {

class CMacro;

// A register's or variable's use of a macro by name. The link step binds it to the macro of that
// name; until then, or when the name is unresolved, running it does nothing.
class MacroRef {
public:
    explicit MacroRef(std::string name) : name_(std::move(name)) {}

    const std::string& GetName() const { return name_; }
    CMacro* GetMacro() const { return macro_; }
    void Bind(CMacro* macro) { macro_ = macro; }

    // Runs the bound macro with argument 0; false when the macro did not run as it should.
    bool Run() const;

private:
    std::string name_;
    CMacro* macro_ = nullptr; // owned by the document's macro list
};

} // namespace vek
