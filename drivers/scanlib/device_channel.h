// The one narrow way the scan library talks to the controller: a request code with an input and
// an output byte area, as the controller's kernel driver takes them. A real cable back end and
// the software TAP both sit behind it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace bsx4810 {

enum RequestCode : uint32_t {
    kWriteDataPort = 2,    // 4 bytes: value for the parallel port's data register
    kWriteControlPort = 4, // 4 bytes: value for another parallel port register
    kRunVectorsPort1 = 6,  // vectors in, parameter block out; TDO comes back in bit 4
    kRunVectorsPort2 = 7,
};

// One open handle to the controller.
class CDeviceChannel {
public:
    virtual ~CDeviceChannel() = default;
    // Vector requests write each clock's TDO level into bit 4 of its input vector.
    virtual bool Request(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) = 0;
    // A vector request whose TDO nobody reads. A back end behind a slow link may hold it and send
    // it together with later requests; a failure then shows at the request that sends it, or at
    // Flush. The input is not used after the call returns.
    virtual bool Post(uint32_t code, std::span<uint8_t> input, std::span<uint8_t> output) {
        return Request(code, input, output);
    }
    // Sends what Post held back. False when it did not reach the controller.
    virtual bool Flush() { return true; }
};

// Opens a handle to the controller, or returns null when there is none.
using DeviceFactory = std::function<std::unique_ptr<CDeviceChannel>()>;

} // namespace bsx4810
