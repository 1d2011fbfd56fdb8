#include "importer/import_warnings.h"

#include "importer/import_limits.h"

namespace vek {

namespace {

constexpr std::string_view kTexts[] = {
#define VEK_IMPORT_WARNING_TEXT(name, text) text,
    VEK_IMPORT_WARNINGS(VEK_IMPORT_WARNING_TEXT)
#undef VEK_IMPORT_WARNING_TEXT
};

} // namespace

void ImportWarnings::Add(ImportWarning kind, std::string_view name) {
    Tally& tally = tallies_[static_cast<std::size_t>(kind)];
    ++tally.count;
    if (tally.examples.size() < kWarningExamples)
        tally.examples.emplace_back(name);
}

std::vector<std::string> ImportWarnings::Lines() const {
    std::vector<std::string> lines;
    for (std::size_t kind = 0; kind < tallies_.size(); ++kind) {
        const Tally& tally = tallies_[kind];
        if (tally.count == 0)
            continue;
        std::string line = std::to_string(tally.count) + " " + std::string(kTexts[kind]) + ": ";
        for (std::size_t i = 0; i < tally.examples.size(); ++i)
            line += (i == 0 ? "" : ", ") + tally.examples[i];
        if (tally.count > tally.examples.size())
            line += ", ...";
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace vek
