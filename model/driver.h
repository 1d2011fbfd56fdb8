#pragma once

#include "model/driver_device.h"
#include "model/driver_entry_points.h"
#include "platform/result.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace vek {

class CLineItem;
class DynamicLibrary;
class ProfileFile;
struct RegisterContext;

// How a driver was bound.
enum class BindMode {
    Opened,     // loaded and opened
    Simulation, // it failed and the user chose simulation mode
};

// Why binding failed, the user having declined simulation mode: the code of Bind's failure.
enum class BindFailure : int {
    NotLoaded = 1,       // the library did not load
    MissingFunction = 2, // an entry point is missing
    NotOpened = 4,       // VekOpen failed
};

// One driver library named by a description, with the devices it reaches. Every failure of
// loading, lookup or opening ends in the question whether to switch to simulation mode; a
// driver kept for simulation has no entry points, so nothing of a freed library is ever called.
class CDriver {
public:
    explicit CDriver(RegisterContext& context);
    // Closes the driver (or reports that it cannot), unloads the library, then deletes the
    // devices with their shadow registers.
    ~CDriver();

    // Takes the driver line at the head of `items` and the items after it, up to the next driver
    // line, off the list; builds the devices, loads the library from `searchDirectories` (never
    // through the system's search), binds the five entry points and opens the driver. A library
    // from outside the program's folder is named with its path. A failure's reason goes to the
    // output window and into the failure.
    Result<BindMode> Bind(std::deque<CLineItem*>& items,
                          const std::vector<std::string>& searchDirectories);
    // Bind's first step alone: takes the driver line and its items off the list and builds the
    // devices, without loading the library. Such a driver's registers can be named and hold
    // values, but every transfer fails as through a driver that is not loaded. False for an
    // empty list.
    bool TakeItems(std::deque<CLineItem*>& items);
    // VekClose then VekOpen when both are bound; a failed open is reported with the driver's
    // status. False when it failed or the driver is not bound.
    bool Reset();

    // The library's file name without its four-character ending.
    const std::string& GetName() const { return name_; }
    bool IsOpened() const { return opened_; }
    bool IsLoaded() const { return library_ != nullptr; }
    const DriverEntryPoints& EntryPoints() const { return entry_; }
    const std::vector<std::unique_ptr<CDriverDevice>>& Devices() const { return devices_; }

    // The driver's part of a register-values file: its file name under the lowest free "DRV" key
    // of the DRIVER section, then each device's part.
    void SaveValues(ProfileFile& file) const;
    // Reads back every register of every device; known values are written at once with flags.
    void LoadValues(const ProfileFile& file, TransferFlags flags, ValuesLoadTally& tally);

private:
    void Report(const std::string& text) const;
    // Reports the reason, frees the library after forgetting its entry points, then asks whether
    // to simulate.
    Result<BindMode> Decline(BindFailure failure, const std::string& reason);

    RegisterContext& context_;
    std::string name_;
    std::string fileName_;
    std::unique_ptr<DynamicLibrary> library_;
    DriverEntryPoints entry_;
    bool opened_ = false;
    std::vector<std::unique_ptr<CDriverDevice>> devices_;
};

} // namespace vek
