#include "model/driver_status.h"

#include "platform/text_helpers.h"

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace vek {

namespace {

// The room a driver is given: far beyond the 52 bytes it may fill, so that a driver that writes a
// long message, even of kilobytes, damages nothing. A page that cannot be written follows it as a
// guard: a driver that writes further still stops at once at that page instead of damaging the
// program's memory unseen.
constexpr std::size_t kStatusRoom = 64 * 1024;

class GuardedBuffer {
public:
    GuardedBuffer() : page_(static_cast<std::size_t>(::sysconf(_SC_PAGESIZE))) {
        void* area = ::mmap(nullptr, kStatusRoom + page_, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (area == MAP_FAILED)
            return;
        area_ = static_cast<char*>(area);
        if (::mprotect(area_ + kStatusRoom, page_, PROT_NONE) != 0) {
            ::munmap(area_, kStatusRoom + page_);
            area_ = nullptr;
        }
    }
    ~GuardedBuffer() {
        if (area_ != nullptr)
            ::munmap(area_, kStatusRoom + page_);
    }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Zero-filled room of kStatusRoom bytes; null when the system gave no memory.
    char* Room() const { return area_; }

private:
    std::size_t page_;
    char* area_ = nullptr;
};

} // namespace

std::string ReadDriverStatus(VekGetStatusFn status) {
    const GuardedBuffer buffer;
    if (status == nullptr || buffer.Room() == nullptr)
        return {};
    status(buffer.Room());
    return EscapeControlBytes(
        std::string(buffer.Room(), ::strnlen(buffer.Room(), VEK_STATUS_TEXT_SIZE - 1)));
}

} // namespace vek
