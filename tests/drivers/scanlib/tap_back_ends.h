// The controller back ends that can drive a software TAP of a test's own: the software TAP's own
// device channel, and the FTDI cable over an emulated FT2232H whose channels are wired to the
// TAP's ports. Tests that hold for any back end run on both; the cable's USB can be made to fail.
#pragma once

#include "device_channel.h"
#include "ftdi/emulated_ftdi.h"
#include "ftdi/mpsse_cable.h"
#include "soft/software_tap.h"

#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace bsx4810::test {

enum class TapBackEnd { Soft, Ftdi };

// Failures the cable's USB gives, by the index of the write or read (0 = the first, counted over
// the test's life, reopened channels included).
struct UsbFaults {
    int failWrite = -1;
    bool halfWritten = false; // the failing write still hands its first half to the chip
    int failRead = -1;
    int extraAnswerAfterWrite = -1; // the chip answers this write with one byte too many
    int writes = 0;
    int reads = 0;
    int opens = 0;
};

class CTapUnderTest {
public:
    explicit CTapUnderTest(TapBackEnd backEnd, std::string_view ftdiOptions = "emulate");

    DeviceFactory Factory();

    CSoftwareTap tap;
    std::shared_ptr<UsbTraffic> traffic = std::make_shared<UsbTraffic>();
    UsbFaults faults;
    std::unique_ptr<CMpsseCable> cable; // the FTDI back end only
    // The emulated interfaces A and B as last opened, for their pin levels and clock rate.
    std::array<const CEmulatedFtdiUsb*, 2> interfaces{};
};

// Names the instances of a test suite parametrised over the back ends.
std::string BackEndName(const testing::TestParamInfo<TapBackEnd>& param);

} // namespace bsx4810::test
