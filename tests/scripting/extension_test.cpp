#include "document/vek_doc.h"
#include "model/item_list.h"
#include "platform/recording_host.h"
#include "scripting/constants_module.h"
#include "scripting/extension.h"
#include "scripting/magic_services.h"
#include "scripting/script_host.h"
#include "test_driver_control.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>

namespace vek {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A description on the test driver, opened as the program opens it.
class ScriptingTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vek_scripting_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // The document loads the same library; this handle reaches its control functions.
        driver_ = dlopen((std::string(VEK_BIN_DIR) + "/libtestdrv.so").c_str(), RTLD_NOW);
        ASSERT_NE(driver_, nullptr);
        reinterpret_cast<TestDriverResetFn>(dlsym(driver_, "TestDriverReset"))();
    }
    void TearDown() override {
        document_.reset();
        dlclose(driver_);
        fs::remove_all(dir_);
    }

    CVekDoc& Open(const std::string& body) {
        const fs::path path = dir_ / "board.vek";
        std::ofstream(path) << "#BeginRegisterList \"testdrv.dll\"\n"
                            << body << "#EndRegisterList\n";
        document_ = std::make_unique<CVekDoc>(host_);
        EXPECT_TRUE(document_->OpenDocument(path.string())) << host_.Texts().back();
        return *document_;
    }
    template <typename Fn>
    Fn Control(const char* name) {
        return reinterpret_cast<Fn>(dlsym(driver_, name));
    }
    int SetCalls() {
        int sets = 0;
        const int count = Control<TestDriverCallCountFn>("TestDriverCallCount")();
        for (int i = 0; i < count; ++i)
            sets += Control<TestDriverCallAtFn>("TestDriverCallAt")(i).kind == TestCallSet;
        return sets;
    }

    fs::path dir_;
    void* driver_ = nullptr;
    RecordingHost host_;
    ConsoleMagic magic_{host_};
    std::unique_ptr<CVekDoc> document_;
};

TEST_F(ScriptingTest, TheConstantsModuleNumbersRegistersAndBitFieldsTogether) {
    CVekDoc& doc = Open("0: TUNER A1;\n1: CTRL [0x01] = 0;\n   EN [0x01] & 0x01;\n"
                        "   MODE [0x01] & 0x06;\n1: STAT [0x02] = 0 r;\n");
    CExtension extension(host_, magic_);
    EXPECT_EQ(BuildConstantsModule(*doc.GetItems(), extension),
              "'DO NOT EDIT THIS CODE!\r\n'Device : TUNER\r\n\r\n'Byte Items\r\n"
              "Public Const CTRL As Integer = 0\r\nPublic Const STAT As Integer = 3\r\n"
              "'Bit Items\r\nPublic Const EN As Integer = 1\r\n"
              "Public Const MODE As Integer = 2\r\n");
    EXPECT_EQ(extension.UpperBound(), 3);
}

TEST_F(ScriptingTest, TheConstantsModuleTakesOnlyItsOwnRoom) {
    // As large as the description: numbers of one, two and three digits are counted ahead.
    std::string description = "0: DEV A2;\n";
    for (int i = 0; i < 120; ++i)
        description += "1: R" + std::to_string(i) + " [0x" + std::to_string(1000 + i) + "] = 0;\n";
    CVekDoc& doc = Open(description);
    CExtension extension(host_, magic_);
    const std::string module = BuildConstantsModule(*doc.GetItems(), extension);
    EXPECT_THAT(module, HasSubstr("Public Const R119 As Integer = 119\r\n'Bit Items\r\n"));
    EXPECT_EQ(module.capacity(), module.size());
}

TEST_F(ScriptingTest, TheHeaderNamesTheLastDeviceAndAnEmptyListKeepsTheNames) {
    CVekDoc& doc = Open("0: FIRST A1;\n1: A_REG [0x01] = 0;\n0: SECOND A1;\n");
    CExtension extension(host_, magic_);
    EXPECT_THAT(BuildConstantsModule(*doc.GetItems(), extension),
                HasSubstr("'Device : SECOND\r\n"));
    CVekDoc& empty = Open("");
    EXPECT_EQ(BuildConstantsModule(*empty.GetItems(), extension), "'Byte Items\r\n'Bit Items\r\n");
    EXPECT_EQ(extension.UpperBound(), 0);
}

TEST_F(ScriptingTest, IndexesOutsideTheNamesAreRefusedWithAMessage) {
    CExtension extension(host_, magic_);
    for (int i = 0; i < 5; ++i)
        extension.SetName(static_cast<std::size_t>(i), "N" + std::to_string(i));
    host_.lines.clear();
    EXPECT_FALSE(extension.WriteReg(5, 1));
    EXPECT_EQ(extension.LastError(), 0); // WriteReg leaves the flag alone
    EXPECT_EQ(extension.ReadReg(-1), 0);
    EXPECT_EQ(extension.LastError(), 1);
    EXPECT_EQ(extension.LastError(), 0);
    EXPECT_THAT(
        host_.Texts(),
        ElementsAre("Invalid parameter passed to WriteReg: (5) - Minimum is 0, Maximum is 4",
                    "Invalid parameter passed to ReadReg: (-1) - Minimum is 0, Maximum is 4"));
    EXPECT_EQ(extension.Magic(4), 0); // no terminal, so no key is waiting
    EXPECT_EQ(extension.Magic(9), 0);
    EXPECT_EQ(extension.Magic(1), 1);
    EXPECT_EQ(host_.repaints, 1);
}

