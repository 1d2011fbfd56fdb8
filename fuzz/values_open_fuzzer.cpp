// Opens a register-values file and the description it names as the desktop program opens a .vkg:
// the bytes up to the first NUL are the values file, the rest the description. In the values
// file, "@VEK@" stands for the description's path and "@VKG@" for its own, so that inputs can
// name the description, themselves, or a file that does not exist. The description found is
// compiled (without loading a driver, in simulation mode), the values loaded and stored again.
#include "agreeing_host.h"
#include "document/values_file.h"
#include "document/vek_doc.h"
#include "platform/profile_file.h"
#include "platform/recording_host.h"
#include "platform/text_file.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string Replaced(std::string text, std::string_view mark, const std::string& by) {
    for (std::size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + by.size())) {
        text.replace(at, mark.size(), by);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vek;
    // A relative description name is looked for in the scratch folder.
    static const bool entered = (fuzz::EnterScratchFolder(), true);
    (void)entered;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::string description = fuzz::WriteScratchFile(
        "board.vek", split == std::string_view::npos ? "" : bytes.substr(split + 1));
    const std::string valuesPath = fuzz::WriteScratchFile("board.vkg", "");
    const std::string values = Replaced(
        Replaced(std::string(bytes.substr(0, split)), "@VEK@", description), "@VKG@", valuesPath);
    fuzz::WriteScratchFile("board.vkg", values);

    // As the window opens a dropped or double-clicked .vkg: the file, then its description.
    if (!CheckRegularFile(valuesPath))
        return 0;
    const Result<std::string> named = DescriptionNamedBy(valuesPath);
    if (!named || !CheckRegularFile(named.Value()))
        return 0;
    AgreeingHost host;
    CVekDoc doc(host);
    if (!doc.OpenWithoutDrivers(named.Value()))
        return 0;
    doc.ToggleSimulation();
    doc.LoadValues(valuesPath);
    ProfileFile stored;
    doc.StoreValues(stored, "stored after loading");
    return 0;
}
