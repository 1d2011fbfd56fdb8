// Debugging between slices: breakpoints, stepping, call stack, locals, watch expressions.
#include "program_runner.h"
#include "scripting/basic/engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vek::basic {
namespace {

constexpr const char* kProgram = "Function Square(n)\n"                // 1
                                 "    Dim r\n"                         // 2
                                 "    r = n * n\n"                     // 3
                                 "    Square = r\n"                    // 4
                                 "End Function\n"                      // 5
                                 "\n"                                  // 6
                                 "Sub Main()\n"                        // 7
                                 "    Dim i, total\n"                  // 8
                                 "    For i = 1 To 3\n"                // 9
                                 "        total = total + Square(i)\n" // 10
                                 "    Next\n"                          // 11
                                 "    Print total\n"                   // 12
                                 "End Sub\n";                          // 13

class Debugger : public testing::Test {
protected:
    void SetUp() override {
        engine.SetModule("prog", kProgram);
        ASSERT_TRUE(engine.Compile());
    }
    int Line() const { return engine.CurrentLocation().line; }
    // Resumes in that mode and returns the line where the script pauses next.
    int Step(StepMode mode) {
        engine.Resume(mode);
        EXPECT_EQ(engine.Run(), RunState::Paused);
        return Line();
    }
    std::string Eval(const std::string& text, std::size_t frame = 0) {
        std::string result;
        if (!engine.Evaluate(text, result, frame)) {
            return "error: " + result;
        }
        return result;
    }

    RecordingEngine engine;
};

TEST_F(Debugger, BreakpointPausesWithCallStackLocalsAndWatches) {
    engine.SetBreakpoint("prog", 3, true);
    ASSERT_TRUE(engine.Start("prog"));
    EXPECT_EQ(engine.Run(), RunState::Paused);
    EXPECT_TRUE(engine.IsRunning());
    EXPECT_EQ(engine.CurrentLocation().module, "prog");
    EXPECT_EQ(Line(), 3);
    const auto stack = engine.CallStack();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack[0].procedure, "Square");
    EXPECT_EQ(stack[0].line, 3);
    EXPECT_EQ(stack[1].procedure, "Main");
    EXPECT_EQ(stack[1].line, 10);
    ASSERT_EQ(stack[0].locals.size(), 2u);
    EXPECT_EQ(stack[0].locals[0].name, "n");
    EXPECT_EQ(stack[0].locals[0].value, "1");
    EXPECT_EQ(stack[0].locals[1].value, "Empty");
    EXPECT_EQ(Eval("n * 10 + 1"), "11");
    EXPECT_EQ(Eval("Square(n + 4)"), "25") << "watches may call functions";
    EXPECT_EQ(Eval("total", 1), "Empty") << "the caller's frame";
    EXPECT_EQ(Eval("\"i=\" & i", 1), "\"i=1\"");
    EXPECT_EQ(Eval("undefined_name"), "error: variable not defined: undefined_name");
    EXPECT_EQ(Eval("1 +"), "error: expected an expression");
    EXPECT_EQ(Eval("1 / 0"), "error: error 11: Division by zero");

