#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vek {

// Text of the logic layers for the widgets: UTF-8 when it is valid UTF-8, else Latin-1, the
// encoding of descriptions written on the old platform.
QString ToQString(std::string_view text);
// A path or a text for the logic layers, as UTF-8.
std::string ToStdString(const QString& text);

} // namespace vek
