// A region of a file mapped shared for reading and writing, as the registers of a device are
// reached through /dev/mem, a UIO device or a PCI resource file. The mapping lives as long as the
// object; each register is read and written with one access of its width.
#pragma once

#include "platform/result.h"
#include "region_settings.h"

#include <cstddef>
#include <cstdint>

namespace vek {

class MappedRegion {
public:
    // Opens the settings' device and maps its region. A failure's text names the file and says
    // what the system said.
    static Result<MappedRegion> Map(const RegionSettings& settings);

    MappedRegion(MappedRegion&& other) noexcept;
    MappedRegion& operator=(MappedRegion&& other) noexcept;
    MappedRegion(const MappedRegion&) = delete;
    MappedRegion& operator=(const MappedRegion&) = delete;
    ~MappedRegion();

    // Whether the `width` bytes at `address` lie inside the region.
    bool Contains(std::uint64_t address, int width) const {
        return address >= base_ && address - base_ <= size_ &&
               size_ - (address - base_) >= static_cast<std::uint64_t>(width);
    }
    // One load or store of `width` bytes (1, 2 or 4) at `address`, which lies inside the region
    // and is aligned to `width`.
    std::uint32_t Read(std::uint64_t address, int width) const;
    void Write(std::uint64_t address, int width, std::uint32_t value) const;

private:
    MappedRegion(unsigned char* bytes, std::uint64_t size, std::uint64_t base)
        : bytes_(bytes), size_(size), base_(base) {}
    void Release();

    unsigned char* bytes_;
    std::uint64_t size_;
    std::uint64_t base_;
};

} // namespace vek
