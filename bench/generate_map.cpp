// Prints a generated CMSIS-SVD file: generate_map PERIPHERALS REGISTERS FIELDS.
#include "map_generator.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: generate_map PERIPHERALS REGISTERS FIELDS\n");
        return 2;
    }
    const std::string text =
        vek::GenerateSvd(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]));
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
