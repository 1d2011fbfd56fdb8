#include "cli/description_compile.h"

#include "compiler/description_parser.h"
#include "compiler/recording_builder.h"
#include "platform/text_file.h"

namespace vek {

bool CanReadDescription(const std::string& path, std::string& reason) {
    std::string contents;
    return ReadTextFile(path, contents, reason);
}

int CompileDescription(const std::string& path, Host& host) {
    DescriptionParser parser([] { return std::make_unique<RecordingBuilder>(); });
    parser.Compile(path, &host);
    return parser.ErrorCount();
}

std::string CompileSummary(const std::string& path, int errors) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + " - " + std::to_string(errors) + " error(s)";
}

} // namespace vek
