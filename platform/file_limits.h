#pragma once

#include <cstdint>

namespace vek {

// The most a kind of file may hold. Every file the program and the drivers read is read whole
// into memory, so each reader refuses a larger one with a message rather than growing until the
// machine runs out of memory (a description named /dev/zero once took gigabytes).
struct FileLimit {
    std::uint64_t bytes;
    const char* what; // names the kind of file in the message: "... the most a <what> may have"
};

inline constexpr std::uint64_t kMebibyte = 1024 * 1024;

// A register description: a generated board of a million registers takes some 40 MiB; compiling
// one takes up to eight times its size in memory, so 64 MiB stay near half a GiB.
inline constexpr FileLimit kDescriptionFileLimit{64 * kMebibyte, "description"};

// A profile file: a register-values file (.vkg) holds one line of some 20 characters per
// register, so 64 MiB are three million registers, beyond any description above; the settings
// files pcalh_io.ini and qbr18_32.ini, whose largest (a simulated device of 64 KiB written as
// Data bytes, or all 65,536 bridge registers) take a few MiB; the application's profile.
inline constexpr FileLimit kProfileFileLimit{64 * kMebibyte, "profile file"};

// The software JTAG target's register file: one line of at most 40 characters per register that
// was ever written; 64 MiB are more than a million registers.
inline constexpr FileLimit kTargetFileLimit{64 * kMebibyte, "JTAG target file"};

// A Basic script (one named to `vek open ... script`, a script macro's file, a module the script
// editor opens): scripts are written by hand and rarely pass a few hundred KiB; 16 MiB leave room
// for generated ones.
inline constexpr FileLimit kScriptFileLimit{16 * kMebibyte, "Basic script"};

// The desktop program's user guide (vek32.md), shown in its Help window: some 30 KiB now; 4 MiB
// leave room for any guide written by hand.
inline constexpr FileLimit kGuideFileLimit{4 * kMebibyte, "user guide"};

} // namespace vek
