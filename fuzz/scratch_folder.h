#pragma once

#include <string>
#include <string_view>

namespace vek::fuzz {

// Replaces the file `name` in this process's own scratch folder with `bytes` and returns its
// path. The folder is made on first use below $TMPDIR (or /tmp) and removed with everything in
// it when the process exits normally; a crashing run leaves it for the caller's clean-up.
std::string WriteScratchFile(std::string_view name, std::string_view bytes);

// Makes the scratch folder the working folder, so that files a fuzzed script names without a
// folder are made and deleted there and never beside the sources.
void EnterScratchFolder();

} // namespace vek::fuzz
