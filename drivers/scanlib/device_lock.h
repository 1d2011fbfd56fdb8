// Exclusive claim on the controller across processes: an advisory lock on a file. The kernel
// drops the lock when the holding process ends, so a crashed holder never blocks the device.
#pragma once

#include <string>

namespace bsx4810 {

class CDeviceLock {
public:
    CDeviceLock() = default;
    CDeviceLock(const CDeviceLock&) = delete;
    CDeviceLock& operator=(const CDeviceLock&) = delete;
    ~CDeviceLock();

    // False when another holder has the lock or the lock file cannot be opened.
    bool Acquire(const std::string& path);
    void Release();

private:
    void CloseFile();

    int fd_ = -1;
    std::string path_;
    bool held_ = false;
};

// BSX4810_LOCK_FILE, else $XDG_RUNTIME_DIR/BSX4810.lock, else /tmp/BSX4810-<uid>.lock.
std::string DeviceLockPath();

} // namespace bsx4810
