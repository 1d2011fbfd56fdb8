#include "cable_messages.h"

#include "../cause_report.h"

#include <cstdarg>
#include <cstdio>

namespace bsx4810 {

namespace {

constexpr const char* kTexts[] = {
#define BSX4810_CABLE_MESSAGE_TEXT(id, text) text,
    BSX4810_CABLE_MESSAGES(BSX4810_CABLE_MESSAGE_TEXT)
#undef BSX4810_CABLE_MESSAGE_TEXT
};

} // namespace

std::string CableText(CableMessage id, ...) {
    const char* format = kTexts[static_cast<int>(id)];
    va_list args;
    va_start(args, id);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    va_end(args);
    return text;
}

void ReportCableCause(const std::string& cause) {
    ReportCause("ftdi", cause);
}

} // namespace bsx4810
