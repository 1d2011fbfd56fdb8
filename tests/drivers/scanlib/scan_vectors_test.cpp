#include "scan_fixture.h"

#include <string>

namespace bsx4810::test {
namespace {

constexpr uint16_t kWord32[2] = {0x0900, 0x0022}; // 0x00220900, bit 0 first

TEST_F(ScanLibraryTest, EveryCallButTheResetsIsRefusedBeforeAReset) {
    uint16_t word = 0x15;
    EXPECT_EQ(library.Scan(1, ScanRegister::Instruction, &word, 5, nullptr), 1);
    EXPECT_EQ(library.Scan(1, ScanRegister::Data, &word, 5, nullptr), 1);
    EXPECT_EQ(library.ScanToPause(1, ScanRegister::Data, &word, 5, nullptr), 1);
    EXPECT_EQ(library.ScanTdio(1, &word, 5, nullptr), 1);
    EXPECT_EQ(library.MultiScan(1, ScanRegister::Data, &word, 5, 1, nullptr), 1);
    EXPECT_EQ(library.MoveToState(1, kRunTestIdle), 1);
    EXPECT_TRUE(log->requests.empty());

    EXPECT_EQ(library.TmsReset(1), 0);
    EXPECT_EQ(library.Scan(1, ScanRegister::Instruction, &word, 5, nullptr), 0);
    // Port 2 is a TAP of its own and still unknown.
    EXPECT_EQ(library.Scan(2, ScanRegister::Instruction, &word, 5, nullptr), 1);
}

TEST_F(ScanLibraryTest, ResetsSendTheirVectorsOnTheirPort) {
    EXPECT_EQ(library.TmsReset(1), 0);
    EXPECT_EQ(log->LastVectors(), Tms("11111"));
    EXPECT_EQ(log->requests.back().code, 6u);
    EXPECT_EQ(library.TrstReset(2), 0);
    EXPECT_EQ(log->LastVectors(), std::vector<uint8_t>{0x20});
    EXPECT_EQ(log->requests.back().code, 7u);
    EXPECT_EQ(library.RecordedState(1), kTestLogicReset);
    EXPECT_EQ(library.RecordedState(2), kTestLogicReset);
}

TEST_F(ScanLibraryTest, PortsOutsideZeroToTwoAreRefusedAndPortZeroFailsAtTheSend) {
    EXPECT_EQ(library.TmsReset(3), 1);
    EXPECT_EQ(library.TmsReset(-1), 1);
    EXPECT_TRUE(log->requests.empty());
    EXPECT_EQ(library.TmsReset(0), 1);
    EXPECT_EQ(library.TrstReset(0), 1);
    EXPECT_TRUE(log->VectorRequests().empty());
    // The parallel port was still set up by the first send.
    ASSERT_EQ(log->requests.size(), 1u);
    EXPECT_EQ(log->requests[0].code, 4u);
    EXPECT_EQ(log->requests[0].input, (std::vector<uint8_t>{12, 0, 0, 0}));
}

TEST_F(ScanLibraryTest, DataScanOf32BitsFromIdleIs37Vectors) {
    StartIn(kRunTestIdle);
    EXPECT_EQ(library.Scan(1, ScanRegister::Data, kWord32, 32, nullptr), 0);
    const auto vectors = log->LastVectors();
    EXPECT_EQ(vectors.size(), 37u);
    EXPECT_EQ(vectors, Join({Tms("100"), Shift(0x00220900, 32, true), Tms("10")}));
    EXPECT_EQ(library.RecordedState(1), kRunTestIdle);
}

TEST_F(ScanLibraryTest, NullTdiShiftsOnes) {
    StartIn(kRunTestIdle);
    EXPECT_EQ(library.Scan(1, ScanRegister::Instruction, nullptr, 5, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Join({Tms("1100"), Shift(0x1F, 5, true), Tms("10")}));
}

struct EntryCase {
    int start;
    ScanRegister reg;
    uint16_t bits;
    const char* entry; // TMS levels before the shift
};

class ScanEntryTest : public ScanLibraryTest, public testing::WithParamInterface<EntryCase> {};

TEST_P(ScanEntryTest, EntersTheShiftFromEachStableState) {
    const EntryCase& c = GetParam();
    StartIn(c.start);
    const uint16_t tdi = 0x2D;
    ASSERT_EQ(library.Scan(1, c.reg, &tdi, c.bits, nullptr), 0);
    EXPECT_EQ(log->LastVectors(),
              Join({Tms(c.entry), Shift(tdi, c.bits, true), Tms("1"), Tms("0")}));
    EXPECT_EQ(library.RecordedState(1), kRunTestIdle);
}

constexpr ScanRegister IR = ScanRegister::Instruction;
constexpr ScanRegister DR = ScanRegister::Data;

INSTANTIATE_TEST_SUITE_P(
    StartStates, ScanEntryTest,
    testing::Values(EntryCase{kTestLogicReset, IR, 6, "01100"},
                    EntryCase{kTestLogicReset, DR, 6, "0100"},
                    EntryCase{kTestLogicReset, IR, 0, "01101"},
                    EntryCase{kTestLogicReset, DR, 0, "0101"},
                    EntryCase{kRunTestIdle, IR, 6, "1100"}, EntryCase{kRunTestIdle, DR, 6, "100"},
                    EntryCase{kRunTestIdle, IR, 0, "1101"}, EntryCase{kRunTestIdle, DR, 0, "101"},
                    EntryCase{kPauseIr, IR, 6, "10"}, EntryCase{kPauseIr, DR, 6, "11100"},
                    EntryCase{kPauseIr, DR, 0, "11101"}, EntryCase{kPauseDr, IR, 6, "111100"},
                    EntryCase{kPauseDr, DR, 6, "10"}, EntryCase{kPauseDr, IR, 0, "111101"},
                    // A zero-bit scan of the paused register steps to Exit2 so that it updates.
                    EntryCase{kPauseIr, IR, 0, "1"}, EntryCase{kPauseDr, DR, 0, "1"}));

TEST_F(ScanLibraryTest, SingleScansEndInTheStopState) {
    const std::pair<int, const char*> stops[] = {
        {kTestLogicReset, "111"}, {kRunTestIdle, "0"}, {kPauseDr, "1010"}, {kPauseIr, "11010"}};
    StartIn(kRunTestIdle);
    for (const auto& [stop, moves] : stops) {
        SCOPED_TRACE(stop);
        ASSERT_EQ(library.SetStopState(stop), 0);
        ASSERT_EQ(library.MoveToState(1, kRunTestIdle), 0);
        ASSERT_EQ(library.Scan(1, DR, kWord32, 3, nullptr), 0);
        EXPECT_EQ(log->LastVectors(), Join({Tms("100"), Shift(0, 3, true), Tms("1"), Tms(moves)}));
        EXPECT_EQ(library.RecordedState(1), stop);
    }
}

TEST_F(ScanLibraryTest, StopStateAcceptsOnlyStableStates) {
    EXPECT_EQ(library.SetStopState(5), 1);
    EXPECT_EQ(library.SetStopState(0), 1);
    StartIn(kRunTestIdle);
    ASSERT_EQ(library.Scan(1, DR, kWord32, 1, nullptr), 0);
    EXPECT_EQ(library.RecordedState(1), kRunTestIdle);
}

TEST_F(ScanLibraryTest, ScansToPauseIgnoreTheStopState) {
    ASSERT_EQ(library.SetStopState(kTestLogicReset), 0);
    StartIn(kRunTestIdle);
    const uint16_t tdi = 0xA5;
    ASSERT_EQ(library.ScanToPause(1, DR, &tdi, 8, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Join({Tms("100"), Shift(0xA5, 8, true), Tms("0")}));
    EXPECT_EQ(library.RecordedState(1), kPauseDr);

    // Zero bits in the pause state of the same register: stay there.
    ASSERT_EQ(library.ScanToPause(1, DR, nullptr, 0, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Tms("00"));

    ASSERT_EQ(library.ScanToPause(1, IR, nullptr, 0, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Join({Tms("111101"), Tms("0")}));
    EXPECT_EQ(library.RecordedState(1), kPauseIr);
}

TEST_F(ScanLibraryTest, RawShiftMovesNothing) {
    StartIn(kRunTestIdle);
    const uint16_t tdi = 0b1010;
    ASSERT_EQ(library.ScanTdio(1, &tdi, 4, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Shift(0b1010, 4, false));
    EXPECT_EQ(library.RecordedState(1), kRunTestIdle);

    // In Test-Logic-Reset TMS stays high on every clock.
    StartIn(kTestLogicReset);
    ASSERT_EQ(library.ScanTdio(1, &tdi, 4, nullptr), 0);
    EXPECT_EQ(log->LastVectors(), Shift(0b1010, 4, false, 0x08));

    log->requests.clear();
    EXPECT_EQ(library.ScanTdio(1, &tdi, 0, nullptr), 0);
    EXPECT_TRUE(log->requests.empty());
}

TEST_F(ScanLibraryTest, MovesFollowTheTableForEveryPair) {
    const char* const moves[4][4] = {
        {"0111", "0", "01010", "011010"},
        {"111", "0", "1010", "11010"},
        {"11111", "110", "111010", "1111010"},
        {"11111", "110", "111010", "1111010"},
    };
    for (int from = kTestLogicReset; from <= kPauseIr; ++from) {
        for (int to = kTestLogicReset; to <= kPauseIr; ++to) {
            SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
            StartIn(from);
            ASSERT_EQ(library.MoveToState(1, to), 0);
            EXPECT_EQ(log->LastVectors(), Tms(moves[from - 1][to - 1]));
            EXPECT_EQ(library.RecordedState(1), to);
        }
    }
    log->requests.clear();
    EXPECT_EQ(library.MoveToState(1, 0), 1);
    EXPECT_EQ(library.MoveToState(1, 5), 1);
    EXPECT_TRUE(log->requests.empty());
}

TEST_F(ScanLibraryTest, MultipleScansSendOneRequestPerScanThenTheStopMoves) {
    StartIn(kRunTestIdle);
    const uint16_t tdi[3] = {0x11, 0x22, 0x33};
    ASSERT_EQ(library.MultiScan(1, DR, tdi, 8, 3, nullptr), 0);
    const auto requests = log->VectorRequests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].input, Join({Tms("100"), Shift(0x11, 8, true), Tms("1")}));
    EXPECT_EQ(requests[1].input, Join({Tms("100"), Shift(0x22, 8, true), Tms("1")}));
    EXPECT_EQ(requests[2].input, Join({Tms("100"), Shift(0x33, 8, true), Tms("1")}));
    EXPECT_EQ(requests[3].input, Tms("0"));
    EXPECT_EQ(library.RecordedState(1), kRunTestIdle);
}

TEST_F(ScanLibraryTest, MultipleScansAdvanceByWholeWordsAndStopAtTheFirstFailure) {
    StartIn(kPauseIr);
    const uint16_t tdi[4] = {0x8001, 0x0001, 0x0003, 0x0000}; // 17 bits take two words
    log->failVectorRequest = log->vectorRequestsSeen + 1;
    EXPECT_EQ(library.MultiScan(1, IR, tdi, 17, 3, nullptr), 1);
    const auto requests = log->VectorRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].input, Join({Tms("10"), Shift(0x18001, 17, true), Tms("1")}));
    EXPECT_EQ(requests[1].input, Join({Tms("1100"), Shift(0x00003, 17, true), Tms("1")}));
    // The TAP was left in Update, which no call may start from.
    EXPECT_EQ(library.RecordedState(1), kUpdate);
    EXPECT_EQ(library.Scan(1, IR, tdi, 5, nullptr), 1);
}

TEST_F(ScanLibraryTest, MultipleScansWithCountZeroAreRefused) {
    StartIn(kRunTestIdle);
    EXPECT_EQ(library.MultiScan(1, DR, nullptr, 8, 0, nullptr), 1);
    EXPECT_TRUE(log->requests.empty());
}

TEST_F(ScanLibraryTest, TheVectorBufferGrowsToAtLeast1000AndNeverShrinks) {
    EXPECT_EQ(library.Capacity(), 0u);
    StartIn(kRunTestIdle);
    EXPECT_EQ(library.Capacity(), 1000u);
    ASSERT_EQ(library.Scan(1, DR, nullptr, 975, nullptr), 0); // needs exactly 1000
    EXPECT_EQ(library.Capacity(), 1000u);
    ASSERT_EQ(library.Scan(1, DR, nullptr, 2000, nullptr), 0);
    EXPECT_EQ(library.Capacity(), 2025u);
    EXPECT_EQ(log->LastVectors().size(), 2005u);
    ASSERT_EQ(library.Scan(1, DR, nullptr, 8, nullptr), 0);
    EXPECT_EQ(library.Capacity(), 2025u);
}

TEST_F(ScanLibraryTest, BitCountsWhoseVectorsOverflow16BitsAreRefused) {
    StartIn(kRunTestIdle);
    ASSERT_EQ(library.Scan(1, DR, nullptr, 65510, nullptr), 0);
    EXPECT_EQ(log->LastVectors().size(), 65515u);
    log->requests.clear();
    for (const uint16_t bits : {uint16_t{65511}, uint16_t{65535}}) {
        EXPECT_EQ(library.Scan(1, DR, nullptr, bits, nullptr), 1);
        EXPECT_EQ(library.ScanTdio(1, nullptr, bits, nullptr), 1);
        EXPECT_EQ(library.MultiScan(1, DR, nullptr, bits, 2, nullptr), 1);
    }
    EXPECT_TRUE(log->requests.empty());
    EXPECT_EQ(library.Capacity(), 65535u);
}

} // namespace
} // namespace bsx4810::test
