// The host interface: modules, shared code, host functions, errors and running in slices.
#include "platform/file_limits.h"
#include "program_runner.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/engine.h"
#include "scripting/utility_functions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace vek::basic {
namespace {

// Host functions receive Variants of any kind; the host converts them as the method's types say.
std::int32_t AsLong(const Variant& v) {
    std::int32_t n = 0;
    EXPECT_EQ(ToLong(v, n), RunError::None);
    return n;
}

TEST(BasicEngine, PublicNamesReachOtherModulesAndPrivateOnesDoNot) {
    RecordingEngine engine;
    engine.SetModule("Helpers", "Public shared_count As Long\r\n"
                                "Public Function Twice(x)\r\n Twice = 2 * x\r\nEnd Function\r\n"
                                "Private Sub Hidden()\r\nEnd Sub\r\n");
    engine.SetModule("Script", "Sub Main()\r\n shared_count = Twice(21)\r\n"
                               " Debug.Print shared_count\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("Script"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 42 "});

    engine.SetModule("Script", "Sub Main()\r\n Hidden\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    ASSERT_EQ(engine.Diagnostics().size(), 1u);
    EXPECT_EQ(engine.Diagnostics()[0].ToString(),
              "Script(2,2): Sub or Function not defined: Hidden");
}

TEST(BasicEngine, PublicTypesReachOtherModulesAndPrivateOnesDoNot) {
    RecordingEngine engine;
    engine.SetModule("Types", "Public Type Reading\r\n value As Long\r\nEnd Type\r\n"
                              "Private Type Hidden\r\n x As Long\r\nEnd Type\r\n"
                              "Public Function Measure() As Reading\r\n Measure.value = 7\r\n"
                              "End Function\r\n");
    engine.SetModule("Script", "Sub Main()\r\n Dim r As Reading\r\n r = Measure()\r\n"
                               " Debug.Print r.value\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("Script")) << engine.LastError().description;
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 7 "});

    engine.SetModule("Script", "Sub Main()\r\n Dim h As Hidden\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].ToString(),
              "Script(2,6): user-defined type not defined: Hidden");
    engine.SetModule("Other", "Public Type Reading\r\n v As Long\r\nEnd Type\r\n");
    engine.SetModule("Script", "Sub Main()\r\n Dim r As Reading\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message,
              "ambiguous name: Reading is Public in several modules");
}

TEST(BasicEngine, OptionCompareTextHoldsForItsOwnModuleOnly) {
    RecordingEngine engine;
    engine.SetModule("Text",
                     "Option Compare Text\r\n"
                     "Public Function Same(a, b)\r\n Same = a = b\r\nEnd Function\r\n"
                     "Public Function Find(a, b)\r\n Find = InStr(a, b)\r\nEnd Function\r\n");
    engine.SetModule("Binary", "Sub Main()\r\n Debug.Print Same(\"a\", \"A\"); \"a\" = \"A\"; "
                               "Find(\"xA\", \"a\"); InStr(\"xA\", \"a\"); \"A\" Like \"a\"\r\n"
                               "End Sub\r\n");
    ASSERT_TRUE(engine.Start("Binary")) << engine.LastError().description;
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{"TrueFalse 2  0 False"});
}

TEST(BasicEngine, SameNamePublicInTwoModulesIsAmbiguousOnlyWhenUsed) {
    Engine engine;
    engine.SetModule("A", "Sub Main()\r\nEnd Sub\r\nPublic Sub Tool()\r\nEnd Sub\r\n");
    engine.SetModule("B", "Sub Main()\r\nEnd Sub\r\nPublic Sub Tool()\r\nEnd Sub\r\n");
    EXPECT_TRUE(engine.Compile()) << "each module has its own Main";
    engine.SetModule("C", "Sub Go()\r\n Tool\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message, "ambiguous name: Tool is Public in several modules");
}

TEST(BasicEngine, CompileErrorsNameModuleLineColumnAndWhatWasExpected) {
    Engine engine;
    engine.SetModule("Broken", "Sub Main()\r\n  x = (1 + 2\r\n  For i = 1 2\r\n  Next\r\n"
                               "  y = 3 +\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    std::vector<std::string> texts;
    for (const Diagnostic& d : engine.Diagnostics()) {
        texts.push_back(d.ToString());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Broken(2,13): expected ')'", "Broken(3,13): expected To",
                         "Broken(4,3): Next without For", "Broken(5,10): expected an expression"}));
    EXPECT_FALSE(engine.Start("Broken"));
    EXPECT_EQ(engine.LastError().description, "expected ')'");

    // A name in brackets may hold what looks like a placeholder of the message's text.
    engine.SetModule("Broken", "Sub Main()\r\n  [a{1}b {0}] 1\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    ASSERT_EQ(engine.Diagnostics().size(), 1u);
    EXPECT_EQ(engine.Diagnostics()[0].message, "Sub or Function not defined: a{1}b {0}");
}

TEST(BasicEngine, AGeneratedModuleTakesEveryNameADescriptionGives) {
    // The module the program writes for a description: a name repeated keeps its first value,
    // words Basic reserves and names starting with "_" are names there, and numbers past the
    // Integer range stay as they are. The same text as an ordinary module is refused.
    const std::string generated = "'Byte Items\r\nPublic Const SAME As Integer = 0\r\n"
                                  "Public Const Next As Integer = 1\r\n"
                                  "Public Const _LAST As Integer = 40000\r\n'Bit Items\r\n"
                                  "Public Const same As Integer = 2\r\n";
    RecordingEngine engine;
    engine.SetGeneratedModule("*register.vkm", [&generated] { return generated; });
    engine.SetModule("m", "Sub Main()\r\n Debug.Print SAME & \" \" & [Next] & \" \" & [_LAST] & "
                          "\" \" & TypeName([_LAST])\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m")) << engine.LastError().description;
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{"0 1 40000 Long"});

