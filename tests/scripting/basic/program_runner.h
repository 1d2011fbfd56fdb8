#pragma once

#include <string>

namespace vek::basic {

// Compiles `text` as module `name` beside the utility functions, runs its Main and checks what it
// prints against the expectations written in it (GoogleTest assertions):
//   ' expect: <line>                              one output line, in order
//   ' expect error: <number> at <line>            the run ends with that run-time error
//   ' expect compile error: <line>:<column> <text> compiling fails with that message
void CheckProgram(const std::string& name, const std::string& text);

} // namespace vek::basic