TEST_F(ScriptingTest, EveryItemOfANameIsWrittenAndAFailedReadMovesOnToTheNext) {
    CVekDoc& doc = Open("0: LEFT A1;\n1: SAME [0x01] = 0;\n0: RIGHT A1;\n1: SAME [0x02] = 0;\n");
    CExtension extension(host_, magic_);
    extension.SetDocument(&doc);
    BuildConstantsModule(*doc.GetItems(), extension);
    const int before = SetCalls();
    EXPECT_TRUE(extension.WriteReg(0, 0x42));
    EXPECT_EQ(SetCalls() - before, 2);

    const unsigned char left = 0x01;
    Control<TestDriverFailAddressFn>("TestDriverFailAddress")(1, &left);
    const unsigned char right = 0x02;
    Control<TestDriverSetRegisterFn>("TestDriverSetRegister")(1, &right, 0x37);
    host_.lines.clear();
    EXPECT_EQ(extension.ReadReg(0), 0x37);
    EXPECT_EQ(extension.LastError(), 0);
    EXPECT_THAT(host_.Texts(),
                ElementsAre("driver error D06: cannot read from address 0x01 : no acknowledge"));
    EXPECT_TRUE(host_.lines[0].show);
}

TEST_F(ScriptingTest, ScriptsCallTheExtensionAndTheUtilityFunctions) {
    Open("0: CHIP A1;\n1: CTRL [0x01] = 0;\n   EN [0x01] & 0x01;\n1: STAT [0x02] = 0 s;\n");
    const fs::path script = dir_ / "test.bas";
    std::ofstream(script)
        << "Sub Main\n"
           "    WriteReg CTRL, &H21\n"
           "    Print ReadReg(CTRL) & \" \" & ReadReg(EN)\n"
           "    Dim x\n    x = 5\n    Inc x\n    Print x & \" \" & Dec(x) & \" \" & x\n"
           "    Print LeftShift(3, 4) & \" \" & RightShift(&H100) & \" \" & RightShift(256, 8)\n"
           "    On Error Resume Next\n"
           "    LeftShift 1, 0\n"
           "    Print Err.Number & \" \" & Err.Description\n"
           "    DebugOut \"done\"\n"
           "End Sub\n";
    std::vector<std::string> printed;
    ScriptHost scripts(host_, [&](const std::string& line) { printed.push_back(line); });
    scripts.SetUp(*document_);
    host_.lines.clear();
    EXPECT_TRUE(scripts.Run(script.string())) << scripts.ErrorText();
    EXPECT_THAT(printed, ElementsAre("33 1", "6 5 5", "48 128 1",
                                     "99 LeftShift: Can't shift zero or negativ"));
    EXPECT_THAT(host_.Texts(), ElementsAre("done"));
    EXPECT_EQ(scripts.QueryClose(), CloseDecision::Close);
}

TEST_F(ScriptingTest, ReadAllPassesOverARegisterWhoseReadChangesTheChipAndReadRegReadsIt) {
    Open("0: CHIP A1;\n1: FIFO [0x01] = 0 r !;\n1: CTRL [0x02] = 0;\n");
    const unsigned char fifo = 0x01;
    Control<TestDriverSetRegisterFn>("TestDriverSetRegister")(1, &fifo, 0x37);
    const fs::path script = dir_ / "test.bas";
    std::ofstream(script) << "Sub Main\n    ReadAll\n    DebugOut \"all read\"\n"
                             "    Print ReadReg(FIFO)\nEnd Sub\n";
    std::vector<std::string> printed;
    ScriptHost scripts(host_, [&](const std::string& line) { printed.push_back(line); });
    scripts.SetUp(*document_);
    host_.lines.clear();
    const int callsBefore = Control<TestDriverCallCountFn>("TestDriverCallCount")();
    EXPECT_TRUE(scripts.Run(script.string())) << scripts.ErrorText();
    std::vector<int> readAddresses;
    const int count = Control<TestDriverCallCountFn>("TestDriverCallCount")();
    for (int i = callsBefore; i < count; ++i) {
        const TestDriverCall call = Control<TestDriverCallAtFn>("TestDriverCallAt")(i);
        if (call.kind == TestCallGet)
            readAddresses.push_back(call.addr[0]);
    }
    EXPECT_THAT(readAddresses, ElementsAre(0x02, 0x01));
    EXPECT_THAT(host_.Texts(),
                ElementsAre("1 register with read side effects was not read; read it one by one",
                            "all read"));
    EXPECT_THAT(printed, ElementsAre(" 55 "));
}