    engine.SetModule("*register.vkm", generated);
    EXPECT_FALSE(engine.Compile());
    engine.SetModule("*register.vkm", "Public Const SAME As Integer = 0\r\n"
                                      "Public Const same As Integer = 2\r\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message, "duplicate declaration: same");
}

TEST(BasicEngine, AGeneratedModuleIsMadeOnlyWhenACompileOrItsSourceNeedsIt) {
    // Opening a large description must not wait for its constants: the text is made once, at
    // the first need, and a module replaced before then is never made.
    int made = 0;
    RecordingEngine engine;
    engine.SetGeneratedModule("*register.vkm", [&made] {
        ++made;
        return std::string("Public Const R As Integer = 3\r\n");
    });
    engine.SetModule("m", "Sub Main()\r\n Debug.Print R\r\nEnd Sub\r\n");
    EXPECT_EQ(made, 0);
    ASSERT_TRUE(engine.Start("m")) << engine.LastError().description;
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 3 "});
    EXPECT_EQ(engine.ModuleSource("*REGISTER.vkm"), "Public Const R As Integer = 3\r\n");
    EXPECT_EQ(made, 1);

    engine.SetGeneratedModule("*register.vkm", [&made] {
        ++made;
        return std::string();
    });
    engine.SetGeneratedModule("*register.vkm", [] { return std::string("'replaced\r\n"); });
    EXPECT_EQ(engine.ModuleSource("*register.vkm"), "'replaced\r\n");
    EXPECT_EQ(made, 1);
}

// A stand-in for the register extension object: the calls scripts make, as the program makes them.
class RegisterExtension {
public:
    explicit RegisterExtension(Engine& engine) {
        engine.AddHostFunction("WriteReg", 2, 2, [this](const std::vector<Variant>& args) {
            calls.push_back("WriteReg " + std::to_string(AsLong(args[0])) + " " +
                            std::to_string(AsLong(args[1])));
            return HostCallResult::Of(Variant::Boolean(true));
        });
        engine.AddHostFunction("ReadReg", 1, 1, [this](const std::vector<Variant>& args) {
            calls.push_back("ReadReg " + std::to_string(AsLong(args[0])));
            if (AsLong(args[0]) > 3) {
                lastError = 1;
                return HostCallResult::Of(Variant::Long(0));
            }
            return HostCallResult::Of(Variant::Long(0x5A));
        });
        engine.AddHostFunction("LastError", 0, 0, [this](const std::vector<Variant>&) {
            const int flag = lastError;
            lastError = 0;
            return HostCallResult::Of(Variant::Long(flag));
        });
        engine.AddHostFunction("Fail", 0, 0, [](const std::vector<Variant>&) {
            return HostCallResult::Error(1001, "the bus is gone");
        });
    }
    std::vector<std::string> calls;
    int lastError = 0;
};

TEST(BasicEngine, HostFunctionsAreCalledAsGlobalProceduresAndFunctions) {
    RecordingEngine engine;
    RegisterExtension extension(engine);
    engine.SetModule("*register.vkm", "'DO NOT EDIT THIS CODE!\r\n'Device : TUNER\r\n\r\n"
                                      "'Byte Items\r\nPublic Const CTRL As Integer = 0\r\n"
                                      "Public Const STAT As Integer = 3\r\n'Bit Items\r\n"
                                      "Public Const EN As Integer = 1\r\n");
    engine.SetSharedCode(std::string(kUtilityFunctions));
    engine.SetModule("macro.bas", "Sub Main()\r\n"
                                  "    WriteReg CTRL, &H21\r\n"
                                  "    x = ReadReg(STAT)\r\n"
                                  "    Debug.Print Hex(x)\r\n"
                                  "    x = ReadReg(STAT + 1)\r\n"
                                  "    If LastError() Then Debug.Print \"read failed\"\r\n"
                                  "    If LastError() Then Debug.Print \"cleared?\"\r\n"
                                  "    Call WriteReg(EN, LeftShift(1, 3))\r\n"
                                  "End Sub\r\n");
    ASSERT_TRUE(engine.Start("macro.bas")) << engine.LastError().description;
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished) << engine.LastError().description;
    EXPECT_EQ(extension.calls, (std::vector<std::string>{"WriteReg 0 33", "ReadReg 3", "ReadReg 4",
                                                         "WriteReg 1 8"}));
    EXPECT_EQ(engine.output, (std::vector<std::string>{"5A", "read failed"}));
}

