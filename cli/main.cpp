#include "cli/process_exit.h"
#include "cli/vek_cli.h"

#include <iostream>

int main(int argc, char** argv) {
    // Standard output stays with C's stdio: line by line on a terminal, so a script's Print
    // lines show as they are printed and none is lost when a second Ctrl-C ends vek at once; in
    // large blocks into files and pipes.
    const std::vector<std::string> args(argv + 1, argv + argc);
    vek::SetProcessEndsAfterCommand(true);
    return vek::RunVek(args, std::cout, std::cerr);
}
