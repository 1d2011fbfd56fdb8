// Reading a register-values file without its description: the registers it holds by device
// section and address, and the values of a line that two registers share.
#include "test_driver_library.h"

#include "document/values_file.h"
#include "document/vek_doc.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vek {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

MATCHER_P3(Saved, device, address, text, "") {
    return arg.device == device && arg.address == address && arg.text == text;
}

TEST(ValuesFileReader, WhatADocumentSavesIsReadBackRegisterByRegister) {
    test::TestDriverLibrary driver;
    test::TempFolder folder;
    const std::string board = folder.Write("board.vek", R"(#BeginRegisterList "testdrv.dll"
0: CHIP A2 D1 [0x10] << 1.1;
1: CTRL [0x00] = 0x5a b;
1: RD [0x01] = 0 r;
1: WR [0x01] = 0x22 w;
1: WIDE [0x02] = 0x1234 D2.2 b;
0: OTHER A1;
1: SPARE [0x40] = 0 b;
#EndRegisterList
)");
    RecordingHost host;
    CVekDoc doc(host);
    ASSERT_TRUE(doc.OpenDocument(board));
    doc.WriteAll(TransferFlag::WriteDefault);
    ProfileFile values;
    doc.StoreValues(values, "in memory");
    const SavedValues saved = SavedValuesOf(values);
    EXPECT_EQ(saved.vekFile, doc.GetPath());
    EXPECT_THAT(saved.registers, ElementsAre(Saved("testdrv:CHIP", "0x1000", "0x5a"),
                                             Saved("testdrv:CHIP", "0x1001", "0xXXR 0x22W"),
                                             Saved("testdrv:CHIP", "0x1002", "0x1234"),
                                             Saved("testdrv:OTHER", "0x40", "0x00")));
}

TEST(ValuesFileReader, DevicesAndKeysListedTwiceAreReadOnceAndOtherKeysNotAtAll) {
    test::TempFolder folder;
    const std::string file = folder.Write("twice.vkg", "[HEADER]\nVersion=1.2\n"
                                                       "[DRIVER]\nDRV1=testdrv.dll\n"
                                                       "[testdrv]\nDEV1=CHIP\nDEV2=chip\n"
                                                       "[testdrv:CHIP]\nADDRSIZE=1\nREGCOUNT=2\n"
                                                       "; 0x02=0x99\n0x01=0x11\n0X01=0x22\n"
                                                       "0x03 = \"0x33\"\n");
    const Result<SavedValues> saved = ReadValuesFile(file);
    ASSERT_TRUE(saved) << saved.Error().text;
    EXPECT_THAT(saved.Value().registers, ElementsAre(Saved("testdrv:CHIP", "0x01", "0x11"),
                                                     Saved("testdrv:CHIP", "0x03", "0x33")));
}

TEST(ValuesFileReader, FilesThatAreNoValuesFilesAreFailuresThatSayWhy) {
    test::TempFolder folder;
    EXPECT_THAT(ReadValuesFile(folder.Path() + "/none.vkg").Error().text,
                HasSubstr("none.vkg: no such register-values file"));
    EXPECT_THAT(ReadValuesFile(folder.Path()).Error().text,
                HasSubstr(": no such register-values file"));
    const std::string notes = folder.Write("notes.vkg", "[Notes]\nmonday=fine\n");
    EXPECT_EQ(ReadValuesFile(notes).Error().text,
              notes + ": not a register-values file (no HEADER or DRIVER section)");
}

TEST(ValuesFileReader, TheDescriptionOfAValuesFileIsNeverAValuesFile) {
    const auto description = [](std::string_view text) {
        const Result<std::string> named = DescriptionOfValues(ProfileFile::Parse(text));
        return named ? named.Value() : "refused: " + named.Error().text;
    };
    // The description a document stores, also one without the usual ending.
    EXPECT_EQ(description("[HEADER]\nVekFile=/boards/a.vek\n"), "/boards/a.vek");
    EXPECT_EQ(description("[HEADER]\nVekFile=/boards/a.txt\n"), "/boards/a.txt");
    EXPECT_EQ(description("[HEADER]\nVekFile=/boards/vkg\n"), "/boards/vkg");
    // A values file, in any case of its ending, would be opened in place of a description.
    EXPECT_EQ(description("[HEADER]\nVekFile=/boards/self.vkg\n"),
              "refused: names the register-values file /boards/self.vkg as its description; "
              "only a description is opened with values");
    EXPECT_EQ(description("[HEADER]\nVekFile=other.VKG\n"),
              "refused: names the register-values file other.VKG as its description; only a "
              "description is opened with values");
    EXPECT_EQ(description("[HEADER]\nVersion=1.2\n"), "refused: names no description");
    EXPECT_EQ(description(""), "refused: names no description");

    EXPECT_TRUE(HasValuesEnding("/a/b.Vkg"));
    EXPECT_FALSE(HasValuesEnding("/a/.vkg"));
    EXPECT_FALSE(HasValuesEnding("/a.vkg/board.vek"));
}

TEST(ValuesFileReader, ASharedLineSplitsIntoItsRegistersValues) {
    const auto parts = [](const std::string& text) {
        std::vector<std::pair<SavedRole, std::string>> split;
        for (const SavedPart& part : SavedParts(text))
            split.emplace_back(part.role, part.text);
        return split;
    };
    using P = std::pair<SavedRole, std::string>;
    EXPECT_THAT(parts("0x12"), ElementsAre(P{SavedRole::Whole, "0x12"}));
    EXPECT_THAT(parts("0x12R 0x34W"),
                ElementsAre(P{SavedRole::Read, "0x12"}, P{SavedRole::Write, "0x34"}));
    EXPECT_THAT(parts("0xXXXXS 0x1234W"),
                ElementsAre(P{SavedRole::Status, "0xXXXX"}, P{SavedRole::Write, "0x1234"}));
    // Not a pair as the program writes one: compared as it stands.
    EXPECT_THAT(parts("0x12 0x34"), ElementsAre(P{SavedRole::Whole, "0x12 0x34"}));
    EXPECT_THAT(parts("R W"), ElementsAre(P{SavedRole::Whole, "R W"}));
}

} // namespace
} // namespace vek
