// Saving register values into .vkg files and loading them back.
#include "test_driver_library.h"

#include "document/vek_doc.h"
#include "model/line_item.h"
#include "model/shadow_reg.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/resource.h>

namespace vek {
namespace {

using test::TestDriverLibrary;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// Registers of 1 to 4 bytes in several byte orders, one never known, and READ and STATUS
// registers that share their address with a WRITE register.
constexpr const char* kSizes = R"(#BeginRegisterList "testdrv.dll"
0: SIZES A1 D1;
1: ONE [0x01] = 0 b;
1: TWO [0x02] = 0 D2.2 O12 b;
1: SWAPPED [0x04] = 0 D2.2 O21 b;
1: THREE [0x08] = 0 D3.3 O132 b;
1: FOUR [0x10] = 0 D4.4 O4321 b;
1: MIXED [0x20] = 0 D4.4 O2143 b;
1: UNKNOWN [0x30] = 0 D2.2 w;
1: RD [0x40] = 0 r;
1: WR [0x40] = 0 w;
1: ST [0x41] = 0 s;
1: WS [0x41] = 0 w;
1: PR [0x42] = 0x5 f;
#EndRegisterList
)";

struct Snapshot {
    std::string address;
    AccessType access;
    bool valid;
    uint32_t value;
    bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* out) {
    *out << s.address << "/" << static_cast<int>(s.access) << (s.valid ? " = 0x" : " unknown 0x")
         << std::hex << s.value;
}

std::vector<Snapshot> Snap(const CVekDoc& doc) {
    std::vector<Snapshot> snapshot;
    const auto registers = doc.CollectRegisters("", "");
    for (const CShadowReg* reg : registers.value()) {
        snapshot.push_back({reg->AddressText(), reg->GetAccessType(), reg->IsValid(),
                            reg->IsValid() ? reg->GetValue() : 0});
    }
    return snapshot;
}

CLineItem& Item(const CVekDoc& doc, const std::string& name) {
    for (std::size_t i = 0; i < doc.GetItemCount(); ++i) {
        if (doc.GetItem(static_cast<int>(i))->GetName() == name) {
            return *doc.GetItem(static_cast<int>(i));
        }
    }
    throw std::runtime_error("no item " + name);
}

// Saves with a limit on the size of written files, which kills the process as it writes.
void SaveUnderSizeLimit(CVekDoc& doc, const std::string& file) {
    std::signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    limit.rlim_cur = 64;
    limit.rlim_max = 64;
    setrlimit(RLIMIT_FSIZE, &limit);
    doc.SaveValues(file, "new");
    std::exit(0);
}

class ValuesFile : public ::testing::Test {
protected:
    void SetUp() override {
        description = folder.Write("sizes.vek", kSizes);
        ASSERT_TRUE(doc.OpenDocument(description)) << ::testing::PrintToString(host.Texts());
        driver.SetRegister({0x01}, 0x9C);
        driver.SetRegister({0x02}, 0xBEEF);
        driver.SetRegister({0x04}, 0xBEEF);
        driver.SetRegister({0x08}, 0x123456);
        driver.SetRegister({0x10}, 0x89ABCDEF);
        driver.SetRegister({0x20}, 0x01020304);
        driver.SetRegister({0x40}, 0x12);
        driver.SetRegister({0x41}, 0x5C);
        driver.SetRegister({0x42}, 0x05);
        ASSERT_EQ(doc.ReadAll(), 0);
        Item(doc, "WR").SetValue(0x34);
        Item(doc, "WS").SetValue(0x56);
        driver.Reset();
        host.lines.clear();
    }

    std::string Values(const std::string& name) const { return folder.Path() + "/" + name; }