TEST_F(ScriptingTest, EveryDescriptionGivesAConstantsModuleThatLoads) {
    // SAME in two devices gives two lines of that name; STOP, Rem and _SPARE are words Basic
    // reserves or could not start a name with. Scripts still compile: SAME is the first line's
    // number, and writing by it writes both registers, which the extension finds by name.
    Open("0: LEFT A1;\n1: SAME [0x01] = 0;\n   STOP [0x01] & 0x01;\n1: Rem [0x03] = 0;\n"
         "0: RIGHT A1;\n1: SAME [0x02] = 0;\n1: _SPARE [0x04] = 0;\n");
    const fs::path script = dir_ / "test.bas";
    std::ofstream(script) << "Sub Main\n"
                             "    Print SAME & \" \" & [STOP] & \" \" & [Rem] & \" \" & [_SPARE]\n"
                             "    WriteReg SAME, &H42\n"
                             "End Sub\n";
    std::vector<std::string> printed;
    ScriptHost scripts(host_, [&](const std::string& line) { printed.push_back(line); });
    scripts.SetUp(*document_);
    const int before = SetCalls();
    EXPECT_TRUE(scripts.Run(script.string())) << scripts.ErrorText();
    EXPECT_THAT(printed, ElementsAre("0 1 2 4"));
    EXPECT_EQ(SetCalls() - before, 2);
}

TEST_F(ScriptingTest, ScriptMacrosRunHeadlessAndErrorsAreReported) {
    std::ofstream(dir_ / "good.bas") << "Sub Main\n    Print \"macro ran\"\nEnd Sub\n";
    std::ofstream(dir_ / "bad.bas") << "Sub Main\n    Print 1 / 0\nEnd Sub\n";
    const fs::path path = dir_ / "board.vek";
    std::ofstream(path) << "#BeginBasic Good \"good.bas\" #EndBasic\n"
                        << "#BeginBasic Bad \"bad.bas\" #EndBasic\n";
    CVekDoc doc(host_);
    ASSERT_TRUE(doc.OpenDocument(path.string()));
    std::vector<std::string> printed;
    ScriptHost scripts(host_, [&](const std::string& line) { printed.push_back(line); });
    scripts.SetUp(doc);
    ASSERT_EQ(doc.GetScriptMacros().size(), 2u);
    doc.GetScriptMacros()[0]->Run(0);
    EXPECT_THAT(printed, ElementsAre("macro ran"));
    EXPECT_FALSE(scripts.Run(doc.GetScriptMacros()[1]->GetFile()));
    EXPECT_THAT(scripts.ErrorText(), HasSubstr("Error 11: Division by zero"));
}

TEST_F(ScriptingTest, MessageBoxesAndInputBoxesAskTheHost) {
    const fs::path script = dir_ / "ask.bas";
    std::ofstream(script) << "Sub Main\n"
                             "    Print MsgBox(\"Write?\", vbYesNo, \"Tuner\")\n"
                             "    Print InputBox(\"Gain?\", \"Tuner\", \"3\") + 1\n"
                             "    Print \"[\" & InputBox(\"Name?\") & \"]\"\n"
                             "End Sub\n";
    host_.QueueAnswer(Answer::Yes);
    host_.QueueText("41");
    host_.QueueText(std::nullopt);
    std::vector<std::string> printed;
    ScriptHost scripts(host_, [&](const std::string& line) { printed.push_back(line); });
    EXPECT_TRUE(scripts.Run(script.string())) << scripts.ErrorText();
    EXPECT_THAT(printed, ElementsAre(" 6 ", " 42 ", "[]"));
    ASSERT_EQ(host_.questions.size(), 1u);
    EXPECT_EQ(host_.questions[0].text, "Tuner: Write?");
    EXPECT_THAT(host_.textQuestions, ElementsAre("Tuner: Gain? [3]", ": Name? []"));
}

TEST_F(ScriptingTest, AScriptThatStillRunsKeepsItsHostFromClosing) {
    Open("0: CHIP A1;\n1: CTRL [0x01] = 0;\n");
    const fs::path script = dir_ / "loop.bas";
    std::ofstream(script) << "Sub Main\n    Do\n        WriteReg CTRL, 1\n    Loop\nEnd Sub\n";
    ScriptHost scripts(host_, [](const std::string&) {});
    scripts.SetUp(*document_);
    std::string error;
    ASSERT_TRUE(scripts.Engine().LoadModuleFile(script.string(), error)) << error;
    ASSERT_TRUE(scripts.Engine().Start(script.string(), "Main"));
    scripts.Engine().Run(1000); // an endless loop: one slice, then it is still running
    EXPECT_EQ(scripts.QueryClose(), CloseDecision::Busy);
    scripts.Engine().Stop();
    EXPECT_EQ(scripts.QueryClose(), CloseDecision::Close);
}

} // namespace
} // namespace vek
