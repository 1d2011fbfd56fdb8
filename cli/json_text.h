#pragma once

#include <string>
#include <string_view>

namespace vek {

// Appends `text` as a JSON string. Bytes that are not UTF-8 (a description written in a Windows
// code page) are escaped one by one, so the document stays valid JSON.
void AppendJsonString(std::string& json, std::string_view text);

} // namespace vek