TEST(BasicEngine, HostFunctionErrorsAreRunTimeErrorsAndArityIsCheckedWhenCompiling) {
    RecordingEngine engine;
    RegisterExtension extension(engine);
    engine.SetModule("m", "Sub Main()\r\n On Error Resume Next\r\n Fail\r\n"
                          " Debug.Print Err.Number; Err.Description\r\n"
                          " On Error GoTo 0\r\n Fail\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Failed);
    EXPECT_EQ(engine.output, std::vector<std::string>{" 1001 the bus is gone"});
    const RunErrorInfo& e = engine.LastError();
    EXPECT_EQ(e.number, 1001);
    EXPECT_EQ(e.description, "the bus is gone");
    EXPECT_EQ(e.module, "m");
    EXPECT_EQ(e.procedure, "Main");
    EXPECT_EQ(e.line, 6);

    engine.SetModule("m", "Sub Main()\r\n WriteReg 1\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Compile());
    EXPECT_EQ(engine.Diagnostics()[0].message, "wrong number of arguments for WriteReg");
}

TEST(BasicEngine, RunFileLoadsTheFileAndStartsItsMain) {
    const auto path = std::filesystem::temp_directory_path() / "vek_basic_run_file.bas";
    {
        std::ofstream file(path);
        file << "Sub Helper()\nDebug.Print \"wrong\"\nEnd Sub\nSub Main()\nPrint \"from "
                "file\"\nEnd Sub\n";
    }
    RecordingEngine engine;
    ASSERT_TRUE(engine.RunFile(path.string()));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{"from file"});
    std::filesystem::remove(path);

    EXPECT_FALSE(engine.RunFile("/nonexistent/script.bas"));
    EXPECT_EQ(engine.LastError().number, 53);
}

TEST(BasicEngine, AFileLargerThanAScriptMayBeIsRefusedUnread) {
    // Sparse: it takes no room on the disk, and reading it whole would take 16 MiB and more.
    const auto path = std::filesystem::temp_directory_path() / "vek_basic_huge.bas";
    std::ofstream{path};
    std::filesystem::resize_file(path, kScriptFileLimit.bytes + 1);
    const std::string expected =
        path.string() + ": larger than 16 MiB, the most a Basic script may have";
    RecordingEngine engine;
    std::string error;
    EXPECT_FALSE(engine.LoadModuleFile(path.string(), error));
    EXPECT_EQ(error, expected);
    EXPECT_TRUE(engine.ModuleNames().empty());
    EXPECT_FALSE(engine.RunFile(path.string()));
    EXPECT_EQ(engine.LastError().number, 75);
    EXPECT_EQ(engine.LastError().description, expected);
    std::filesystem::remove(path);
}

TEST(BasicEngine, AnEndlessLoopRunsInSlicesAndCanAlwaysBeStopped) {
    Engine engine;
    engine.SetModule("m", "Sub Main()\r\n Do\r\n  x = x + 1\r\n Loop\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_TRUE(engine.IsRunning());
    EXPECT_EQ(engine.Run(1000), RunState::Running);
    EXPECT_EQ(engine.Run(1000), RunState::Running);
    EXPECT_FALSE(engine.SetModule("m", "")) << "modules stay while a script runs";
    engine.Stop();
    EXPECT_EQ(engine.State(), RunState::Stopped);
    EXPECT_FALSE(engine.IsRunning());
    EXPECT_TRUE(engine.SetModule("m", "Sub Main()\r\nEnd Sub\r\n"));
}

TEST(BasicEngine, WaitEndsTheSliceInsteadOfBlockingTheHost) {
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\r\n Wait 200\r\n Print \"after\"\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.Run(), RunState::Waiting);
    EXPECT_EQ(engine.Run(), RunState::Waiting);
    EXPECT_TRUE(engine.IsRunning());
    EXPECT_TRUE(engine.output.empty());
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.output, std::vector<std::string>{"after"});
}

TEST(BasicEngine, AnInterruptEndsTheScriptBetweenStatementsAndInWait) {
    // Raised from another thread, as a signal handler or the program's End would: the loop ends
    // at a statement boundary with what it printed so far, and the place it stood.
    RecordingEngine engine;
    engine.SetModule("m", "Sub Main()\r\n Print \"start\";\r\n Do\r\n  n = n + 1\r\n Loop\r\n"
                          "End Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    std::thread raiser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        engine.GetInterrupt().Raise();
    });
    EXPECT_EQ(engine.RunToEnd(), RunState::Stopped);
    raiser.join();
    EXPECT_EQ(engine.output, std::vector<std::string>{"start"});
    EXPECT_EQ(engine.LastError().number, 18);
    EXPECT_EQ(engine.LastError().description, "User interrupt occurred");
    EXPECT_EQ(engine.LastError().procedure, "Main");
    EXPECT_GE(engine.LastError().line, 3);
    EXPECT_LE(engine.LastError().line, 5);

    // Raised, it ends the next script at once, and inside a Wait of a minute within a step.
    engine.SetModule("m", "Sub Main()\r\n Wait 60000\r\n Print \"after\"\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.Run(), RunState::Stopped);
    engine.GetInterrupt().Clear();
    ASSERT_TRUE(engine.Start("m"));
    const auto start = std::chrono::steady_clock::now();
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        engine.GetInterrupt().Raise();
    });
    EXPECT_EQ(engine.RunToEnd(), RunState::Stopped);
    waker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(engine.LastError().line, 2);
    EXPECT_EQ(engine.output, std::vector<std::string>{"start"});

    // A deadline does the same for unattended runs; once cleared, scripts run to their end.
    engine.GetInterrupt().Clear();
    engine.GetInterrupt().SetDeadline(std::chrono::steady_clock::now() +
                                      std::chrono::milliseconds(30));
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Stopped);
    EXPECT_EQ(engine.GetInterrupt().Check(), Interrupt::Reason::Deadline);
    engine.GetInterrupt().ClearDeadline();
    engine.SetModule("m", "Sub Main()\r\n Wait 1\r\n Print \"after\"\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(engine.LastError().number, 0);
}

