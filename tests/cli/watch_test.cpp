// vek open ... watch: reads of the named registers only, a stamped line per change, a summary at
// the end; the loop with a pacer of the test's own, and the pacer that Ctrl-C stops.
#include "board_fixture.h"
#include "cli/interrupt_pacer.h"
#include "cli/register_watch.h"
#include "document/vek_doc.h"
#include "model/var_item.h"
#include "platform/recording_host.h"

#include <gmock/gmock.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace vek {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

using Watch = BoardTest;

TEST_F(Watch, TheDemoSensorIsWatchedForSomeRoundsWithAStampedFirstLineEach) {
    const VekRun run = Vek({"open", Example("demo.vek"), "watch", "TEMP", "sensor.status",
                            "--interval", "0", "--count", "3", "read", "READY"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    EXPECT_THAT(run.out, MatchesRegex("[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3}  TEMP = 0x1980\n"
                                      "[0-9:.]{12}  sensor.status = 0x01\n"
                                      "watch: 3 rounds in [0-9]+\\.[0-9]{3} s\n"
                                      "  TEMP: 0 changes, last 0x1980\n"
                                      "  sensor.status: 0 changes, last 0x01\n"
                                      "READY = 0x1\n"));
}

TEST_F(Watch, OnlyTheNamedRegistersAreRead) {
    const VekRun run =
        Vek({"open", board_, "watch", "WIDE", "RO", "--count", "2", "--interval", "0"});
    ASSERT_EQ(run.status, kExitOk) << run.err;
    const auto reads = driver_.Calls(TestCallGet);
    ASSERT_EQ(reads.size(), 4u);
    for (std::size_t i = 0; i < reads.size(); ++i)
        EXPECT_EQ(reads[i].addr[0], i % 2 == 0 ? 0x08 : 0x02) << i;
    EXPECT_TRUE(driver_.Calls(TestCallSet).empty());
}

TEST_F(Watch, ReadsThatFailAreCountedAndEndInExitStatusOne) {
    driver_.FailAddress({0x08, 0x10});
    const VekRun run =
        Vek({"open", board_, "watch", "WIDE", "RO", "--count", "2", "--interval", "0"});
    EXPECT_EQ(run.status, kExitErrors);
    EXPECT_THAT(run.err, HasSubstr("driver error D06: cannot read from address 0x1008"));
    EXPECT_THAT(run.out, HasSubstr("  WIDE: 0 changes, 2 failed reads\n  RO: 0 changes, last "));
}

TEST_F(Watch, RegistersItCannotOrShouldNotReadAreRefusedBeforeAnyTransfer) {
    const struct {
        std::vector<std::string> operation;
        const char* error;
    } cases[] = {
        {{"watch", "WO"}, "watch WO: a WRITE register cannot be read"},
        {{"watch", "Count"}, "watch Count: a variable has no register to read"},
        {{"watch", "CTRL"}, "watch CTRL: every read runs register macros; add --allow-read-macros"},
        {{"watch", "EN"}, "watch EN: every read runs register macros"},
        {{"watch", "NOPE"}, "no register, bit field or variable 'NOPE'"},
        {{"watch", "RO", "--interval", "86400001"},
         "watch --interval takes a whole number from 0 to 86400000, not '86400001'"},
        {{"watch", "RO", "--count", "x"}, "watch --count takes a whole number from 1 to"},
        {{"watch", "RO", "--count=-1"}, "watch --count takes a whole number from 1 to"},
        {{"watch", "RO", "--count", "0"}, "watch --count takes a whole number from 1 to"},
        {{"watch", "--count", "1"}, "'watch' needs at least one name"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"open", board_, "write", "WIDE=1"};
        args.insert(args.end(), c.operation.begin(), c.operation.end());
        driver_.Reset();
        const VekRun run = Vek(args);
        EXPECT_EQ(run.status, kExitUsage) << c.error;
        EXPECT_THAT(run.err, HasSubstr(c.error));
        EXPECT_TRUE(driver_.Calls(TestCallSet).empty()) << c.error;
    }
    // CTRL's read macros set the variable Count; allowed, they run on every read.
    const VekRun allowed = Vek({"open", board_, "watch", "CTRL", "--allow-read-macros", "--count",
                                "1", "--interval", "0", "show", "Count"});
    EXPECT_EQ(allowed.status, kExitOk) << allowed.err;
    EXPECT_THAT(allowed.out, HasSubstr("Count = 0x"));
}

// A pacer of the test's: a clock that moves a second per pause, a hook that runs in each pause,
// and a stop after a number of pauses, as Ctrl-C would.
class ScriptedPacer : public WatchPacer {
public:
    std::chrono::system_clock::time_point Now() override { return now_; }
    bool Wait(std::chrono::milliseconds pause) override {
        ++waits;
        now_ += pause;
        if (inPause)
            inPause(waits);
        return !StopRequested();
    }
    bool StopRequested() override { return stopAfter != 0 && waits >= stopAfter; }

    int waits = 0;
    int stopAfter = 0;
    std::function<void(int)> inPause;

private:
    // 2001-09-09 01:46:40 UTC, and 250 ms.
    std::chrono::system_clock::time_point now_{std::chrono::milliseconds(1000000000250)};
};

class WatchLoop : public Watch {
protected:
    void SetUp() override {
        Watch::SetUp();
        setenv("TZ", "UTC", 1);
        tzset();
        ASSERT_TRUE(doc_.OpenDocument(board_));
    }
    WatchRequest Request(const std::vector<std::string>& names) {
        WatchRequest request;
        request.interval = std::chrono::milliseconds(1000);
        for (const std::string& name : names) {
            for (std::size_t i = 0; i < doc_.GetItemCount(); ++i) {
                if (doc_.GetItem(static_cast<int>(i))->GetName() == name) {
                    request.names.push_back(name);
                    request.items.push_back(
                        static_cast<CVarItem*>(doc_.GetItem(static_cast<int>(i))));
                }
            }
        }
        return request;
    }

    RecordingHost host_;
    CVekDoc doc_{host_};
    ScriptedPacer pacer_;
    std::ostringstream out_;
};

TEST_F(WatchLoop, ChangesArePrintedWithTheTimeAndTheOldValueUntilTheStop) {
    driver_.SetRegister({0x02, 0x10}, 0x11);
    driver_.SetRegister({0x01, 0x10}, 0x00);
    pacer_.stopAfter = 4;
    pacer_.inPause = [&](int pause) {
        if (pause == 1)
            driver_.SetRegister({0x02, 0x10}, 0x12);
        if (pause == 3) {
            driver_.SetRegister({0x02, 0x10}, 0x11);
            driver_.SetRegister({0x01, 0x10}, 0x80);
        }
    };
    EXPECT_TRUE(WatchRegisters(doc_, Request({"RO", "STAT"}), pacer_, out_));
    EXPECT_EQ(out_.str(), "01:46:40.250  RO = 0x11\n"
                          "01:46:40.250  STAT = 0x00\n"
                          "01:46:41.250  RO = 0x12 (was 0x11)\n"
                          "01:46:43.250  RO = 0x11 (was 0x12)\n"
                          "01:46:43.250  STAT = 0x80 (was 0x00)\n"
                          "watch: 4 rounds in 4.000 s\n"
                          "  RO: 2 changes, last 0x11\n"
                          "  STAT: 1 change, last 0x80\n");
}

TEST_F(WatchLoop, AStopDuringAPauseEndsTheLoopWithoutAnotherRead) {
    pacer_.stopAfter = 1;
    pacer_.inPause = [&](int) { driver_.SetRegister({0x02, 0x10}, 0x42); };
    EXPECT_TRUE(WatchRegisters(doc_, Request({"RO"}), pacer_, out_));
    EXPECT_EQ(driver_.Calls(TestCallGet).size(), 1u);
    EXPECT_THAT(out_.str(), HasSubstr("watch: 1 round in 1.000 s\n  RO: 0 changes, last 0x"));
}

// Ctrl-C through the real handler, raised in process; nothing sleeps.
int previousHandlerCalls = 0;
extern "C" void CountInterrupt(int) {
    ++previousHandlerCalls;
}

TEST(InterruptPacer, CtrlCStopsTheLoopOnlyWhileThePacerLives) {
    struct sigaction counting {};
    counting.sa_handler = CountInterrupt;
    sigemptyset(&counting.sa_mask);
    struct sigaction original {};
    ASSERT_EQ(sigaction(SIGINT, &counting, &original), 0);
    {
        InterruptPacer pacer;
        EXPECT_FALSE(pacer.StopRequested());
        EXPECT_TRUE(pacer.Wait(std::chrono::milliseconds(1)));
        std::raise(SIGINT);
        EXPECT_TRUE(pacer.StopRequested());
        // A pause after the stop ends at once.
        EXPECT_FALSE(pacer.Wait(std::chrono::hours(1)));
        EXPECT_EQ(previousHandlerCalls, 0);
    }
    std::raise(SIGINT);
    EXPECT_EQ(previousHandlerCalls, 1);
    {
        InterruptPacer again;
        EXPECT_FALSE(again.StopRequested());
    }
    sigaction(SIGINT, &original, nullptr);
}

} // namespace
} // namespace vek
