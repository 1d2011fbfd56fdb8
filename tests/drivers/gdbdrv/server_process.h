// A debug server the tests start as a process of its own: the tests' fake server or QEMU. It is
// stopped by its process id when the test ends, whatever the test did.
#pragma once

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vek {

class ServerProcess {
public:
    // Starts the program (found on PATH when argv[0] has no '/') with its standard output on a
    // pipe the test reads; standard error stays the test's.
    explicit ServerProcess(const std::vector<std::string>& argv) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        output_ = pipeFds[0];
    }
    ~ServerProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (output_ >= 0)
            ::close(output_);
    }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    bool Started() const { return pid_ > 0; }

    // The next line the server printed; empty when it printed none within timeoutMs (a bound
    // against a hung server, far beyond what a slow machine needs).
    std::string ReadLine(int timeoutMs = 30000) {
        std::string line;
        char c = 0;
        pollfd waiting{output_, POLLIN, 0};
        while (::poll(&waiting, 1, timeoutMs) > 0 && ::read(output_, &c, 1) == 1) {
            if (c == '\n')
                return line;
            line += c;
        }
        return line;
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// A loopback port nobody listens on now, for a server that takes its port on the command line.
inline int FreeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(fd);
    return ntohs(address.sin_port);
}

// Whether the port accepts a connection within timeoutMs; the connection is closed again.
inline bool WaitForPort(int port, int timeoutMs = 30000) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool connected =
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ::close(fd);
        if (connected)
            return true;
        ::usleep(20000);
    }
    return false;
}

// QEMU's mps2-an385 with a program of two instructions: a vector table whose reset handler
// waits for an interrupt in a loop, so that the machine runs when a debugger lets it, instead of
// locking up, and idles instead of spinning. Listens for the debugger on the port; the machine
// waits for it, halted.
class QemuMps2 {
public:
    QemuMps2(const std::string& folder, int port)
        : image_(folder + "/loop.bin"), port_(port), process_(Start(image_, port)) {}

    // Whether QEMU runs and takes connections on its port.
    bool Ready() { return process_.Started() && WaitForPort(port_); }
    std::string Remote() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    static std::vector<std::string> Start(const std::string& image, int port) {
        // Initial stack pointer 0x20001000, reset handler at 0x08 (Thumb): "wfi", "b 0x08".
        const unsigned char program[] = {0x00, 0x10, 0x00, 0x20, 0x09, 0x00,
                                         0x00, 0x00, 0x30, 0xBF, 0xFD, 0xE7};
        std::ofstream(image, std::ios::binary)
            .write(reinterpret_cast<const char*>(program), sizeof program);
        return {"qemu-system-arm",
                "-M",
                "mps2-an385",
                "-kernel",
                image,
                "-S",
                "-gdb",
                "tcp:127.0.0.1:" + std::to_string(port),
                "-nographic",
                "-monitor",
                "none",
                "-serial",
                "none"};
    }

    std::string image_;
    int port_;
    ServerProcess process_;
};

} // namespace vek
