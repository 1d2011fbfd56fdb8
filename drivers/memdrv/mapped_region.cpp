#include "mapped_region.h"

#include "mem_messages.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vek {
namespace {

// The descriptor is needed only until the mapping is made.
class OpenFile {
public:
    explicit OpenFile(const char* path) : fd_(open(path, O_RDWR | O_SYNC | O_CLOEXEC)) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Descriptor() const { return fd_; }

private:
    int fd_;
};

template <class Word>
Word Load(const unsigned char* byte) {
    return *reinterpret_cast<const volatile Word*>(byte);
}

template <class Word>
void Store(unsigned char* byte, std::uint32_t value) {
    *reinterpret_cast<volatile Word*>(byte) = static_cast<Word>(value);
}

} // namespace

Result<MappedRegion> MappedRegion::Map(const RegionSettings& settings) {
    const OpenFile file(settings.device.c_str());
    if (file.Descriptor() < 0) {
        return Failure{1, CannotOpenText(settings.device, errno)};
    }
    struct stat status {};
    if (fstat(file.Descriptor(), &status) != 0) {
        return Failure{1, CannotOpenText(settings.device, errno)};
    }
    // Touching a mapped page beyond a file's end raises SIGBUS; a device's size is its own
    // business (st_size is 0), so only files are measured. A PCI resource file is one, as long as
    // its BAR.
    if (S_ISREG(status.st_mode) && settings.size > status.st_size - settings.offset) {
        return Failure{1, PastEndText(settings.device, status.st_size)};
    }
    const auto size = static_cast<std::size_t>(settings.size);
    void* bytes = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, file.Descriptor(),
                       static_cast<off_t>(settings.offset));
    if (bytes == MAP_FAILED) {
        return Failure{1, CannotMapText(settings.device, errno)};
    }
    return MappedRegion(static_cast<unsigned char*>(bytes), size,
                        static_cast<std::uint64_t>(settings.base));
}

MappedRegion::MappedRegion(MappedRegion&& other) noexcept
    : bytes_(std::exchange(other.bytes_, nullptr)), size_(std::exchange(other.size_, 0)),
      base_(other.base_) {}

MappedRegion& MappedRegion::operator=(MappedRegion&& other) noexcept {
    if (this != &other) {
        Release();
        bytes_ = std::exchange(other.bytes_, nullptr);
        size_ = std::exchange(other.size_, 0);
        base_ = other.base_;
    }
    return *this;
}

MappedRegion::~MappedRegion() {
    Release();
}

void MappedRegion::Release() {
    if (bytes_ != nullptr) {
        munmap(bytes_, size_);
        bytes_ = nullptr;
        size_ = 0;
    }
}

std::uint32_t MappedRegion::Read(std::uint64_t address, int width) const {
    const unsigned char* byte = bytes_ + (address - base_);
    switch (width) {
    case 1:
        return Load<std::uint8_t>(byte);
    case 2:
        return Load<std::uint16_t>(byte);
    default:
        return Load<std::uint32_t>(byte);
    }
}

void MappedRegion::Write(std::uint64_t address, int width, std::uint32_t value) const {
    unsigned char* byte = bytes_ + (address - base_);
    switch (width) {
    case 1:
        return Store<std::uint8_t>(byte, value);
    case 2:
        return Store<std::uint16_t>(byte, value);
    default:
        return Store<std::uint32_t>(byte, value);
    }
}

} // namespace vek
