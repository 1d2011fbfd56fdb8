#pragma once

#include "model/register_codes.h"
#include "model/shadow_reg_list.h"
#include "model/values_load.h"

#include <cstdint>
#include <deque>
#include <string>

namespace vek {

class CLineItem;
class ProfileFile;
struct DriverEntryPoints;
struct RegisterContext;

// The lowest "<prefix><n>" key, n counted from 1, that the section does not hold yet: where the
// next driver (DRV) or device (DEV) of a register-values file goes.
std::string FreeNumberedKey(const ProfileFile& file, const std::string& section,
                            const std::string& prefix);

// One device of a driver: the shadow registers that its register and bit items need, one per
// distinct address, data length and access type, in ascending address order.
class CDriverDevice {
public:
    CDriverDevice(const DriverEntryPoints* driver, std::string driverName,
                  RegisterContext* context);
    CDriverDevice(const CDriverDevice&) = delete;
    CDriverDevice& operator=(const CDriverDevice&) = delete;

    // Takes the device item at the head of `items` and the items after it, up to the next driver
    // or device item, off the list, and gives every register part and bit field its shadow
    // register.
    void Build(std::deque<CLineItem*>& items);

    const std::string& GetName() const { return name_; }
    ShadowRegList& Registers() { return registers_; }
    const ShadowRegList& Registers() const { return registers_; }

    // The device's section of a register-values file: its name under the lowest free "DEV" key
    // of the driver's section, then ADDRSIZE, REGCOUNT and one line per shadow register.
    void SaveValues(ProfileFile& file) const;
    // Reads back every shadow register's line; known values are written at once with flags.
    void LoadValues(const ProfileFile& file, TransferFlags flags, ValuesLoadTally& tally);

private:
    const DriverEntryPoints* driver_;
    std::string driverName_;
    RegisterContext* context_;
    std::string name_;
    uint16_t addressSize_ = 0;
    ShadowRegList registers_;
};

} // namespace vek
