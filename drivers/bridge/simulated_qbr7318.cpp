#include "simulated_qbr7318.h"

namespace vek {
namespace {

uint32_t WidthMask(int width) {
    return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
}

} // namespace

SimulatedQbr7318::SimulatedQbr7318(const ChipSettings& settings)
    : present_(settings.present), vendorId_(settings.vendorId), deviceId_(settings.deviceId),
      registers_(settings.registers), i2cBus_(BuildSimulatedBus(settings.i2cDevices)) {}

bool SimulatedQbr7318::Answers(uint16_t cardIndex, uint16_t deviceId, uint16_t vendorId) const {
    return present_ && cardIndex == 0 && deviceId == deviceId_ && vendorId == vendorId_;
}

uint32_t SimulatedQbr7318::RegisterMask(uint16_t offset) const {
    const auto found = registers_.find(offset);
    return found == registers_.end() ? 0 : WidthMask(found->second.width);
}

uint32_t SimulatedQbr7318::Read(uint16_t offset) const {
    const auto found = registers_.find(offset);
    return found == registers_.end() ? 0 : found->second.value;
}

void SimulatedQbr7318::Write(uint16_t offset, uint32_t value) {
    if (auto found = registers_.find(offset); found != registers_.end()) {
        found->second.value = value & WidthMask(found->second.width);
    }
}

} // namespace vek
