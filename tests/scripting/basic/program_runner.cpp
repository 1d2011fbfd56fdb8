#include "program_runner.h"

#include "scripting/utility_functions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vek::basic {

namespace {

struct Expectations {
    std::vector<std::string> lines;
    std::string error;        // "<number> at <line>"
    std::string compileError; // "<line>:<column> <text>"
};

// Print ends a number with a blank, which an editor may strip from an expectation: the blanks
// at a line's end are not compared.
std::string TrimmedEnd(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

Expectations ReadExpectations(const std::string& text) {
    Expectations e;
    std::istringstream in(text);
    std::string line;
    const std::string kLine = "' expect: ";
    const std::string kError = "' expect error: ";
    const std::string kCompile = "' expect compile error: ";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (auto at = line.find(kLine); at != std::string::npos) {
            e.lines.push_back(TrimmedEnd(line.substr(at + kLine.size())));
        } else if (line.find("' expect:") != std::string::npos &&
                   line.substr(line.find("' expect:")) == "' expect:") {
            e.lines.emplace_back();
        } else if (auto at2 = line.find(kError); at2 != std::string::npos) {
            e.error = line.substr(at2 + kError.size());
        } else if (auto at3 = line.find(kCompile); at3 != std::string::npos) {
            e.compileError = line.substr(at3 + kCompile.size());
        }
    }
    return e;
}

} // namespace

Engine::Callbacks RecordingCallbacks(std::vector<std::string>& lines) {
    Engine::Callbacks callbacks;
    callbacks.print = [&lines](const std::string& line) { lines.push_back(line); };
    callbacks.debugPrint = callbacks.print;
    callbacks.msgBox = [&lines](const std::string& prompt, int, const std::string&) {
        lines.push_back("MsgBox " + prompt);
        return 1;
    };
    return callbacks;
}

InScratchFolder::InScratchFolder() : previous_(std::filesystem::current_path()) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "vek_basic_" + std::to_string(getpid()) + "_" +
                       (test != nullptr ? std::string(test->name()) : std::string("run"));
    for (char& c : name) {
        c = c == '/' ? '_' : c;
    }
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
}

InScratchFolder::~InScratchFolder() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void CheckProgram(const std::string& name, const std::string& text) {
    const Expectations expected = ReadExpectations(text);
    const InScratchFolder scratch;

    RecordingEngine engine;
    engine.SetSharedCode(std::string(kUtilityFunctions));
    engine.SetModule(name, text);

    if (!expected.compileError.empty()) {
        ASSERT_FALSE(engine.Compile());
        ASSERT_FALSE(engine.Diagnostics().empty());
        const Diagnostic& d = engine.Diagnostics().front();
        EXPECT_EQ(std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.message,
                  expected.compileError);
        return;
    }
    const bool compiled = engine.Compile();
    std::string diagnostics;
    for (const Diagnostic& d : engine.Diagnostics()) {
        diagnostics += d.ToString() + "\n";
    }
    ASSERT_TRUE(compiled) << diagnostics;
    ASSERT_TRUE(engine.Start(name, "Main")) << engine.LastError().description;
    // A program that runs away fails the test instead of hanging it.
    RunState state = RunState::Running;
    for (int slice = 0; slice < 1000 && (state == RunState::Running || state == RunState::Waiting);
         ++slice) {
        state = engine.Run(Engine::kDefaultSlice);
        if (state == RunState::Waiting) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ASSERT_NE(state, RunState::Running) << "still running after 10^8 statements";
    if (expected.error.empty()) {
        EXPECT_EQ(state, RunState::Finished)
            << engine.LastError().number << " " << engine.LastError().description << " line "
            << engine.LastError().line;
    } else {
        EXPECT_EQ(state, RunState::Failed);
        EXPECT_EQ(std::to_string(engine.LastError().number) + " at " +
                      std::to_string(engine.LastError().line),
                  expected.error)
            << engine.LastError().description;
    }
    std::vector<std::string> printed;
    for (const std::string& line : engine.output) {
        printed.push_back(TrimmedEnd(line));
    }
    EXPECT_EQ(printed, expected.lines);
}

} // namespace vek::basic
