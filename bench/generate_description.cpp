// Writes a generated description to standard output, for the whole-process timings of
// compile_shapes.sh: generate_description DEVICES REGISTERS BITFIELDS [unique|repeated]
#include "description_generator.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace {

bool ReadCount(std::string_view text, int& count) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), count);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && count >= 0;
}

} // namespace

int main(int argc, char** argv) {
    int devices = 0;
    int registers = 0;
    int bitFields = 0;
    const std::string_view style = argc == 5 ? argv[4] : "unique";
    if ((argc != 4 && argc != 5) || !ReadCount(argv[1], devices) ||
        !ReadCount(argv[2], registers) || !ReadCount(argv[3], bitFields) ||
        (style != "unique" && style != "repeated")) {
        std::fputs("usage: generate_description DEVICES REGISTERS BITFIELDS [unique|repeated]\n",
                   stderr);
        return 2;
    }
    const std::string text = vek::bench::GenerateDescription(
        devices, registers, bitFields, "pardrv32.dll",
        style == "repeated" ? vek::bench::NameStyle::Repeated : vek::bench::NameStyle::Unique);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
