// Compiles the fuzzed bytes as a register description and, when it compiles, inserts its items
// into a text tree and shows their values in every radix, as `vek tree` does.
#include "cli/text_tree.h"
#include "compiler/description_compile.h"
#include "model/line_item.h"
#include "model/register_codes.h"
#include "platform/recording_host.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vek;
    RecordingHost host;
    CompiledDescription compiled = CompileDescription(
        "fuzz.vek", std::string(reinterpret_cast<const char*>(data), size), host);
    if (compiled.errors != 0 || compiled.items == nullptr) {
        return 0;
    }
    TextTree tree;
    for (CLineItem& item : *compiled.items) {
        if (item.GetLevel() > 0) {
            item.InsertIntoTree(tree, -1, -1, 0);
        }
    }
    std::ostringstream printed;
    for (const int radix : {display_flag::Hex, display_flag::Decimal, display_flag::Binary}) {
        for (CLineItem& item : *compiled.items) {
            item.Update(nullptr, radix);
        }
        tree.Print(printed);
    }
    return 0;
}
