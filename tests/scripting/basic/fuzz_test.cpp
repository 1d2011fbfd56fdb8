// Malformed and hostile programs: random mutations of the conformance programs, random text and
// deep nesting must end in compile or run-time errors, never in a crash or a hang.
#include "program_runner.h"
#include "scripting/basic/engine.h"
#include "scripting/utility_functions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace vek::basic {
namespace {

// Mutants per conformance program, and statements each may run.
constexpr int kMutantsPerProgram = 60;
constexpr std::int64_t kStatementsPerMutant = 20000;

std::vector<std::string> ConformancePrograms() {
    std::vector<std::string> texts;
    const std::filesystem::path dir =
        std::filesystem::path(VEK_SOURCE_DIR) / "tests/scripting/basic/programs";
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        texts.push_back(text.str());
    }
    return texts;
}

// Compiles and, when that succeeds, runs Main for a bounded number of statements.
void CompileAndRun(const std::string& text) {
    RecordingEngine engine;
    engine.SetSharedCode(std::string(kUtilityFunctions));
    engine.SetModule("m", text);
    if (!engine.Compile()) {
        for (const Diagnostic& d : engine.Diagnostics()) {
            ASSERT_FALSE(d.message.empty());
            ASSERT_GT(d.line, 0);
        }
        return;
    }
    if (engine.Start("m")) {
        engine.Run(kStatementsPerMutant);
        engine.Stop();
        EXPECT_FALSE(engine.IsRunning());
    }
}

std::string Mutate(std::string text, std::mt19937& random) {
    static const char* const kFragments[] = {
        "(",        ")",          "\"",         ",",       ":",      "_\n",       " If ",
        " Then ",   " End ",      " For ",      " Next ",  " Do ",   " Loop ",    "Sub ",
        "()",       " = ",        "&H",         "1E999",   "-",      " Exit For", "GoTo x",
        "x:",       "ReDim",      " Preserve ", "Array(",  "(0)",    "Resume",    "On Error ",
        " Select ", " Case ",     "'",          "\n",      "ByRef ", ".",         "Err.Raise 5",
        " As Long", "9999999999", "Mid(",       "Wait -1", "Rem",
    };
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        const std::size_t at = random() % text.size();
        switch (random() % 5) {
        case 0:
            text.erase(at, 1 + random() % 12);
            break;
        case 1:
            text.insert(at, kFragments[random() % std::size(kFragments)]);
            break;
        case 2: {
            const std::size_t from = random() % text.size();
            text.insert(at, text.substr(from, 1 + random() % 40));
            break;
        }
        case 3:
            text[at] = static_cast<char>(random() % 256);
            break;
        default:
            text.resize(at);
            break;
        }
    }
    return text;
}

TEST(BasicFuzz, MutatedConformanceProgramsNeverCrash) {
    std::mt19937 random(20240607);
    for (const std::string& program : ConformancePrograms()) {
        for (int i = 0; i < kMutantsPerProgram; ++i) {
            const std::string mutant = Mutate(program, random);
            SCOPED_TRACE(mutant);
            CompileAndRun(mutant);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

TEST(BasicFuzz, RandomTextNeverCrashesTheScannerOrParser) {
    std::mt19937 random(7);
    const std::string alphabet = "abcxyz019 \n\t:'\"()&H.,_=<>+-*/\\^#![]$%";
    for (int i = 0; i < 500; ++i) {
        std::string text;
        const std::size_t length = random() % 200;
        for (std::size_t k = 0; k < length; ++k) {
            text.push_back(alphabet[random() % alphabet.size()]);
        }
        CompileAndRun("Sub Main()\n" + text + "\nEnd Sub\n");
        CompileAndRun(text);
    }
}

TEST(BasicFuzz, DeepNestingIsRejectedWithAMessage) {
    Engine engine;
    engine.SetModule("m", "Sub Main()\n x = " + std::string(5000, '(') + "1" +
                              std::string(5000, ')') + "\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message, "nesting too deep");

    std::string blocks = "Sub Main()\n";
    for (int i = 0; i < 3000; ++i) {
        blocks += "If 1 Then\n";
    }
    engine.SetModule("m", blocks);
    EXPECT_FALSE(engine.Compile());

    engine.SetModule("m", "Sub Main()\n x = " + std::string(5000, '-') + "1\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
}

TEST(BasicFuzz, ArraysNestedWithoutEndFailWithAnError) {
    Engine engine;
    engine.SetModule("m", "Sub Main()\n Dim a, i\n For i = 1 To 100000\n  a = Array(a)\n Next\n"
                          "End Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Failed);
    EXPECT_EQ(engine.LastError().number, 7);
}

TEST(BasicFuzz, HugeAllocationsFailWithErrorsTheScriptCanHandle) {
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\n On Error Resume Next\n ReDim a(1000000000)\n"
                          " Print Err.Number\n Err.Clear\n s = Space(2000000000)\n"
                          " Print Err.Number\n Err.Clear\n Dim b(2, 2, 2, 2, 2, 2, 2, 2)\n"
                          " s = String(40000000, \"x\")\n s = s & s\n Print Err.Number\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished) << engine.LastError().description;
    EXPECT_EQ(engine.output, (std::vector<std::string>{"7", "14", "14"}));
}

} // namespace
} // namespace vek::basic
