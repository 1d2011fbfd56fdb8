#include "model/driver_status.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vek {
namespace {

// Status functions of drivers that keep the rules and of drivers that do not.
void Exact(char* text) {
    std::strcpy(text, "123456789012345678901234567890123456789012345678901");
}
void Unterminated(char* text) {
    std::memset(text, 'u', 60);
}
void WithControlBytes(char* text) {
    std::strcpy(text, "bus\r\x1b[2Jerror\x7f");
}
void Kilobytes(char* text) {
    std::memset(text, 'k', 16 * 1024);
}
void Runaway(char* text) {
    std::memset(text, 'r', 1024 * 1024);
}

TEST(DriverStatus, TheTextIsCutToTheRoomOfTheInterfaceAndItsControlBytesAreShown) {
    EXPECT_EQ(ReadDriverStatus(Exact), "123456789012345678901234567890123456789012345678901");
    EXPECT_EQ(ReadDriverStatus(Unterminated), std::string(51, 'u'));
    EXPECT_EQ(ReadDriverStatus(WithControlBytes), "bus\\x0d\\x1b[2Jerror\\x7f");
    EXPECT_EQ(ReadDriverStatus(Kilobytes), std::string(51, 'k'));
    EXPECT_EQ(ReadDriverStatus(nullptr), "");
}

TEST(DriverStatus, ADriverWritingBeyondItsRoomStopsAtTheGuard) {
    EXPECT_DEATH(ReadDriverStatus(Runaway), "");
}

} // namespace
} // namespace vek