TEST(BasicEngine, AHostWaitCallbackTakesOverWait) {
    Engine engine;
    std::vector<std::string> lines;
    Engine::Callbacks callbacks = RecordingCallbacks(lines);
    std::vector<int> waits;
    callbacks.wait = [&](int ms) { waits.push_back(ms); };
    engine.SetCallbacks(callbacks);
    engine.SetModule("m", "Sub Main()\r\n Wait 5000\r\n Wait 0\r\n Print \"after\"\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.Run(), RunState::Finished);
    EXPECT_EQ(waits, std::vector<int>{5000});
    EXPECT_EQ(lines, std::vector<std::string>{"after"});
}

TEST(BasicEngine, InputBoxAsksTheHostWhichMayCancel) {
    const std::string script = "Sub Main()\r\n s = InputBox(\"Gain?\", \"Tuner\", \"3\")\r\n"
                               " Print \"[\" & s & \"] \" & TypeName(s)\r\nEnd Sub\r\n";
    std::vector<std::string> asked;
    std::optional<std::string> reply = "12";
    Engine::Callbacks callbacks;
    std::vector<std::string> lines;
    callbacks.print = [&](const std::string& line) { lines.push_back(line); };
    callbacks.inputBox = [&](const std::string& prompt, const std::string& title,
                             const std::string& defaultText) {
        asked.push_back(title + "|" + prompt + "|" + defaultText);
        return reply;
    };
    Engine engine;
    engine.SetCallbacks(callbacks);
    engine.SetModule("m", script);
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    reply.reset(); // Cancel gives an empty string
    ASSERT_TRUE(engine.Start("m"));
    EXPECT_EQ(engine.RunToEnd(), RunState::Finished);
    EXPECT_EQ(asked, (std::vector<std::string>{"Tuner|Gain?|3", "Tuner|Gain?|3"}));
    EXPECT_EQ(lines, (std::vector<std::string>{"[12] String", "[] String"}));

    // A host that cannot ask takes the default.
    Engine silent;
    lines.clear();
    callbacks.inputBox = nullptr;
    silent.SetCallbacks(callbacks);
    silent.SetModule("m", script);
    ASSERT_TRUE(silent.Start("m"));
    EXPECT_EQ(silent.RunToEnd(), RunState::Finished);
    EXPECT_EQ(lines, std::vector<std::string>{"[3] String"});
}

TEST(BasicEngine, StartingAMissingProcedureFailsWithAReason) {
    Engine engine;
    engine.SetModule("m", "Sub Other()\r\nEnd Sub\r\n");
    EXPECT_FALSE(engine.Start("m"));
    EXPECT_EQ(engine.LastError().number, 35);
    EXPECT_FALSE(engine.Start("nomodule"));
    EXPECT_FALSE(engine.IsRunning());
}

TEST(BasicEngine, DisassemblyComesFromTheOpcodeTable) {
    Engine engine;
    engine.SetModule("m",
                     "Sub Main()\r\n Dim i As Long\r\n For i = 1 To 3\r\n Next\r\nEnd Sub\r\n");
    ASSERT_TRUE(engine.Compile());
    const std::string code = engine.Disassembly("m", "Main");
    EXPECT_NE(code.find("ForEnter 0 1"), std::string::npos) << code;
    EXPECT_NE(code.find("ForStep 0 1"), std::string::npos) << code;
    EXPECT_NE(code.find("Return"), std::string::npos) << code;
}

} // namespace
} // namespace vek::basic
