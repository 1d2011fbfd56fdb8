// Exclusive claim on the controller across processes: an advisory lock on a file. The kernel
// drops the lock when the holding process ends, so a crashed holder never blocks the device.
#pragma once

#include "platform/result.h"

#include <string>

namespace bsx4810 {

using vek::Result;

class CDeviceLock {
public:
    CDeviceLock() = default;
    CDeviceLock(const CDeviceLock&) = delete;
    CDeviceLock& operator=(const CDeviceLock&) = delete;
    ~CDeviceLock();

    // Fails, with the cause, when another holder has the lock or the lock file cannot be used:
    // its folder is missing, it is a directory, a link (never followed) or something other than a
    // file, or it belongs to another user (who could otherwise hold it to block the controller).
    Result<void> Acquire(const std::string& path);
    void Release();

private:
    Result<void> OpenFile(const std::string& path);
    void CloseFile();

    int fd_ = -1;
    std::string path_;
    bool held_ = false;
};

// Where the lock file lives: BSX4810_LOCK_FILE when set; else BSX4810.lock in the user's runtime
// folder $XDG_RUNTIME_DIR, which must be a folder of the user's that no one else may enter; else,
// without XDG_RUNTIME_DIR, in the private folder /tmp/BSX4810-<uid>, made with mode 0700 when it
// is missing and refused when it is not the user's own with that mode. Fails with the cause when
// the folder cannot be used.
Result<std::string> DeviceLockPath();

} // namespace bsx4810
