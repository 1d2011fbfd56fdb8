// The test driver with a VekGetStatus that breaks the interface: into the program's buffer, which
// may take 52 bytes, it writes a status text of 16 KiB that begins with control bytes. The other
// four functions and the controls are the test driver's, found through its library, which this
// one needs.
#include "vekdriver.h"

#include <cstring>

namespace {

constexpr char kStart[] = "runaway\r\x1b[2J";
constexpr std::size_t kLength = 16 * 1024;

} // namespace

extern "C" void VekGetStatus(char* text) {
    std::memcpy(text, kStart, sizeof kStart - 1);
    for (std::size_t i = sizeof kStart - 1; i < kLength - 1; ++i)
        text[i] = static_cast<char>('0' + i % 10);
    text[kLength - 1] = '\0';
}
