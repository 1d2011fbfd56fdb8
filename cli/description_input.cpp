#include "cli/description_input.h"

#include "cli/vek_cli.h"
#include "importer/map_import.h"
#include "platform/console_host.h"
#include "platform/text_file.h"

#include <ostream>
#include <sstream>

namespace vek {

Result<ImportedDescription> ImportedForCommand(const std::string& path, std::string text,
                                               std::ostream& err) {
    Result<ImportedDescription> description = DescriptionFromText(path, std::move(text));
    if (!description) {
        err << "vek: " << description.Error().text << '\n';
        return description;
    }
    for (const std::string& warning : description.Value().warnings)
        err << "vek: warning: " << path << ": " << warning << '\n';
    return description;
}

std::optional<CompiledDescription> CompileForPrinting(const std::string& path,
                                                      std::ostream& diagnostics, std::ostream& err,
                                                      int& status) {
    Result<std::string> text = ReadTextFile(path, kDescriptionFileLimit);
    if (!text) {
        err << "vek: cannot open '" << path << "': " << text.Error().text << '\n';
        status = kExitUsage;
        return std::nullopt;
    }
    Result<ImportedDescription> description =
        ImportedForCommand(path, std::move(text).Value(), err);
    if (!description) {
        status = kExitErrors;
        return std::nullopt;
    }
    // The compiler's lines are printed only when the description has errors.
    std::ostringstream lines;
    ConsoleHost host(lines, AnswerPolicy::Negative);
    CompiledDescription compiled =
        CompileDescription(path, std::move(description.Value().text), host);
    if (compiled.errors != 0) {
        host.Message(CompileSummary(path, compiled.errors), false);
        diagnostics << lines.str();
        status = kExitErrors;
        return std::nullopt;
    }
    status = kExitOk;
    return compiled;
}

} // namespace vek
