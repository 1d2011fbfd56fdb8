#pragma once

#include "scripting/basic/engine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace vek::basic {

// Callbacks that keep every line Print and Debug.Print write in `lines`; MsgBox adds
// "MsgBox <prompt>" there and answers OK; InputBox answers its default.
Engine::Callbacks RecordingCallbacks(std::vector<std::string>& lines);

// An engine that keeps those lines in `output`.
class RecordingEngine : public Engine {
public:
    RecordingEngine() { SetCallbacks(RecordingCallbacks(output)); }
    std::vector<std::string> output;
};

// While it lives, the current folder is a new empty one of its own: programs that make, list and
// delete files (mutated ones too) touch nothing else.
class InScratchFolder {
public:
    InScratchFolder();
    ~InScratchFolder();
    InScratchFolder(const InScratchFolder&) = delete;
    InScratchFolder& operator=(const InScratchFolder&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

// Compiles `text` as module `name` beside the utility functions, runs its Main and checks what it
// prints against the expectations written in it (GoogleTest assertions):
//   ' expect: <line>                              one output line, in order
//   ' expect error: <number> at <line>            the run ends with that run-time error
//   ' expect compile error: <line>:<column> <text> compiling fails with that message
// It runs in a scratch folder.
void CheckProgram(const std::string& name, const std::string& text);

} // namespace vek::basic
