#include "compiler/builder.h"
#include "compiler/description_parser.h"
#include "model/basic_macro.h"
#include "model/bit_item.h"
#include "model/byte_item.h"
#include "model/macro_ref.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace vek {
namespace {

using ::testing::ElementsAre;

struct Compiled {
    // The macros keep the host they were compiled with, to repaint after a pause.
    std::unique_ptr<RecordingHost> host = std::make_unique<RecordingHost>();
    int errors = 0;
    std::vector<std::string> lines;
    std::unique_ptr<CItemList> items;
    std::vector<std::unique_ptr<CVekMacro>> macros;
    std::vector<std::unique_ptr<CBasicMacro>> scripts;

    template <typename Item = CLineItem>
    Item& Find(const std::string& name) const {
        for (CLineItem& item : *items) {
            if (item.GetName() == name)
                return static_cast<Item&>(item);
        }
        throw std::runtime_error("no item " + name);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (CLineItem& item : *items)
            names.emplace_back(item.GetName());
        return names;
    }
};

Compiled Compile(const std::string& text, const std::string& path = "/boards/t.vek") {
    DescriptionParser parser([] { return std::make_unique<CBuilder>(); });
    Compiled c;
    parser.Compile(path, text, c.host.get());
    auto& builder = static_cast<CBuilder&>(*parser.Builder());
    c.errors = parser.ErrorCount();
    c.lines = c.host->Texts();
    c.items = builder.TakeItems();
    c.macros = builder.TakeMacros();
    c.scripts = builder.TakeScriptMacros();
    return c;
}

std::string List(const std::string& body) {
    return "#BeginRegisterList \"board.dll\"\n" + body + "#EndRegisterList\n";
}

std::string Address(const CDeviceItem& item) {
    std::string text;
    const auto& bytes = item.GetAddressBytes();
    for (int i = item.GetAddressLength() - 1; i >= 0; --i) {
        static const char digits[] = "0123456789abcdef";
        text += digits[bytes[static_cast<std::size_t>(i)] >> 4];
        text += digits[bytes[static_cast<std::size_t>(i)] & 15];
    }
    return text;
}

TEST(Builder, AddressesAreLaidOutByteByByteBelowTheDevice) {
    const Compiled c = Compile(List("0: CHIP A2 [0x12] << 1.1;\n"
                                    "1: REG [0x56] = 0;\n"
                                    "0: NARROW A1;\n"
                                    "1: ONE [0x1] << 0.1 = 0;\n"
                                    "0: WIDE A2;\n"
                                    "1: TWO [0x123] = 0;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    EXPECT_EQ(Address(c.Find<CDeviceItem>("REG")), "1256");
    EXPECT_EQ(c.Find<CDeviceItem>("REG").GetAddressText(), "5612");
    EXPECT_EQ(c.Find<CDeviceItem>("CHIP").GetAddressText(), "XX12");
    EXPECT_EQ(c.Find<CDeviceItem>("ONE").GetAddressText(), "01");
    EXPECT_EQ(Address(c.Find<CDeviceItem>("TWO")), "0123");
    EXPECT_EQ(c.Find<CDeviceItem>("TWO").GetAddressDisplayWidth(), 2);
    EXPECT_EQ(c.Find<CDeviceItem>("TWO").GetAddressDisplay(), "0123");
}

TEST(Builder, AConstructSpreadOverMegabytesKeepsTheTextsItHolds) {
    // A register written over several lines, close together or with comments between: a few
    // pages between its address digits and the next token, more than the scanner gives back at
    // a time between the others. Built the same either way.
    const auto registerSpreadBy = [](const std::string& pages, const std::string& megabytes) {
        return Compile(List("0: CHIP A2 D2 O21 [0x01] << 1.1;\n1: REG" + pages + "[0x23" + pages +
                            "]" + megabytes + "<< 0.1 &" + megabytes + "0xF0F0 =" + megabytes +
                            "0x1234" + megabytes + ";\n"));
    };
    const auto comments = [](std::size_t bytes) {
        std::string text = "\n";
        while (text.size() < bytes)
            text += "// a comment between two tokens of the register, read past before its end\n";
        return text;
    };
    const Compiled spread = registerSpreadBy(comments(4u << 12), comments(3u << 19));
    const Compiled close = registerSpreadBy("\n", "\n");
    ASSERT_EQ(close.errors, 0);
    ASSERT_EQ(spread.errors, 0);
    const auto& far = spread.Find<CByteItem>("REG");
    const auto& near = close.Find<CByteItem>("REG");
    EXPECT_EQ(Address(far), "0123");
    EXPECT_EQ(far.GetByteOrder(), "21");
    EXPECT_EQ(far.GetAddressDisplay(), near.GetAddressDisplay());
    EXPECT_EQ(far.GetPart(0).mask, near.GetPart(0).mask);
    EXPECT_EQ(far.GetDefault(), near.GetDefault());
    EXPECT_EQ(far.GetDataLength(), 2);
}

TEST(Builder, MasksDefaultsAndAccessTypesComeFromTheRegisterOrItsContext) {
    const Compiled c = Compile(List("0: CHIP A1 D2 O21;\n"
                                    "1: \"Inputs\" r; 2:\n"
                                    "   WORD [0x01] = 0x1234;\n"
                                    "2: FIELD [0x02] & 0x0C = 3 w;\n"
                                    "   LOW [0x02] & 0x04;\n"
                                    "   ALL [0x02];\n"
                                    "1: $ V = 0x1FF B8 TC SL;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    const auto& word = c.Find<CByteItem>("WORD");
    EXPECT_EQ(word.GetMask(), 0xFFFFu);
    EXPECT_EQ(word.GetDefault(), 0x1234u);
    EXPECT_EQ(word.GetAccessType(), AccessType::Read);
    EXPECT_EQ(word.GetByteOrder(), "21");
    const auto& field = c.Find<CByteItem>("FIELD");
    EXPECT_EQ(field.GetDefault(), 0x0Cu); // the value is spread over the mask bits
    EXPECT_EQ(field.GetWidth(), 2);
    EXPECT_EQ(field.GetAccessType(), AccessType::Write);
    const auto& low = c.Find<CBitItem>("LOW");
    EXPECT_EQ(low.GetRegister(), &field);
    EXPECT_EQ(low.GetAccessType(), AccessType::Write);
    EXPECT_EQ(c.Find<CBitItem>("ALL").GetMask(), 0x0Cu); // taken from the register's part
    const auto& v = c.Find<CVarItem>("V");
    EXPECT_EQ(v.GetValueField(), 0xFFu);
    EXPECT_EQ(v.GetWidth(), 8);
    EXPECT_TRUE(v.HasFlags(ItemFlag::Signed | ItemFlag::Slider | ItemFlag::ValueShown));
}

TEST(Builder, AnExclamationMarkAfterTheAccessLetterMarksARegisterWhoseReadChangesTheChip) {
    const Compiled c = Compile(List("0: CHIP A4 D1;\n"
                                    "1: FIFO [0x40004000] = 0 D1.1 r ! ? FifoHelp;\n"
                                    "   LEVEL [0x40004000] & 0x0F;\n"
                                    "1: DATA [0x40004001] = 0 !;\n"
                                    "1: PAIR [0x40004002] = 0, [0x40004003] = 0 s ! TC SL;\n"
                                    "1: PLAIN [0x40004004] = 0 b;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    EXPECT_TRUE(c.Find<CByteItem>("FIFO").HasFlags(ItemFlag::ReadEffects));
    EXPECT_EQ(c.Find<CByteItem>("FIFO").GetAccessType(), AccessType::Read);
    EXPECT_TRUE(c.Find<CByteItem>("DATA").HasFlags(ItemFlag::ReadEffects));
    const auto& pair = c.Find<CByteItem>("PAIR");
    EXPECT_TRUE(pair.HasFlags(ItemFlag::ReadEffects | ItemFlag::Signed | ItemFlag::Slider));
    EXPECT_FALSE(c.Find<CByteItem>("PLAIN").HasFlags(ItemFlag::ReadEffects));
    // The mark is the register's; its bit fields read through it.
    EXPECT_FALSE(c.Find<CBitItem>("LEVEL").HasFlags(ItemFlag::ReadEffects));
}

TEST(Builder, OnlyARegisterTakesTheReadMark) {
    const struct {
        const char* body;
        const char* error;
    } cases[] = {
        {"1: REG [0x01] = 0;\n   LOW [0x01] & 0x01 !;\n", "Line 4: error P02: wrong syntax '!'"},
        {"1: $ V = 1 B8 !;\n", "Line 3: error P02: wrong syntax '!'"},
        {"1: \"Set\" r !;\n", "Line 3: error P02: wrong syntax '!'"},
        {"1: REG [0x01] = 0 ! r;\n", "Line 3: error P02: wrong syntax 'r'"},
    };
    for (const auto& c : cases) {
        const Compiled compiled = Compile(List(std::string("0: CHIP A1;\n") + c.body));
        EXPECT_GT(compiled.errors, 0) << c.body;
        EXPECT_THAT(compiled.lines, ::testing::Contains(c.error)) << c.body;
    }
}

TEST(Builder, ARegisterOfSeveralPartsKeepsEachPart) {
    const Compiled c =
        Compile(List("0: CHIP A1;\n"
                     "1: JOINED [0x10] & 0x0F = 0x5, [0x11] = 0xAB D1, [0x12] & 0x3 = 1;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    const auto& reg = c.Find<CByteItem>("JOINED");
    ASSERT_EQ(reg.GetPartCount(), 3u);
    EXPECT_EQ(reg.GetTotalWidth(), 4 + 8 + 2);
    EXPECT_EQ(reg.GetPart(0).address[0], 0x10);
    EXPECT_EQ(reg.GetPart(1).defaultValue, 0xABu);
    EXPECT_EQ(reg.GetPart(2).mask, 0x3u);
    EXPECT_EQ(reg.GetLevel(), 2);
}

TEST(Builder, TreeOrderFollowsTheLabelsNotTheDescription) {
    const Compiled c = Compile(List("0: CHIP A1;\n"
                                    "1: \"First\" b; 2:\n"
                                    "   F1 [0x01] = 0;\n"
                                    "1: \"Second\" b; 3:\n"
                                    "   S1 [0x11] = 0;\n"
                                    "2: F2 [0x02] = 0;\n"
                                    "   F2_BIT [0x02] & 0x01; \"off\";\n"
                                    "3: S2 [0x12] = 0;\n"
                                    "1: LAST [0x20] = 0;\n") +
                               List("0: OTHER A1;\n1: OREG [0x01] = 0;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    EXPECT_THAT(c.Names(), ElementsAre("board.dll", "CHIP", "First", "F1", "F2", "F2_BIT", "off",
                                       "Second", "S1", "S2", "LAST", "board.dll", "OTHER", "OREG"));
    EXPECT_EQ(c.Find("F2").GetLevel(), 3);
    EXPECT_EQ(c.Find("F2_BIT").GetLevel(), 4);
    EXPECT_EQ(c.Find("off").GetLevel(), 5);
    EXPECT_EQ(c.Find("LAST").GetLevel(), 2);
}

TEST(Builder, MacrosHoldTheirStepsWithResolvedItemsAndRun) {
    Compiled c = Compile(List("0: CHIP A1;\n"
                              "1: $ TARGET = 1;\n"
                              "1: $ SOURCE = 7;\n"
                              "1: REG [0x01] = 0 R{ Init } W{ , Init };\n") +
                         "#BeginMacro Init P\n[CHIP]\n  TARGET = SOURCE;\n  SOURCE = 0x10;\n"
                         "  sleep(0);\n#EndMacro\n");
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    ASSERT_EQ(c.macros.size(), 1u);
    CVekMacro& macro = *c.macros[0];
    EXPECT_EQ(macro.GetName(), "Init");
    EXPECT_TRUE(macro.OnMacroBar());
    ASSERT_EQ(macro.GetSteps().size(), 8u);
    const auto& steps = macro.GetSteps();
    EXPECT_EQ(std::get<MacroItemOperand>(steps[0]).item, &c.Find("TARGET"));
    EXPECT_EQ(std::get<MacroItemOperand>(steps[1]).item, &c.Find("SOURCE"));
    EXPECT_TRUE(std::holds_alternative<MacroAssignment>(steps[2]));
    EXPECT_EQ(std::get<MacroNumberOperand>(steps[4]).value, 0x10u);
    EXPECT_TRUE(std::holds_alternative<MacroSleep>(steps[7]));
    const auto& reg = c.Find<CByteItem>("REG");
    ASSERT_NE(reg.GetBeforeRead(), nullptr);
    EXPECT_EQ(reg.GetBeforeRead()->GetMacro(), &macro);
    EXPECT_EQ(reg.GetAfterRead(), nullptr);
    EXPECT_EQ(reg.GetAfterWrite()->GetMacro(), &macro);

    macro.Run(0);
    EXPECT_EQ(c.Find("TARGET").GetValue(), 7u);
    EXPECT_EQ(c.Find("SOURCE").GetValue(), 0x10u);
}

TEST(Builder, AMacroStatementNamingAnotherDevicesItemDoesNothing) {
    // OTHER is a name of the description, so no error is reported, but not one of ONE's.
    Compiled c = Compile(List("0: ONE A1;\n1: $ ALPHA = 1;\n1: $ BETA = 2;\n"
                              "0: TWO A1;\n1: $ OTHER = 3;\n") +
                         "#BeginMacro M\n[ONE]\n  ALPHA = 0x5;\n  OTHER = BETA;\n"
                         "  BETA = OTHER;\n#EndMacro\n");
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    c.macros[0]->Run(0);
    EXPECT_EQ(c.Find("ALPHA").GetValue(), 5u);
    EXPECT_EQ(c.Find("BETA").GetValue(), 2u) << "the source of a statement without target is kept";
    EXPECT_EQ(c.Find("OTHER").GetValue(), 3u);
}

TEST(Builder, DevicesRepeatNamesAndAMacroReachesItsTargetDevicesOwn) {
    Compiled c = Compile(List("0: ONE A1;\n1: REG [0x01] = 0;\n1: $ V = 1;\n"
                              "0: TWO A1;\n1: reg [0x01] = 0;\n1: $ v = 2;\n"
                              "0: THREE A1;\n1: Reg [0x01] = 0;\n1: $ V = 3;\n") +
                         "#BeginMacro M\n[two]\n  V = 0x9;\n#EndMacro\n");
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    c.macros[0]->Run(0);
    std::vector<std::string> values;
    for (CLineItem& item : *c.items) {
        if (item.GetKind() == ItemKind::Variable)
            values.push_back(std::string(item.GetName()) + "=" + std::to_string(item.GetValue()));
    }
    EXPECT_THAT(values, ElementsAre("V=1", "v=9", "V=3"));
}

TEST(Builder, ScriptMacroFilesAreCheckedAgainstTheDescriptionsFolder) {
    const auto dir = std::filesystem::temp_directory_path() / "vek_builder_test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "init.bas") << "Sub Main\nEnd Sub\n";
    const std::string path = (dir / "board.vek").string();
    const Compiled c = Compile("#BeginBasic Init P L \"init.bas\" #EndBasic\n"
                               "#BeginBasic Gone \"gone.bas\" #EndBasic\n"
                               "#BeginBasic Empty \"\" #EndBasic\n",
                               path);
    ASSERT_EQ(c.scripts.size(), 3u);
    EXPECT_EQ(c.scripts[0]->GetFile(), (dir / "init.bas").string());
    EXPECT_TRUE(c.scripts[0]->IsValid());
    EXPECT_TRUE(c.scripts[0]->OnMacroBar());
    EXPECT_TRUE(c.scripts[0]->LoadIntoEditor());
    EXPECT_FALSE(c.scripts[1]->IsValid());
    EXPECT_FALSE(c.scripts[2]->IsValid());
    EXPECT_THAT(c.lines,
                ElementsAre("Parsing...", path,
                            "Warning: File '" + (dir / "gone.bas").string() + "' not found.",
                            "Warning: File '' not correct or no filename given.", "Linking..."));
    std::filesystem::remove_all(dir);
}

TEST(Builder, NothingIsCreatedAfterTheFirstError) {
    const Compiled c =
        Compile(List("0: CHIP A1;\n1: ONE [0x01] & 0x100 = 0;\n1: TWO [0x02] = 0;\n"));
    EXPECT_EQ(c.errors, 1);
    EXPECT_THAT(c.Names(), ElementsAre("board.dll", "CHIP", "ONE"));
}

TEST(Builder, ConstantsAreReadInTheirRadixAndSaturateAt32Bits) {
    const Compiled c = Compile(List("0: CHIP A1;\n1: $ BIN = 0B101;\n1: $ HEX = 0XfF;\n"
                                    "1: $ DEC = 0042;\n1: $ HUGE = 99999999999;\n"
                                    "1: $ WIDE = 0x123456789;\n"));
    ASSERT_EQ(c.errors, 0) << c.lines.back();
    EXPECT_EQ(c.Find<CVarItem>("BIN").GetValueField(), 5u);
    EXPECT_EQ(c.Find<CVarItem>("HEX").GetValueField(), 0xFFu);
    EXPECT_EQ(c.Find<CVarItem>("DEC").GetValueField(), 42u);
    EXPECT_EQ(c.Find<CVarItem>("HUGE").GetValueField(), 0xFFFFFFFFu);
    EXPECT_EQ(c.Find<CVarItem>("WIDE").GetValueField(), 0xFFFFFFFFu);
}

TEST(Builder, HugeNumbersAndDeepLabelsAreHandledWithoutHarm) {
    const Compiled c = Compile(List("0: CHIP A99999999999999999999 D99999999999;\n"
                                    "99: REG [0xFFFFFFFFFFFFFFFFFFFFFFFFFFFF] << 99999.99999 & "
                                    "0xFFFFFFFFFFFFFFFFF = 99999999999999999999;\n"));
    EXPECT_GT(c.errors, 0);
    const Compiled labels = Compile(List("0: CHIP A1;\n1: \"a\" b; 2: \"b\" b; 3: \"c\" b; 4: "
                                         "\"d\" b; 5: \"e\" b; 6: \"f\" b; 7: \"g\" b; 8: \"h\" "
                                         "b; 9:\n REG [0x01] = 0;\n9: REG2 [0x02] = 0;\n"));
    EXPECT_EQ(labels.errors, 0) << labels.lines.back();
    EXPECT_EQ(labels.Find("REG2").GetLevel(), labels.Find("REG").GetLevel());
    EXPECT_EQ(labels.Find("REG").GetLevel(), 10);
}

} // namespace
} // namespace vek
