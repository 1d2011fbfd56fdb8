#include "model/basic_macro.h"

#include "platform/host.h"

#include <filesystem>
#include <system_error>

namespace vek {

void CBasicMacro::SetFile(const std::string& fileText, Host* host) {
    std::string text = fileText;
    if (text.size() > 2)
        text = text.substr(1, text.size() - 2);
    else if (text.size() == 2 && text.front() == '"' && text.back() == '"')
        text.clear(); // two quotes name no file
    if (text.empty()) {
        if (host != nullptr)
            host->Message("Warning: File '" + text + "' not correct or no filename given.", false);
        return;
    }
    // Descriptions written on Windows separate folders with backslashes.
    for (char& c : text) {
        if (c == '\\')
            c = '/';
    }
    // A relative name is taken from the description's folder.
    if (text.front() != '/' && text.find(':') == std::string::npos) {
        const std::size_t slash = descriptionPath_.find_last_of("\\/");
        if (slash != std::string::npos)
            text = descriptionPath_.substr(0, slash + 1) + text;
    }
    std::error_code error;
    if (std::filesystem::is_regular_file(text, error)) {
        file_ = text;
        return;
    }
    if (host != nullptr)
        host->Message("Warning: File '" + text + "' not found.", false);
}

bool CBasicMacro::Run(int) {
    if (runner_ != nullptr && IsValid())
        runner_->RunFile("\"" + file_ + "\"");
    return true;
}

} // namespace vek
