// Runs every program under programs/ and compares what it prints with the expectations written
// in it:  ' expect: <line>   one output line, in order
//         ' expect error: <number> at <line>   the run ends with that run-time error
//         ' expect compile error: <line>:<column> <text>   compiling fails with that message
#include "scripting/basic/engine.h"
#include "tests/scripting/basic/utility_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace vek::basic {
namespace {

struct Expectations {
    std::vector<std::string> lines;
    std::string error;         // "<number> at <line>"
    std::string compile_error; // "<line>:<column> <text>"
};

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
            e.lines.push_back(line.substr(at + kLine.size()));
        } else if (line.find("' expect:") != std::string::npos &&
                   line.substr(line.find("' expect:")) == "' expect:") {
            e.lines.emplace_back();
        } else if (auto at2 = line.find(kError); at2 != std::string::npos) {
            e.error = line.substr(at2 + kError.size());
        } else if (auto at3 = line.find(kCompile); at3 != std::string::npos) {
            e.compile_error = line.substr(at3 + kCompile.size());
        }
    }
    return e;
}

std::vector<std::string> ProgramNames() {
    std::vector<std::string> names;
    const std::filesystem::path dir =
        std::filesystem::path(VEK_SOURCE_DIR) / "tests/scripting/basic/programs";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().extension() == ".bas") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Conformance : public testing::TestWithParam<std::string> {};

TEST_P(Conformance, PrintsWhatItExpects) {
    const std::filesystem::path file = std::filesystem::path(VEK_SOURCE_DIR) /
                                       "tests/scripting/basic/programs" / (GetParam() + ".bas");
    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << file;
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    const Expectations expected = ReadExpectations(text);

    std::vector<std::string> output;
    Engine engine;
    Engine::Callbacks callbacks;
    callbacks.print = [&](const std::string& line) { output.push_back(line); };
    callbacks.debug_print = callbacks.print;
    callbacks.msg_box = [&](const std::string& prompt, int, const std::string&) {
        output.push_back("MsgBox " + prompt);
        return 1;
    };
    engine.SetCallbacks(callbacks);
    engine.SetSharedCode(kUtilityFunctions);
    engine.SetModule(GetParam(), text);

    if (!expected.compile_error.empty()) {
        ASSERT_FALSE(engine.Compile());
        ASSERT_FALSE(engine.Diagnostics().empty());
        const Diagnostic& d = engine.Diagnostics().front();
        EXPECT_EQ(std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.message,
                  expected.compile_error);
        return;
    }
    const bool compiled = engine.Compile();
    std::string diagnostics;
    for (const Diagnostic& d : engine.Diagnostics()) {
        diagnostics += d.ToString() + "\n";
    }
    ASSERT_TRUE(compiled) << diagnostics;
    ASSERT_TRUE(engine.Start(GetParam(), "Main")) << engine.LastError().description;
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
    EXPECT_EQ(output, expected.lines);
}

INSTANTIATE_TEST_SUITE_P(Programs, Conformance, testing::ValuesIn(ProgramNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

} // namespace
} // namespace vek::basic
