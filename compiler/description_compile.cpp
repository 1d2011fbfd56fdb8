#include "compiler/description_compile.h"

#include "compiler/builder.h"
#include "compiler/description_parser.h"

namespace vek {

CompiledDescription CompileDescription(const std::string& path, std::string text, Host& host,
                                       DiagnosticSink sink) {
    // Editors on other systems start a UTF-8 file with a byte-order mark; it is no token.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark))
        text.erase(0, kByteOrderMark.size());
    DescriptionParser parser([] { return std::make_unique<CBuilder>(); });
    parser.Compile(path, std::move(text), &host, std::move(sink));
    CompiledDescription result;
    result.errors = parser.ErrorCount();
    if (result.errors != 0) {
        return result;
    }
    auto& builder = static_cast<CBuilder&>(*parser.Builder());
    result.items = builder.TakeItems();
    result.macros = builder.TakeMacros();
    result.scriptMacros = builder.TakeScriptMacros();
    return result;
}

std::string CompileSummary(const std::string& path, int errors) {
    const std::size_t slash = path.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return name + " - " + std::to_string(errors) + " error(s)";
}

} // namespace vek
