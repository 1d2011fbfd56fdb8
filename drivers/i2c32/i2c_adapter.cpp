#include "i2c_adapter.h"

#include "hardwareless_bus.h"
#include "i2c32.h"
#include "i2c32_limits.h"
#include "moving_temperature.h"

namespace vek {

I2cAdapter::I2cAdapter(AdapterSettings settings, PortFactory makePort)
    : settings_(std::move(settings)), makePort_(std::move(makePort)) {}

void I2cAdapter::SetInterfaceType(int interfaceType) {
    bus_.reset();
    if (interfaceType == I2C32_INTERFACE_HARDWARELESS) {
        SimulatedI2cBus simulated = BuildSimulatedBus(settings_.simulatedDevices);
        SimulatedI2cDevice* sensor = simulated.Find(kSimulatedSensorAddress);
        if (settings_.movingTemperature && sensor != nullptr) {
            const auto opened = std::chrono::steady_clock::now();
            sensor->SetLiveBytes(0, 2, [opened] {
                return MovingTemperature(std::chrono::steady_clock::now() - opened);
            });
        }
        bus_ = std::make_unique<HardwarelessBus>(std::move(simulated));
    } else if (interfaceType >= I2C32_INTERFACE_SINGLE_MASTER &&
               interfaceType <= I2C32_INTERFACE_FULLSPEED) {
        auto bus = std::make_unique<LinuxI2cBus>(settings_.linuxDevice, makePort_());
        if (Result<void> opened = bus->Open(timeout_); opened) {
            bus_ = std::move(bus);
        } else {
            noBus_ = opened.Error();
        }
    } else {
        noBus_ = Failure{1, "unknown I2C interface type " + std::to_string(interfaceType)};
    }
}

Result<void> I2cAdapter::CheckSettings() const {
    if (!bus_) {
        return noBus_;
    }
    if (bitrate_ <= 0 || bitrate_ > kMaxBitrate) {
        return Failure{1, "bit rate " + std::to_string(bitrate_) + " out of range"};
    }
    return {};
}

Result<void> I2cAdapter::Write(std::span<const uint8_t> bytes) {
    if (!bus_) {
        return noBus_;
    }
    return bus_->Write(address_, bytes);
}

Result<void> I2cAdapter::ReadAfterRestart(std::span<uint8_t> received,
                                          std::span<const uint8_t> subAddress) {
    if (!bus_) {
        return noBus_;
    }
    return bus_->WriteRead(address_, subAddress, received);
}

} // namespace vek
