// Imports the fuzzed bytes as a vendor's register map and compiles what the import wrote: a map
// is refused with its message or gives a description that compiles without errors, never one
// that does not.
#include "compiler/description_compile.h"
#include "importer/map_import.h"
#include "platform/recording_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    vek::Result<vek::ImportedDescription> imported =
        vek::ImportRegisterMap("fuzz.svd", std::string(text), "gdbdrv.dll");
    if (!imported)
        return 0;
    vek::RecordingHost host;
    const vek::CompiledDescription compiled =
        vek::CompileDescription("fuzz.vek", imported.Value().text, host);
    if (compiled.errors != 0) {
        for (const std::string& line : host.Texts())
            std::fprintf(stderr, "%s\n", line.c_str());
        std::abort();
    }
    return 0;
}
