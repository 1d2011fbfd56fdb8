#include "recording_builder.h"

namespace vek {

void RecordingBuilder::AddProperty(int code, std::string_view text, int line) {
    Record("prop " + std::to_string(code) + " '" + std::string(text) + "' @" +
           std::to_string(line));
}

void RecordingBuilder::CreatePart(int partNumber) {
    Record("CreatePart " + std::to_string(partNumber));
}

void RecordingBuilder::AddItemOperand(std::string_view name) {
    Record("Operand identifier '" + std::string(name) + "'");
}

void RecordingBuilder::AddNumberOperand(std::string_view text) {
    Record("Operand intCon '" + std::string(text) + "'");
}

void RecordingBuilder::CreateScriptMacro(const std::string& descriptionPath) {
    Record("CreateScriptMacro " + descriptionPath);
}

} // namespace vek
