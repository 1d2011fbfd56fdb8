// The simulated sensor's temperature when it moves ([SimulatedBus] MovingTemperature=1): slowly
// up and down around the 25.5 degrees it starts at, so that a watched or plotted TEMP has
// something to show.
#pragma once

#include <chrono>
#include <cstdint>

namespace vek {

// 25.5 degrees plus 4.5 degrees times the sine of the time over a minute, as the sensor's
// register holds it: degrees in the high byte, 256ths of a degree in the low byte.
std::uint16_t MovingTemperature(std::chrono::duration<double> sinceOpen);

} // namespace vek
