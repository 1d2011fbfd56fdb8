#include "platform/temporary_files.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace vek {

namespace {

// Saves run one at a time; a few slots leave room for a save that starts while another is
// still open in a driver.
constexpr int kSlots = 8;
constexpr int kCaughtSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGXFSZ};
constexpr int kCaughtCount = static_cast<int>(std::size(kCaughtSignals));

// What a signal handler may read: plain arrays, flagged in use only once their path is whole.
struct Slot {
    volatile std::sig_atomic_t used;
    char path[PATH_MAX];
};

Slot slots[kSlots];
int slotsInUse = 0; // changed only while the caught signals are held back
struct sigaction previousActions[kCaughtCount];

int CaughtIndex(int signal) {
    for (int i = 0; i < kCaughtCount; ++i) {
        if (kCaughtSignals[i] == signal)
            return i;
    }
    return -1;
}

bool IsDefault(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_DFL;
}

bool IsIgnored(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

// Only async-signal-safe calls: unlink, sigaction, raise.
extern "C" void RemoveTemporariesOnSignal(int signal, siginfo_t* info, void* context) {
    const int index = CaughtIndex(signal);
    if (index < 0)
        return;
    const struct sigaction& previous = previousActions[index];
    if (IsIgnored(previous))
        return;
    if (!IsDefault(previous)) {
        if ((previous.sa_flags & SA_SIGINFO) != 0)
            previous.sa_sigaction(signal, info, context);
        else
            previous.sa_handler(signal);
        return;
    }
    const int savedErrno = errno;
    for (Slot& slot : slots) {
        if (slot.used != 0)
            ::unlink(slot.path);
    }
    // Held back until this handler returns, then delivered with the default action.
    ::sigaction(signal, &previous, nullptr);
    ::raise(signal);
    errno = savedErrno;
}

void InstallHandlers() {
    struct sigaction catching {};
    catching.sa_sigaction = RemoveTemporariesOnSignal;
    catching.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&catching.sa_mask);
    for (int i = 0; i < kCaughtCount; ++i)
        ::sigaction(kCaughtSignals[i], &catching, &previousActions[i]);
}

void RestoreHandlers() {
    for (int i = 0; i < kCaughtCount; ++i)
        ::sigaction(kCaughtSignals[i], &previousActions[i], nullptr);
}

// Holds the caught signals back while the registry changes.
class HeldSignals {
public:
    HeldSignals() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : kCaughtSignals)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    ~HeldSignals() {
        const int savedErrno = errno;
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
        errno = savedErrno;
    }
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
    sigset_t before_;
};

// The slot now holding the path, or -1 when the path is too long or every slot is taken (the file
// is then written without protection, as before there was any).
int Register(const std::string& path) {
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].used != 0)
            continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].used = 1;
        if (slotsInUse++ == 0)
            InstallHandlers();
        return i;
    }
    return -1;
}

void Release(int slot) {
    slots[slot].used = 0;
    if (--slotsInUse == 0)
        RestoreHandlers();
}

std::pair<std::string, std::string> FolderAndName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// The process id of "<digits>-XXXXXX", the part of a temporary's name after "<name>.tmp-".
pid_t TemporaryOwner(std::string_view rest) {
    const std::size_t dash = rest.find('-');
    constexpr std::size_t kRandomLength = 6;
    if (dash == 0 || dash == std::string_view::npos || dash > 9 ||
        rest.size() != dash + 1 + kRandomLength)
        return 0;
    pid_t pid = 0;
    for (char c : rest.substr(0, dash)) {
        if (c < '0' || c > '9')
            return 0;
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

bool ProcessGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

std::string TemporaryFileTemplate(const std::string& target) {
    return target + ".tmp-" + std::to_string(::getpid()) + "-XXXXXX";
}

PendingTemporary::PendingTemporary(std::string pathTemplate) : path_(std::move(pathTemplate)) {
    const HeldSignals held;
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ >= 0)
        slot_ = Register(path_);
}

PendingTemporary::~PendingTemporary() {
    Close();
    if (!path_.empty()) {
        const HeldSignals held;
        ::unlink(path_.c_str());
        Unregister();
    }
}

bool PendingTemporary::Close() {
    if (fd_ < 0)
        return true;
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
}

bool PendingTemporary::RenameTo(const std::string& target) {
    const HeldSignals held;
    if (::rename(path_.c_str(), target.c_str()) != 0)
        return false;
    path_.clear();
    Unregister();
    return true;
}

void PendingTemporary::Unregister() {
    if (slot_ >= 0)
        Release(slot_);
    slot_ = -1;
}

int RemoveStaleTemporaries(const std::string& target, std::chrono::seconds quiet) {
    const auto [folder, name] = FolderAndName(target);
    const std::string prefix = name + ".tmp-";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName = entry->d_name;
        if (!entryName.starts_with(prefix))
            continue;
        const pid_t owner = TemporaryOwner(entryName.substr(prefix.size()));
        struct stat info {};
        if (owner <= 0 || ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
            now - info.st_mtime < quiet.count() || !ProcessGone(owner))
            continue;
        if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

} // namespace vek
