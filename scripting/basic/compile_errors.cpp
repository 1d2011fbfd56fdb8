#include "scripting/basic/compile_errors.h"

#include <string_view>

namespace vek::basic {

namespace {

constexpr const char* kTexts[] = {
#define VEK_BASIC_COMPILE_ERROR_TEXT(name, text) text,
    VEK_BASIC_COMPILE_ERRORS(VEK_BASIC_COMPILE_ERROR_TEXT)
#undef VEK_BASIC_COMPILE_ERROR_TEXT
};

} // namespace

// One pass over the catalogue text, so that braces inside an argument (a [bracketed] name) stay
// as they are.
std::string CompileErrorText(const CompileMessage& message) {
    const std::string_view format = kTexts[static_cast<int>(message.error)];
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::size_t arg = i + 2 < format.size() && format[i] == '{' && format[i + 2] == '}'
                                    ? static_cast<std::size_t>(format[i + 1] - '0')
                                    : std::size(message.args);
        if (arg < std::size(message.args)) {
            text += message.args[arg];
            i += 2;
        } else {
            text += format[i];
        }
    }
    return text;
}

void ErrorReporter::Report(const std::string& module, const CompileMessage& message) {
    list_.push_back({module, message.pos.line, message.pos.column, CompileErrorText(message)});
}

bool ErrorReporter::ReportedAt(const std::string& module, Position pos) const {
    for (const Diagnostic& d : list_) {
        if (d.module == module && d.line == pos.line && d.column == pos.column) {
            return true;
        }
    }
    return false;
}

} // namespace vek::basic
