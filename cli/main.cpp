#include "cli/process_exit.h"
#include "cli/vek_cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    vek::SetProcessEndsAfterCommand(true);
    return vek::RunVek(args, std::cout, std::cerr);
}
