#include "moving_temperature.h"

#include <cmath>
#include <numbers>

namespace vek {

namespace {

constexpr double kMiddleDegrees = 25.5;
constexpr double kSwingDegrees = 4.5;
constexpr double kPeriodSeconds = 60.0;

} // namespace

std::uint16_t MovingTemperature(std::chrono::duration<double> sinceOpen) {
    const double degrees =
        kMiddleDegrees +
        kSwingDegrees * std::sin(2.0 * std::numbers::pi * sinceOpen.count() / kPeriodSeconds);
    return static_cast<std::uint16_t>(std::lround(degrees * 256.0));
}

} // namespace vek