    engine.Resume();
    EXPECT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(Eval("n"), "2");
    engine.SetBreakpoint("prog", 3, false);
    engine.Resume();
    EXPECT_EQ(engine.Run(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 14 "});
}

TEST_F(Debugger, StepIntoOverAndOut) {
    engine.SetBreakpoint("prog", 10, true);
    ASSERT_TRUE(engine.Start("prog"));
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(Line(), 10);
    engine.SetBreakpoint("prog", 10, false);
    EXPECT_EQ(Step(StepMode::Into), 3) << "into Square";
    EXPECT_EQ(Step(StepMode::Over), 4);
    EXPECT_EQ(Step(StepMode::Out), 11) << "back in Main after the call's statement";
    EXPECT_EQ(Step(StepMode::Over), 10);
    EXPECT_EQ(Step(StepMode::Over), 11) << "over the call";
    EXPECT_EQ(Eval("total"), "5");
    engine.RunToLine("prog", 12);
    EXPECT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(Line(), 12);
    EXPECT_EQ(Eval("i"), "4");
    engine.Stop();
    EXPECT_EQ(engine.State(), RunState::Stopped);
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_TRUE(engine.output.empty());
}

// The End Function line is a statement of every call, also of one whose If block returns
// straight from its end.
TEST(DebuggerRecursion, EndFunctionPausesInEveryCallAndStepsLeaveOneCallAtATime) {
    RecordingEngine engine;
    engine.SetModule("r", "Function Fact(n As Long) As Long\n" // 1
                          "    If n <= 1 Then\n"               // 2
                          "        Fact = 1\n"                 // 3
                          "    Else\n"                         // 4
                          "        Fact = n * Fact(n - 1)\n"   // 5
                          "    End If\n"                       // 6
                          "End Function\n"                     // 7
                          "Sub Main()\n"                       // 8
                          "    Print Fact(3)\n"                // 9
                          "End Sub\n");                        // 10
    ASSERT_TRUE(engine.Compile());
    engine.SetBreakpoint("r", 3, true);
    ASSERT_TRUE(engine.Start("r"));
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 3);
    EXPECT_EQ(engine.CallStack().size(), 4u);
    engine.SetBreakpoint("r", 3, false);
    engine.Resume(StepMode::Into);
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 7) << "End Function after Fact = 1";
    EXPECT_EQ(engine.CallStack().size(), 4u);
    engine.Resume(StepMode::Over);
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 7) << "the caller's End Function";
    EXPECT_EQ(engine.CallStack().size(), 3u);
    engine.SetBreakpoint("r", 7, true);
    engine.Resume();
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CallStack().size(), 2u);
    engine.SetBreakpoint("r", 7, false);
    engine.Resume(StepMode::Out);
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 10) << "back in Main";
    engine.Resume();
    EXPECT_EQ(engine.Run(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 6 "});
}

TEST(DebuggerLoop, PauseStopsAnEndlessLoopBetweenStatementsAndWatchesCannotHang) {
    Engine engine;
    engine.SetModule("m", "Function Forever()\n Do\n Loop\nEnd Function\n"
                          "Sub Main()\n Dim n As Long\n Do\n  n = n + 1\n Loop\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.Run(5000), RunState::Running);
    engine.Pause();
    EXPECT_EQ(engine.State(), RunState::Paused);
    const int line = engine.CurrentLocation().line;
    EXPECT_TRUE(line == 8 || line == 9) << line;
    std::string value;
    ASSERT_TRUE(engine.Evaluate("n > 100", value));
    EXPECT_EQ(value, "True");
    EXPECT_FALSE(engine.Evaluate("Forever()", value));
    EXPECT_EQ(value, "the expression runs too long");
    EXPECT_EQ(engine.State(), RunState::Paused) << "the script survives a failed watch";
    engine.Resume(StepMode::Into);
    EXPECT_EQ(engine.Run(), RunState::Paused);
    engine.Resume();
    EXPECT_EQ(engine.Run(1000), RunState::Running);
    engine.Stop();
    EXPECT_FALSE(engine.IsRunning());
}

TEST(DebuggerLoop, StopStatementPausesAndEvaluateNeedsAPausedScript) {
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\n x = 41\n Stop\n Print x + 1\nEnd Sub\n");
    std::string value;
    EXPECT_FALSE(engine.Evaluate("1", value));
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 3);
    ASSERT_TRUE(engine.Evaluate("x", value));
    EXPECT_EQ(value, "41");
    ASSERT_TRUE(engine.Evaluate("x = Null", value));
    EXPECT_EQ(value, "Null");
    engine.Resume();
    EXPECT_EQ(engine.Run(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 42 "});
}

TEST(DebuggerLoop, WatchesSeeTheStaticVariablesOfTheProcedure) {
    Engine engine;
    engine.SetModule("m", "Static Sub Tally()\n Dim n As Long\n n = n + 1\n If n = 2 Then Stop\n"
                          "End Sub\nSub Main()\n Tally\n Tally\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    ASSERT_EQ(engine.Run(), RunState::Paused);
    std::string value;
    ASSERT_TRUE(engine.Evaluate("n * 10", value)) << value;
    EXPECT_EQ(value, "20");
    engine.Stop();
}

TEST(DebuggerLoop, RecordsShowWithTheirMembersInLocalsAndWatches) {
    Engine engine;
    engine.SetModule("m", "Type Point\n x As Long\n label As String\nEnd Type\n"
                          "Type Shape\n corners(1) As Point\n center As Point\nEnd Type\n"
                          "Sub Look(s As Shape)\n Stop\nEnd Sub\n"
                          "Sub Main()\n Dim p As Point, sh As Shape\n p.x = 3: p.label = \"a\"\n"
                          " sh.center = p\n Look sh\nEnd Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    ASSERT_EQ(engine.Run(), RunState::Paused);
    const auto stack = engine.CallStack();
    ASSERT_EQ(stack.size(), 2u);
    ASSERT_EQ(stack[0].locals.size(), 1u);
    EXPECT_EQ(stack[0].locals[0].value,
              "Shape {corners = Point(0 To 1), center = Point {x = 3, label = \"a\"}}")
        << "a ByRef parameter shows the caller's record";
    EXPECT_EQ(stack[1].locals[0].value, "Point {x = 3, label = \"a\"}");
    std::string value;
    ASSERT_TRUE(engine.Evaluate("s.center.x * 2 & s.corners(1).label", value));
    EXPECT_EQ(value, "\"6\"");
    ASSERT_TRUE(engine.Evaluate("s.corners(0)", value));
    EXPECT_EQ(value, "Point {x = 0, label = \"\"}");
    EXPECT_FALSE(engine.Evaluate("s.nothing", value));
    EXPECT_EQ(value, "no member nothing in type Shape");
    engine.Stop();
}

TEST(DebuggerLoop, ComparisonsAndSumsOfVariablesKeepTheirStatementsForBreakpointsAndSlices) {
    RecordingEngine engine;
    engine.SetModule("m", "Function Fib(n As Long) As Long\n" // 1
                          " If n < 2 Then\n"                  // 2
                          "  Fib = n\n"                       // 3
                          " Else\n"                           // 4
                          "  Fib = Fib(n - 1) + Fib(n - 2)\n" // 5
                          " End If\n"                         // 6
                          "End Function\n"                    // 7
                          "Sub Main()\n"                      // 8
                          " Dim k As Long, turns As Long\n"   // 9
                          " Do While k < turns + 1000000\n"   // 10
                          "  k = k + 1\n"                     // 11
                          " Loop\n"                           // 12
                          " Print Fib(3)\n"                   // 13
                          "End Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    // A turn of the loop is three statements, each counted against the slice.
    EXPECT_EQ(engine.Run(300), RunState::Running);
    engine.Pause();
    std::string value;
    ASSERT_TRUE(engine.Evaluate("k", value));
    EXPECT_GE(std::stoi(value), 90);
    EXPECT_LE(std::stoi(value), 110);
    ASSERT_TRUE(engine.Evaluate("k - 1 < 200", value));
    EXPECT_EQ(value, "True");
    engine.Resume();
    engine.SetBreakpoint("m", 2, true);
    ASSERT_EQ(engine.RunToEnd(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 2);
    ASSERT_TRUE(engine.Evaluate("n", value));
    EXPECT_EQ(value, "3");
    engine.Resume(StepMode::Over);
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 5) << "n < 2 is false";
    engine.Resume();
    ASSERT_EQ(engine.Run(), RunState::Paused);
    EXPECT_EQ(engine.CurrentLocation().line, 2);
    ASSERT_TRUE(engine.Evaluate("n", value));
    EXPECT_EQ(value, "2") << "the breakpoint holds in every call";
    engine.SetBreakpoint("m", 2, false);
    engine.Resume();
    EXPECT_EQ(engine.Run(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 2 "});
}

TEST(DebuggerLoop, FusedStoresAndSelectCaseKeepTheirStatementsForBreakpointsStepsAndSlices) {
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\n"                           // 1
                          " Dim i As Long, x As Long, s As Long\n" // 2
                          " For i = 1 To 1000000\n"                // 3
                          "  x = i Mod 2\n"                        // 4
                          "  Select Case x\n"                      // 5
                          "   Case 0\n"                            // 6
                          "    s = s + i\n"                        // 7
                          "   Case 1\n"                            // 8
                          "    s = s + 10\n"                       // 9
                          "  End Select\n"                         // 10
                          " Next\n"                                // 11
                          " Print s\n"                             // 12
                          "End Sub\n");
    ASSERT_TRUE(engine.Start("m"));
    // An odd turn runs lines 4, 5, 8, 9 and 11, an even one 4, 5, 6, 7 and 11: five statements,
    // each counted against the slice, the Case line that holds included.
    EXPECT_EQ(engine.Run(500), RunState::Running);
    engine.Pause();
    std::string value;
    ASSERT_TRUE(engine.Evaluate("i", value));
    EXPECT_GE(std::stoi(value), 95);
    EXPECT_LE(std::stoi(value), 105);

    for (const int line : {4, 5, 7, 9}) {
        engine.SetBreakpoint("m", line, true);
        engine.Resume();
        ASSERT_EQ(engine.Run(), RunState::Paused);
        EXPECT_EQ(engine.CurrentLocation().line, line);
        engine.SetBreakpoint("m", line, false);
    }
    ASSERT_TRUE(engine.Evaluate("i Mod 2", value));
    EXPECT_EQ(value, "1");
    std::vector<int> lines;
    for (int step = 0; step < 10; ++step) {
        engine.Resume(StepMode::Into);
        ASSERT_EQ(engine.Run(), RunState::Paused);
        lines.push_back(engine.CurrentLocation().line);
    }
    // Select Case goes straight to the Case line that holds the value.
    EXPECT_EQ(lines, (std::vector<int>{11, 4, 5, 6, 7, 11, 4, 5, 8, 9}));
    engine.Stop();
}

} // namespace
} // namespace vek::basic