    TestDriverLibrary driver;
    test::TempFolder folder;
    RecordingHost host;
    CVekDoc doc{host};
    std::string description;
};

TEST_F(ValuesFile, SavedValuesComeBackExactlyAndAreWrittenAtOnce) {
    ASSERT_TRUE(doc.SaveValues(Values("board.vkg"), "after power-up"));
    const std::string text = folder.Read("board.vkg");
    EXPECT_THAT(text, HasSubstr("[HEADER]\nVersion=1.2\nSaveDate="));
    EXPECT_THAT(text, HasSubstr("\nVkgFile=board.vkg\nVekFile=" + description + "\nVekDate="));
    EXPECT_THAT(text, HasSubstr("\nComment=after power-up\n"));
    EXPECT_THAT(text, HasSubstr("[DRIVER]\nDRV1=testdrv.dll\n"));
    EXPECT_THAT(text, HasSubstr("[testdrv]\nDEV1=SIZES\n"));
    EXPECT_THAT(text, HasSubstr("[testdrv:SIZES]\nADDRSIZE=1\nREGCOUNT=12\n0x01=0x9c\n"
                                "0x02=0xbeef\n0x04=0xefbe\n0x08=0x341256\n0x10=0xefcdab89\n"
                                "0x20=0x02010403\n0x30=0xXXXX\n0x40=0x12R 0x34W\n"
                                "0x41=0x5cS 0x56W\n0x42=0x05\n"));

    TestDriverLibrary fresh;
    RecordingHost otherHost;
    CVekDoc other(otherHost);
    ASSERT_TRUE(other.OpenDocument(description));
    fresh.Reset();
    ASSERT_TRUE(other.LoadValues(Values("board.vkg")));
    EXPECT_THAT(otherHost.questions, IsEmpty());
    EXPECT_EQ(Snap(other), Snap(doc));
    // Every known value is written as loaded; READ and STATUS registers are not written.
    std::vector<std::pair<int, uint32_t>> written;
    for (const TestDriverCall& call : fresh.Calls(TestCallSet)) {
        written.emplace_back(call.addr[0], call.data);
    }
    EXPECT_THAT(written, ElementsAre(std::pair{0x01, 0x9Cu}, std::pair{0x02, 0xBEEFu},
                                     std::pair{0x04, 0xBEEFu}, std::pair{0x08, 0x123456u},
                                     std::pair{0x10, 0x89ABCDEFu}, std::pair{0x20, 0x01020304u},
                                     std::pair{0x40, 0x34u}, std::pair{0x41, 0x56u},
                                     std::pair{0x42, 0x05u}));
}

TEST_F(ValuesFile, SavingTwiceLeavesOneCopyOfEachKey) {
    folder.Write("twice.vkg", "[Stale]\nOld=1\n");
    ASSERT_TRUE(doc.SaveValues(Values("twice.vkg"), "first"));
    ASSERT_TRUE(doc.SaveValues(Values("twice.vkg"), "second\nline"));
    const std::string text = folder.Read("twice.vkg");
    const auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
            ++n;
        }
        return n;
    };
    EXPECT_EQ(count("[HEADER]"), 1u);
    EXPECT_EQ(count("DRV"), 1u);
    EXPECT_EQ(count("DEV1="), 1u);
    EXPECT_EQ(count("0x01="), 1u);
    EXPECT_EQ(count("Comment="), 1u);
    EXPECT_THAT(text, HasSubstr("Comment=second line\n"));
    EXPECT_THAT(text, Not(HasSubstr("Stale")));
    EXPECT_THAT(text, HasSubstr("0x40=0x12R 0x34W\n"));
}

TEST_F(ValuesFile, OnlyVkgFilesAreWritten) {
    EXPECT_FALSE(doc.SaveValues(Values("board.txt"), ""));
    EXPECT_FALSE(doc.SaveValues(Values("vkg"), ""));
    EXPECT_FALSE(std::filesystem::exists(Values("board.txt")));
    EXPECT_FALSE(std::filesystem::exists(Values("vkg")));
    ASSERT_EQ(host.lines.size(), 2u);
    EXPECT_TRUE(doc.SaveValues(Values("UPPER.VKG"), ""));
    EXPECT_FALSE(doc.SaveValues(folder.Path() + "/no/such/folder/x.vkg", ""));
    EXPECT_THAT(host.lines.back().text, HasSubstr("x.vkg"));
}

TEST_F(ValuesFile, AFileSavedForAnotherDescriptionAsksFirst) {
    const std::string vkg =
        folder.Write("foreign.vkg", "[HEADER]\nVkgFile=foreign.vkg\nVekFile=/boards/%file2.vek\n"
                                    "[testdrv:SIZES]\n0x01=0x11\n");
    EXPECT_FALSE(doc.LoadValues(vkg));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].kind, QuestionKind::YesNo);
    EXPECT_EQ(
        host.questions[0].text,
        "WARNING: Different Vek Files!\n\nThe Vkg file \"foreign.vkg\" was saved with the Vek "
        "file \"/boards/%file2.vek\". \nLoad it anyway?");
    const auto before = Snap(doc);
    EXPECT_THAT(driver.Calls(), IsEmpty());

    host.QueueAnswer(Answer::Yes);
    EXPECT_TRUE(doc.LoadValues(vkg));
    EXPECT_NE(Snap(doc), before);
    EXPECT_THAT(driver.Calls(TestCallSet), ::testing::SizeIs(1));
}

