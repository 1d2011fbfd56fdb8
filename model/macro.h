#pragma once

#include <string>

namespace vek {

// The common base of register macros and script macros.
class CMacro {
public:
    virtual ~CMacro() = default;

    // Runs the macro; callers pass 0. False when it did not run to its end as it should: a
    // register macro refuses to start again while it runs, and a run that met such a refusal
    // fails as well.
    virtual bool Run(int arg) = 0;
    virtual const std::string& GetName() const { return name_; }
    virtual void SetName(std::string name) { name_ = std::move(name); }

private:
    std::string name_;
};

} // namespace vek
