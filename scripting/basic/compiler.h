#pragma once

#include "scripting/basic/diagnostic.h"
#include "scripting/basic/program.h"
#include "scripting/basic/scanner.h"

#include <string>
#include <vector>

namespace vek::basic {

struct SourceModule {
    std::string name;
    std::string text;
    bool shared = false; // code the host adds for all modules: its procedures are all Public
    // Generated modules (the register constants) take every name a description may give, and a
    // constant they declare again keeps its first value: the description may use one name in
    // several devices. A value past its declared type stays as it is (numbers past 32767).
    ModuleText kind = ModuleText::Script;
};

// A function the host offers to scripts as a global procedure or function.
struct HostFunctionInfo {
    std::string name;
    int minArgs = 0;
    int maxArgs = 0;
    Tag result = Tag::Empty; // the kind of its result where fixed, as for built-in functions
};

// Parses, checks and compiles all modules together, so that calls between modules are bound once
// here and the machine never looks a name up while it runs. `errors` receives every compile error.
bool CompileProgram(const std::vector<SourceModule>& modules,
                    const std::vector<HostFunctionInfo>& hostFunctions, Program& program,
                    std::vector<Diagnostic>& errors);

// Compiles a debugger expression against the slots of procedure `procIndex` (or module scope
// only, for -1) of a compiled program. The result is a watch procedure the machine runs on the
// paused frame's slots.
bool CompileWatch(const Program& program, int procIndex, int module,
                  const std::vector<HostFunctionInfo>& hostFunctions, const std::string& text,
                  Procedure& out, std::string& error);

} // namespace vek::basic