TEST_F(ValuesFile, MalformedLinesAreIgnoredAndTheRestIsLoaded) {
    const std::string header = "[HEADER]\nVekFile=" + description + "\n";
    const std::string vkg =
        folder.Write("bad.vkg", header + "[testdrv:SIZES]\n0x01=0x123\n0x02=0xZZZZ\n0x04=0x00a\n"
                                         "0x08=0xabcdef\n0x10=\n0x20=0xXXXXXXXX\n0x40=0x99R\n"
                                         "0x41 0x77\n=0x1\n0x42=0xff\n");
    const auto before = Snap(doc);
    ASSERT_TRUE(doc.LoadValues(vkg));
    EXPECT_THAT(host.questions, IsEmpty());
    auto expected = before;
    expected[3].value = 0xABCDEF; // THREE
    expected[5].valid = false;    // MIXED: "X" makes it unknown
    expected[5].value = 0;
    EXPECT_EQ(Snap(doc), expected);
    // THREE, and PR whose loaded value is written as its default.
    EXPECT_THAT(driver.Calls(TestCallSet), ::testing::SizeIs(2));
}

TEST_F(ValuesFile, TruncatedAndBinaryFilesLoadWhatIsValidAndSayWhatWasSkipped) {
    ASSERT_TRUE(doc.SaveValues(Values("whole.vkg"), ""));
    const std::string text = folder.Read("whole.vkg");
    const auto cut = text.find("0x08=0x34");
    ASSERT_NE(cut, std::string::npos);
    const std::string truncated = folder.Write("cut.vkg", text.substr(0, cut + 7));

    TestDriverLibrary fresh;
    RecordingHost otherHost;
    CVekDoc other(otherHost);
    ASSERT_TRUE(other.OpenDocument(description));
    ASSERT_TRUE(other.LoadValues(truncated));
    ASSERT_GE(otherHost.lines.size(), 2U);
    EXPECT_THAT(otherHost.lines[otherHost.lines.size() - 2].text,
                HasSubstr("cut.vkg: 1 line(s) skipped, not a value of the register's width: "
                          "[testdrv:SIZES] 0x08"));
    EXPECT_THAT(otherHost.lines.back().text,
                HasSubstr(" register(s) have no value in the file and keep theirs"));
    const auto loaded = Snap(other);
    EXPECT_TRUE(loaded[0].valid);  // ONE
    EXPECT_TRUE(loaded[2].valid);  // SWAPPED
    EXPECT_FALSE(loaded[3].valid); // THREE was cut
    EXPECT_FALSE(loaded[4].valid);

    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 7919) % 256);
    }
    binary += "\n[testdrv:SIZES]\n\0x01=0x42\n";
    otherHost.QueueAnswer(Answer::Yes);
    // Nothing in it is a value of this description: the load fails and says so.
    EXPECT_FALSE(other.LoadValues(folder.Write("noise.vkg", binary)));
    EXPECT_THAT(otherHost.lines.back().text,
                HasSubstr("noise.vkg: no value for a register of this description; nothing was "
                          "loaded"));
    EXPECT_EQ(Snap(other), loaded);

    EXPECT_FALSE(other.LoadValues(Values("absent.vkg")));
    EXPECT_THAT(otherHost.lines.back().text, HasSubstr("absent.vkg"));
}

TEST_F(ValuesFile, TwoDriversTakeDrv1AndDrv2) {
    RecordingHost otherHost;
    otherHost.QueueAnswer(Answer::Ok);
    CVekDoc two(otherHost);
    ASSERT_TRUE(two.OpenDocument(folder.Write(
        "two.vek", std::string(kSizes) + "#BeginRegisterList \"gone.dll\"\n0: GHOST A1 D1;\n"
                                         "1: G [0x01] = 1 b;\n#EndRegisterList\n")));
    ASSERT_TRUE(two.SaveValues(Values("two.vkg"), ""));
    const std::string text = folder.Read("two.vkg");
    EXPECT_THAT(text, HasSubstr("[DRIVER]\nDRV1=testdrv.dll\nDRV2=gone.dll\n"));
    EXPECT_THAT(text, HasSubstr("[gone]\nDEV1=GHOST\n"));
    EXPECT_THAT(text, HasSubstr("[gone:GHOST]\nADDRSIZE=1\nREGCOUNT=1\n0x01=0xXX\n"));
}

TEST_F(ValuesFile, ASaveKilledHalfWayLeavesTheOldFile) {
    const std::string old = "[HEADER]\nComment=the old values\n";
    const std::string vkg = folder.Write("kept.vkg", old);
    // The saving process is killed by the file-size limit while it writes.
    EXPECT_EXIT(SaveUnderSizeLimit(doc, vkg), ::testing::KilledBySignal(SIGXFSZ), "");
    EXPECT_EQ(folder.Read("kept.vkg"), old);
}

} // namespace
} // namespace vek
