// Runs `vek tree` on the fuzzed bytes as a register description, in the radix the input's length
// picks: the compile with its diagnostics, or the tree with every value shown, as a user sees it.
#include "cli/vek_cli.h"
#include "scratch_folder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<const char*, 3> kRadices = {"hex", "dec", "bin"};
    const std::string path = vek::fuzz::WriteScratchFile(
        "fuzz.vek", std::string_view(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    std::ostringstream err;
    vek::RunVek({"tree", path, "--radix", kRadices[size % kRadices.size()]}, out, err);
    return 0;
}
