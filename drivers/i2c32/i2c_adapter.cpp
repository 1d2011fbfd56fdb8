#include "i2c_adapter.h"

#include "i2c32.h"
#include "simulated_bus.h"

namespace i2c32 {
namespace {

// The fastest I2C mode, high speed.
constexpr int kMaxBitrate = 3400000;

} // namespace

I2cAdapter::I2cAdapter(AdapterSettings settings, PortFactory makePort)
    : settings_(std::move(settings)), makePort_(std::move(makePort)),
      busProblem_("no I2C interface type selected") {}

void I2cAdapter::SetInterfaceType(int interfaceType) {
    bus_.reset();
    busProblem_.clear();
    if (interfaceType == I2C32_INTERFACE_HARDWARELESS) {
        bus_ = std::make_unique<SimulatedBus>(
            drvsupport::BuildSimulatedBus(settings_.simulatedDevices));
    } else if (interfaceType >= I2C32_INTERFACE_SINGLE_MASTER &&
               interfaceType <= I2C32_INTERFACE_FULLSPEED) {
        auto bus = std::make_unique<LinuxI2cBus>(settings_.linuxDevice, makePort_());
        busProblem_ = bus->Open(timeout_);
        if (busProblem_.empty()) {
            bus_ = std::move(bus);
        }
    } else {
        busProblem_ = "unknown I2C interface type " + std::to_string(interfaceType);
    }
}

std::string I2cAdapter::SettingsProblem() const {
    if (!busProblem_.empty()) {
        return busProblem_;
    }
    if (bitrate_ <= 0 || bitrate_ > kMaxBitrate) {
        return "bit rate " + std::to_string(bitrate_) + " out of range";
    }
    return settings_.problems.empty() ? std::string() : "pcalh_io.ini: " + settings_.problems[0];
}

std::string I2cAdapter::Write(std::span<const uint8_t> bytes) {
    return bus_ ? bus_->Write(address_, bytes) : busProblem_;
}

std::string I2cAdapter::ReadAfterRestart(std::span<uint8_t> received,
                                         std::span<const uint8_t> subAddress) {
    return bus_ ? bus_->WriteRead(address_, subAddress, received) : busProblem_;
}

} // namespace i2c32
