// Runs of the command-line tool in process, with what it printed; and a fixture that keeps the
// drivers' settings and locks, and the test's files, in a folder of the test's own.
#pragma once

#include "cli/vek_cli.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vek {

struct VekRun {
    int status;
    std::string out;
    std::string err;
};

inline VekRun Vek(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunVek(args, out, err);
    return {status, out.str(), err.str()};
}

// What a shell command prints on standard output, as a user's shell runs it.
inline std::string ShellOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> buffer;
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr)
            output += buffer.data();
        pclose(pipe);
    }
    return output;
}

class VekFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const ::testing::TestInfo& test = *::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("vek_") + test.test_suite_name() + "_" + test.name();
        for (char& c : name)
            c = c == '/' ? '_' : c;
        dir_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        setenv("VEK_PCALH_IO", (dir_ / "pcalh_io.ini").c_str(), 1);
        setenv("VEK_QBR18_32", (dir_ / "qbr18_32.ini").c_str(), 1);
        setenv("VEK_GDBDRV", (dir_ / "gdbdrv.ini").c_str(), 1);
        unsetenv("VEK_GDB_REMOTE");
        setenv("VEK_SPIDRV", (dir_ / "spidrv.ini").c_str(), 1);
        setenv("BSX4810_LOCK_FILE", (dir_ / "bsx4810.lock").c_str(), 1);
        unsetenv("BSX4810_TARGET_FILE");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::string Example(const std::string& name) {
        return std::string(VEK_SOURCE_DIR) + "/examples/" + name;
    }
    std::string Temp(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name) << text;
        return Temp(name);
    }
    std::string Read(const std::string& name) const {
        std::ostringstream text;
        text << std::ifstream(dir_ / name).rdbuf();
        return text.str();
    }

    std::filesystem::path dir_;
};

} // namespace vek
