// The temporary files that a file replacement writes beside its target before renaming them over
// it, and what becomes of them when the process is ended or killed half-way.
#pragma once

#include <chrono>
#include <string>

namespace vek {

// The name of a temporary beside `target`: "<name>.tmp-<process id>-XXXXXX", the X's for
// mkstemp to fill in. The process id tells a later save whether the writer is still alive.
std::string TemporaryFileTemplate(const std::string& target);

// A temporary in progress. While any is registered, SIGINT, SIGTERM, SIGHUP and SIGXFSZ (a
// write beyond the file-size limit) are caught: when such a signal would end the process (its
// action was the default one), every registered temporary is removed and the signal raised again
// with its default action, so the process still ends as the signal says. A signal that had a
// handler of its own goes on to that handler and the temporaries stay, since the handler may let
// the process, and its save, go on; an ignored signal stays ignored.
class PendingTemporary {
public:
    // Creates a new file from a template of TemporaryFileTemplate with mkstemp and registers it;
    // the signals are held back meanwhile, so there is no moment at which the file exists
    // unregistered. Descriptor() is -1, with errno set, when no file could be made.
    explicit PendingTemporary(std::string pathTemplate);
    // Removes the file unless it was renamed.
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

    int Descriptor() const { return fd_; }
    const std::string& Path() const { return path_; }
    // Closes the descriptor; false (errno set) when the close reports a lost write.
    bool Close();
    // Renames the file to `target`; from then on it is no longer temporary. False with errno set
    // when the rename fails.
    bool RenameTo(const std::string& target);

private:
    void Unregister();

    std::string path_;
    int fd_ = -1;
    int slot_ = -1;
};

// A temporary that a save of `target` left behind when it was killed: "<name>.tmp-<pid>-XXXXXX"
// beside it, a regular file of this user, whose writing process no longer exists and which has
// not been written to for `quiet` (a save on another machine that shares the folder has a process
// id that means nothing here, but it writes without pause). Removes each, and returns how many.
int RemoveStaleTemporaries(const std::string& target,
                           std::chrono::seconds quiet = std::chrono::seconds(60));

} // namespace vek
