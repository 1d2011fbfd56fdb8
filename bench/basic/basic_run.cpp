// Runs a Basic file's Main with the engine, printing to standard output: the engine's side of the
// comparison with other interpreters in compare.sh. With a procedure's name after the file, prints
// that procedure's instructions instead, to see what a benchmark runs.
#include "scripting/basic/engine.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: basic_run FILE.bas [PROCEDURE]\n");
        return 2;
    }
    vek::basic::Engine engine;
    if (argc == 3) {
        std::string error;
        if (!engine.LoadModuleFile(argv[1], error) || !engine.Compile()) {
            std::fprintf(stderr, "Error: %s cannot be compiled\n", argv[1]);
            return 1;
        }
        std::cout << engine.Disassembly(argv[1], argv[2]);
        return 0;
    }
    vek::basic::Engine::Callbacks callbacks;
    callbacks.print = [](const std::string& line) { std::cout << line << '\n'; };
    callbacks.debugPrint = callbacks.print;
    engine.SetCallbacks(callbacks);
    if (!engine.RunFile(argv[1])) {
        for (const auto& d : engine.Diagnostics()) {
            std::fprintf(stderr, "Error: %s\n", d.ToString().c_str());
        }
        std::fprintf(stderr, "Error: %s\n", engine.LastError().description.c_str());
        return 1;
    }
    if (engine.RunToEnd() != vek::basic::RunState::Finished) {
        const auto& e = engine.LastError();
        std::fprintf(stderr, "Error: run-time error %d: %s (%s line %d)\n", e.number,
                     e.description.c_str(), e.module.c_str(), e.line);
        return 1;
    }
    return 0;
}
