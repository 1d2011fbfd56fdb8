// A scan library in a fresh state with a recording back end, its device opened.
#pragma once

#include "recording_device.h"
#include "scan_library.h"
#include "vectors.h"

#include <gtest/gtest.h>

namespace bsx4810::test {

class ScanLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        UsePrivateLockFile();
        ASSERT_EQ(library.Open(), 0);
    }
    void TearDown() override { library.Close(); }

    // Resets port 1 and moves it to a stable state, then forgets the requests made so far.
    void StartIn(int state) {
        ASSERT_EQ(library.TmsReset(1), 0);
        if (state != kTestLogicReset) {
            ASSERT_EQ(library.MoveToState(1, state), 0);
        }
        log->requests.clear();
    }

    std::shared_ptr<DeviceLog> log = std::make_shared<DeviceLog>();
    CScanLibrary library{RecordingFactory(log)};
};

} // namespace bsx4810::test
