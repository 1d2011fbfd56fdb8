// Malformed and hostile programs: random mutations of the conformance programs, random text and
// deep nesting must end in compile or run-time errors, never in a crash or a hang.
#include "program_runner.h"
#include "scripting/basic/engine.h"
#include "scripting/basic/script_memory.h"
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
        "(",        ")",          "\"",         ",",        ":",        "_\n",       " If ",
        " Then ",   " End ",      " For ",      " Next ",   " Do ",     " Loop ",    "Sub ",
        "()",       " = ",        "&H",         "1E999",    "-",        " Exit For", "GoTo x",
        "x:",       "ReDim",      " Preserve ", "Array(",   "(0)",      "Resume",    "On Error ",
        " Select ", " Case ",     "'",          "\n",       "ByRef ",   ".",         "Err.Raise 5",
        " As Long", "9999999999", "Mid(",       "Wait -1",  "Rem",      " With ",    "End With",
        ".x",       "(1).",       " As Point",  "Type T\n", "End Type",
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
    const InScratchFolder scratch; // mutants of the file programs write and delete files
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
    const InScratchFolder scratch;
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

// Joins `count` copies of `term` with `op`.
std::string Chain(const std::string& term, const std::string& op, int count) {
    std::string text = term;
    for (int i = 1; i < count; ++i) {
        text += op + term;
    }
    return text;
}

TEST(BasicFuzz, DeepNestingIsRejectedWithAMessage) {
    Engine engine;
    engine.SetModule("m", "Sub Main()\n x = " + std::string(5000, '(') + "1" +
                              std::string(5000, ')') + "\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message, "nesting too deep");

    // Blocks nested past the limit are reported once, not once for every line below the limit.
    std::string blocks = "Sub Main()\n";
    for (int i = 0; i < 10000; ++i) {
        blocks += "If 1 Then\n";
    }
    for (int i = 0; i < 10000; ++i) {
        blocks += "End If\n";
    }
    engine.SetModule("m", blocks + "End Sub\n");
    EXPECT_FALSE(engine.Compile());
    ASSERT_EQ(engine.Diagnostics().size(), 1u);
    EXPECT_EQ(engine.Diagnostics()[0].ToString(), "m(201,4): nesting too deep");
    engine.SetModule("m", "Sub Main()\n " + Chain("If 1 Then", " ", 3000) + " x = 1\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics().size(), 1u);

    engine.SetModule("m", "Sub Main()\n x = " + std::string(5000, '-') + "1\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
}

TEST(BasicFuzz, LongOperatorChainsAreRejectedWithOneMessage) {
    // Constant, variable and continued chains: each walk over them (the parser, the constant
    // evaluator, the compiler, the tree's release) recursed once per term.
    const std::string chains[] = {Chain("1", "+", 50000), Chain("y", " & ", 50000),
                                  "1" + Chain(" _\n+ 1", "", 30000), Chain("-1", "*", 20000)};
    for (const std::string& chain : chains) {
        Engine engine;
        engine.SetModule("m", "Sub Main()\n Dim y\n x = " + chain + "\nEnd Sub\n");
        EXPECT_FALSE(engine.Compile());
        ASSERT_EQ(engine.Diagnostics().size(), 1u);
        EXPECT_EQ(engine.Diagnostics()[0].message, "expression too complex");
    }
    // A watch expression goes through the same parser.
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\n Stop\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    ASSERT_EQ(engine.Run(), RunState::Paused);
    std::string result;
    EXPECT_FALSE(engine.Evaluate(Chain("1", "+", 50000), result));
    EXPECT_EQ(result, "expression too complex");
    engine.Stop();

    // Below the limit a chain compiles and runs.
    engine.SetModule("m", "Sub Main()\n Print " + Chain("1", "+", 999) + "\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 999 "});
}

TEST(BasicFuzz, LongChainsOfConstantsAreRejected) {
    std::string module;
    for (int i = 0; i < 20000; ++i) {
        module += "Const C" + std::to_string(i) + " = C" + std::to_string(i + 1) + " + 1\n";
    }
    Engine engine;
    engine.SetModule("m", module + "Const C20000 = 0\nSub Main()\nEnd Sub\n");
    EXPECT_FALSE(engine.Compile());
    ASSERT_FALSE(engine.Diagnostics().empty());
    EXPECT_EQ(engine.Diagnostics()[0].ToString(),
              "m(1001,7): constant defined through too many other constants: C1000");
}

TEST(BasicFuzz, ArraysNestedWithoutEndFailWithAnError) {
    Engine engine;
    engine.SetModule("m", "Sub Main()\n Dim a, i\n For i = 1 To 100000\n  a = Array(a)\n Next\n"
                          "End Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Failed);
    EXPECT_EQ(engine.LastError().number, 7);
}

TEST(BasicFuzz, ValuesPiledUpPastTheMemoryBudgetEndInError7) {
    // Strings of 60 MB kept in an array, made by Space (which asks first) and by a function that
    // copies its argument (checked after): the seventeenth string still fits the budget of 1 GiB,
    // the eighteenth does not. What the script held is given back when it ends.
    RecordingEngine engine;
    engine.SetModule("m", R"(Dim seed
Function Pile(copies)
    Dim a(100), i
    On Error GoTo full
    For i = 0 To 100
        If copies Then a(i) = UCase(seed) Else a(i) = Space(60000000)
    Next
full:
    Pile = Err.Number & " " & Err.Description & " at " & i
End Function

Sub Main()
    Print Pile(False)
    seed = Space(60000000)
    Print Pile(True)
End Sub
)");
    ASSERT_TRUE(engine.Compile());
    const std::int64_t before = ScriptMemoryInUse();
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished) << engine.LastError().description;
    EXPECT_EQ(engine.output,
              (std::vector<std::string>{"7 Out of memory at 17", "7 Out of memory at 16"}));
    engine.Stop();
    engine.Compile(); // releases the module variables
    EXPECT_EQ(ScriptMemoryInUse(), before);
}

TEST(BasicFuzz, HugeAllocationsFailWithErrorsTheScriptCanHandle) {
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\n On Error Resume Next\n ReDim a(1000000000)\n"
                          " Print Err.Number\n Err.Clear\n s = Space(2000000000)\n"
                          " Print Err.Number\n Err.Clear\n Dim b(2, 2, 2, 2, 2, 2, 2, 2)\n"
                          " s = String(40000000, \"x\")\n s = s & s\n Print Err.Number\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished) << engine.LastError().description;
    EXPECT_EQ(engine.output, (std::vector<std::string>{" 7 ", " 14 ", " 14 "}));
}

} // namespace
} // namespace vek::basic
