// The memory-mapped register driver: the region of its settings mapped from an open to the next
// close or open, and registers at the addresses the region's bytes stand for.
#pragma once

#include "mapped_region.h"
#include "platform/profile_file.h"
#include "register_driver.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vek {

class MemDriver : public RegisterDriver {
public:
    // readSettings gives the settings file memdrv.ini as it is at each open, or why it cannot be
    // read; pageSize is the system's.
    MemDriver(Result<ProfileFile> (*readSettings)(), std::int64_t pageSize)
        : readSettings_(readSettings), pageSize_(pageSize) {}

    // Reads the settings and maps the region anew, so that a reset picks up changed settings.
    // The earlier mapping is given up first, also when the new one fails.
    Result<void> Open() override;
    Result<void> Close() override;
    Result<void> SetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t data) override;
    Result<void> GetReg(int addrLen, int dataLen, const unsigned char* addr,
                        uint32_t* data) override;
    // Why the last call failed; empty after a success.
    std::string StatusText() override { return status_; }

private:
    // The register's address once it is known to be inside the region and aligned.
    Result<std::uint64_t> Locate(int addrLen, int dataLen, const unsigned char* addr);
    Result<RegionSettings> Settings() const;
    Failure Fail(std::string text);

    Result<ProfileFile> (*readSettings_)();
    std::int64_t pageSize_;
    std::optional<MappedRegion> region_;
    std::string status_;
};

} // namespace vek
