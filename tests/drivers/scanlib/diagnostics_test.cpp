#include "recording_device.h"
#include "scan_fixture.h"

namespace bsx4810::test {
namespace {

std::string StdoutOf(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}

TEST(ScanLibraryDiagnostics, RequestsWithoutAnOpenDeviceFailAtTheDeviceCall) {
    CScanLibrary library{RecordingFactory(std::make_shared<DeviceLog>())};
    int result = 0;
    EXPECT_EQ(StdoutOf([&] { result = library.TmsReset(1); }),
              "Io control 2 failed\nIo control failed\n");
    EXPECT_EQ(result, 1);
    // The state was recorded before the send.
    EXPECT_EQ(library.RecordedState(1), kTestLogicReset);
    EXPECT_EQ(StdoutOf([&] { result = library.MoveToState(1, kRunTestIdle); }),
              "Io control failed\n");
    EXPECT_EQ(result, 1);
}

TEST_F(ScanLibraryTest, AFailedPortSetUpIsPrintedOnceAndIgnored) {
    log->failPortWrites = true;
    int result = 1;
    EXPECT_EQ(StdoutOf([&] { result = library.TmsReset(1); }), "Io control 2 failed\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(StdoutOf([&] { result = library.TmsReset(1); }), "");
    EXPECT_EQ(log->requests.size(), 3u);
}

TEST_F(ScanLibraryTest, AFailedVectorRequestIsPrintedAndReturned) {
    StartIn(kRunTestIdle);
    log->failVectorRequest = log->vectorRequestsSeen;
    int result = 0;
    EXPECT_EQ(StdoutOf([&] { result = library.Scan(1, ScanRegister::Data, nullptr, 8, nullptr); }),
              "Io control failed\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(StdoutOf([&] { result = library.Scan(1, ScanRegister::Data, nullptr, 8, nullptr); }),
              "");
    EXPECT_EQ(result, 0);
}

TEST_F(ScanLibraryTest, TheParameterBlockIsSentAndReplacedByTheDevicesAnswer) {
    log->returnedBlock = {1, 2, 3, 4, 5, 6, 7, 8};
    log->failVectorRequest = 0;
    StdoutOf([&] { library.TmsReset(1); });
    ASSERT_EQ(library.TmsReset(1), 0);
    const auto requests = log->VectorRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].outputSize, 8u);
    EXPECT_EQ(requests[0].outputBefore, (std::array<uint8_t, 8>{96, 0, 0, 0, 6, 0, 0, 0}));
    // Kept also after the failed request.
    EXPECT_EQ(requests[1].outputBefore, (std::array<uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}));
}

} // namespace
} // namespace bsx4810::test
