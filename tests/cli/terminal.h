// A real vek on a pseudo-terminal, for the tests of what vek does when a user sits at it.
#pragma once

#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <string>
#include <vector>

namespace vek {

// A real vek on a pseudo-terminal, as a user runs it: what it writes arrives at the master side.
class Terminal {
public:
    explicit Terminal(const std::vector<std::string>& args) {
        pid_ = forkpty(&master_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            std::vector<char*> argv;
            const std::string program = std::string(VEK_BIN_DIR) + "/vek";
            argv.push_back(const_cast<char*>(program.c_str()));
            for (const std::string& arg : args)
                argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
    }
    ~Terminal() {
        if (pid_ > 0 && !exited_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (master_ >= 0)
            close(master_);
    }
    bool Started() const { return pid_ > 0; }

    // Reads until `text` has arrived; false after ten seconds without it or at the end.
    bool WaitFor(const std::string& text) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (output_.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > deadline || !ReadSome(100))
                return false;
        }
        return true;
    }
    // Ctrl-C typed on the terminal: the line discipline sends SIGINT to vek.
    void TypeCtrlC() { ASSERT_EQ(write(master_, "\x03", 1), 1); }
    // A line typed on the terminal, Enter included.
    void TypeLine(const std::string& text) {
        const std::string line = text + "\n";
        ASSERT_EQ(write(master_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
    }
    // Waits for vek to end and reads what it wrote until then.
    int Wait() {
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(pid_, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < deadline)
            ReadSome(50);
        while (ReadSome(50)) {
        }
        exited_ = true;
        return status;
    }
    bool StillRunning() { return waitpid(pid_, nullptr, WNOHANG) == 0; }
    const std::string& Output() const { return output_; }

private:
    bool ReadSome(int ms) {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, ms) <= 0)
            return true; // nothing yet
        char buffer[512];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0)
            return false; // the other side is gone
        output_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int master_ = -1;
    bool exited_ = false;
    std::string output_;
};

} // namespace vek
