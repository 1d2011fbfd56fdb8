// The five driver functions over the library's RegisterDriver: the one place where a driver's
// Result becomes the interface's 1 or 0, and its status text is cut to the program's buffer.
#include "register_driver.h"
#include "vekdriver.h"

#include <algorithm>
#include <cstring>

namespace vek {
namespace {

int DriverResult(const Result<void>& result) {
    return result ? 1 : 0;
}

// Made when the library is loaded, so that a call does not ask for it again.
RegisterDriver& theDriver = ProcessDriver();

} // namespace
} // namespace vek

extern "C" {

int VekOpen(void) {
    return vek::DriverResult(vek::theDriver.Open());
}

int VekClose(void) {
    return vek::DriverResult(vek::theDriver.Close());
}

int VekSetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t data) {
    return vek::DriverResult(vek::theDriver.SetReg(addrLen, dataLen, addr, data));
}

int VekGetReg(int addrLen, int dataLen, const unsigned char* addr, uint32_t* data) {
    return vek::DriverResult(vek::theDriver.GetReg(addrLen, dataLen, addr, data));
}

// The driver is asked also without a buffer: asking may clear its status.
void VekGetStatus(char* text) {
    const std::string status = vek::theDriver.StatusText();
    if (text != nullptr) {
        const std::size_t length = std::min(status.size(), std::size_t{VEK_STATUS_TEXT_SIZE - 1});
        std::memcpy(text, status.data(), length);
        text[length] = '\0';
    }
}

} // extern "C"
