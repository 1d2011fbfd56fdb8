// Loads the fuzzed bytes as a register-values file into a document of a fixed description
// (values_board.vek) in simulation mode, stores the loaded values again, and reads the bytes as
// `vek diff` does, without a description.
#include "agreeing_host.h"
#include "document/values_file.h"
#include "document/vek_doc.h"
#include "platform/profile_file.h"
#include "platform/recording_host.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const char* const kBoard = VEK_FUZZ_DIR "/values_board.vek";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vek;
    const std::string file = fuzz::WriteScratchFile(
        "values.vkg", std::string_view(reinterpret_cast<const char*>(data), size));

    AgreeingHost host;
    CVekDoc doc(host);
    if (!doc.OpenDocument(kBoard)) {
        std::fprintf(stderr, "%s does not open in simulation mode\n", kBoard);
        std::exit(1);
    }
    doc.LoadValues(file);
    ProfileFile stored;
    doc.StoreValues(stored, "stored after loading");

    if (Result<SavedValues> saved = ReadValuesFile(file)) {
        for (const SavedRegister& reg : saved.Value().registers) {
            SavedParts(reg.text);
        }
    }
    return 0;
}
