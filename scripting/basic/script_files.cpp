#include "scripting/basic/script_files.h"
#include "scripting/basic/print_layout.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/limits.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fnmatch.h>
#include <sys/stat.h>

namespace vek::basic {

namespace {

constexpr std::int32_t kMaxFileNumber = 511;
constexpr std::int32_t kMaxFreeFile = 255; // FreeFile gives 1 to 255, as Visual Basic does

} // namespace

RunError ScriptFiles::Open(const std::string& path, FileMode mode, std::int32_t number) {
    if (number < 1 || number > kMaxFileNumber || path.empty()) {
        return RunError::BadFileNameOrNumber;
    }
    if (open_.count(number) != 0) {
        return RunError::FileAlreadyOpen;
    }
    if (open_.size() >= kMaxOpenScriptFiles) {
        return RunError::TooManyFiles;
    }
    // Only regular files: a directory, a FIFO or a device would fail or block later.
    struct stat info {};
    const bool exists = stat(path.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        return RunError::PathFileAccess;
    }
    if (!exists && mode == FileMode::Input) {
        return FileErrorOf(errno);
    }
    const char* how = mode == FileMode::Input ? "rb" : mode == FileMode::Output ? "wb" : "ab";
    std::FILE* stream = std::fopen(path.c_str(), how);
    if (stream == nullptr) {
        return FileErrorOf(errno);
    }
    open_[number] = {mode, stream, 0};
    return RunError::None;
}

RunError ScriptFiles::Close(std::int32_t number) {
    const auto it = open_.find(number);
    if (it == open_.end()) {
        return number < 1 || number > kMaxFileNumber ? RunError::BadFileNameOrNumber
                                                     : RunError::None;
    }
    const bool failed = std::fclose(it->second.stream) != 0;
    open_.erase(it);
    return failed ? RunError::PathFileAccess : RunError::None;
}

void ScriptFiles::CloseAll() {
    for (auto& [number, file] : open_) {
        std::fclose(file.stream);
    }
    open_.clear();
    matches_.clear();
}

std::int32_t ScriptFiles::FreeNumber() const {
    for (std::int32_t n = 1; n <= kMaxFreeFile; ++n) {
        if (open_.count(n) == 0) {
            return n;
        }
    }
    return 0;
}

RunError ScriptFiles::Find(std::int32_t number, FileMode mode, OpenFile*& file) {
    const auto it = open_.find(number);
    if (it == open_.end()) {
        return RunError::BadFileNameOrNumber;
    }
    const bool reading = it->second.mode == FileMode::Input;
    if (reading != (mode == FileMode::Input)) {
        return RunError::BadFileMode;
    }
    file = &it->second;
    return RunError::None;
}

RunError ScriptFiles::Print(std::int32_t number, const std::string& text, bool zone, bool newline) {
    OpenFile* file = nullptr;
    if (const RunError e = Find(number, FileMode::Output, file); e != RunError::None) {
        return e;
    }
    std::string out = text;
    file->column += text.size();
    if (zone) {
        const std::size_t pad = ZoneBlanks(file->column);
        out.append(pad, ' ');
        file->column += pad;
    }
    if (newline) {
        out += "\r\n";
        file->column = 0;
    }
    if (std::fwrite(out.data(), 1, out.size(), file->stream) != out.size() ||
        (newline && std::fflush(file->stream) != 0)) {
        return RunError::PathFileAccess;
    }
    return RunError::None;
}

RunError ScriptFiles::PrintMoveTo(std::int32_t number, PrintMove move, std::int32_t n) {
    OpenFile* file = nullptr;
    if (const RunError e = Find(number, FileMode::Output, file); e != RunError::None) {
        return e;
    }
    const PrintMoveBlanks blanks = BlanksOfMove(move, file->column, n);
    if (blanks.newLine && Print(number, {}, false, true) != RunError::None) {
        return RunError::PathFileAccess;
    }
    return Print(number, std::string(blanks.blanks, ' '), false, false);
}

int ScriptFiles::PeekChar(std::FILE* stream) {
    const int c = std::fgetc(stream);
    if (c != EOF) {
        std::ungetc(c, stream);
    }
    return c;
}

RunError ScriptFiles::ReadLine(std::int32_t number, std::string& line) {
    OpenFile* file = nullptr;
    if (const RunError e = Find(number, FileMode::Input, file); e != RunError::None) {
        return e;
    }
    if (PeekChar(file->stream) == EOF) {
        return RunError::InputPastEndOfFile;
    }
    line.clear();
    for (int c = std::fgetc(file->stream); c != EOF && c != '\n'; c = std::fgetc(file->stream)) {
        if (line.size() >= kMaxStringLength) {
            return RunError::OutOfStringSpace;
        }
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return RunError::None;
}

RunError ScriptFiles::ReadField(std::int32_t number, Variant& value) {
    OpenFile* file = nullptr;
    if (const RunError e = Find(number, FileMode::Input, file); e != RunError::None) {
        return e;
    }
    std::FILE* in = file->stream;
    int c = std::fgetc(in);
    // After a comma, a line end closes an empty field; otherwise line ends lead to the next one.
    while (c == ' ' || c == '\t' || ((c == '\r' || c == '\n') && !file->afterComma)) {
        c = std::fgetc(in);
    }
    if (c == EOF && !file->afterComma) {
        return RunError::InputPastEndOfFile;
    }
    std::string text;
    const bool quoted = c == '"';
    if (quoted) {
        for (c = std::fgetc(in); c != EOF && c != '"'; c = std::fgetc(in)) {
            if (text.size() >= kMaxStringLength) {
                return RunError::OutOfStringSpace;
            }
            text += static_cast<char>(c);
        }
        c = std::fgetc(in);
        while (c == ' ' || c == '\t') {
            c = std::fgetc(in);
        }
    } else {
        for (; c != EOF && c != ',' && c != '\n'; c = std::fgetc(in)) {
            if (text.size() >= kMaxStringLength) {
                return RunError::OutOfStringSpace;
            }
            text += static_cast<char>(c);
        }
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) {
            text.pop_back();
        }
    }
    // The field ends at a comma or at the line end, which it takes.
    file->afterComma = c == ',';
    if (c == '\r' && PeekChar(in) == '\n') {
        std::fgetc(in);
    }
    if (quoted) {
        value = Variant::String(std::move(text));
    } else if (text.empty()) {
        value = Variant();
    } else if (text == "#TRUE#" || text == "#FALSE#") {
        value = Variant::Boolean(text == "#TRUE#");
    } else if (text == "#NULL#") {
        value = Variant::Null();
    } else {
        // A number beyond a Double fails as converting it does (error 6).
        double parsed = 0;
        const RunError e = ParseNumber(text, parsed);
        if (e == RunError::Overflow) {
            return e;
        }
        value = e == RunError::None ? Variant::Double(parsed) : Variant::String(std::move(text));
    }
    return RunError::None;
}

RunError ScriptFiles::AtEnd(std::int32_t number, bool& atEnd) {
    const auto it = open_.find(number);
    if (it == open_.end()) {
        return RunError::BadFileNameOrNumber;
    }
    atEnd = it->second.mode != FileMode::Input || PeekChar(it->second.stream) == EOF;
    return RunError::None;
}

RunError ScriptFiles::Length(std::int32_t number, std::int64_t& bytes) {
    const auto it = open_.find(number);
    if (it == open_.end()) {
        return RunError::BadFileNameOrNumber;
    }
    std::fflush(it->second.stream);
    struct stat info {};
    if (fstat(fileno(it->second.stream), &info) != 0) {
        return RunError::PathFileAccess;
    }
    bytes = static_cast<std::int64_t>(info.st_size);
    return RunError::None;
}

RunError ScriptFiles::FirstMatch(const std::string& pattern, bool directories, std::string& name) {
    std::vector<std::string> paths;
    matches_.clear();
    if (const RunError e = MatchFiles(pattern, directories, paths); e != RunError::None) {
        return e;
    }
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        matches_.push_back(std::filesystem::path(*it).filename().string());
    }
    name = NextMatch();
    return RunError::None;
}

std::string ScriptFiles::NextMatch() {
    if (matches_.empty()) {
        return {};
    }
    std::string name = std::move(matches_.back());
    matches_.pop_back();
    return name;
}

RunError MatchFiles(const std::string& pattern, bool directories, std::vector<std::string>& paths) {
    namespace fs = std::filesystem;
    const fs::path full(pattern);
    const std::string leaf = full.filename().string();
    const fs::path folder = full.has_parent_path() ? full.parent_path() : fs::path(".");
    std::error_code error;
    if (leaf.find_first_of("*?") == std::string::npos) {
        const fs::file_status status = fs::status(full, error);
        if (fs::is_regular_file(status) || (directories && fs::is_directory(status))) {
            paths.push_back(full.string());
        }
        return RunError::None;
    }
    fs::directory_iterator it(folder, error);
    if (error) {
        return RunError::None; // a folder that is not there holds no match
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) {
            break;
        }
        const std::string name = it->path().filename().string();
        const bool wanted = it->is_regular_file(error) || (directories && it->is_directory(error));
        if (wanted && fnmatch(leaf.c_str(), name.c_str(), FNM_PERIOD) == 0) {
            paths.push_back((full.has_parent_path() ? folder / name : fs::path(name)).string());
        }
        if (paths.size() > static_cast<std::size_t>(kMaxArrayElements)) {
            return RunError::OutOfMemory;
        }
    }
    std::sort(paths.begin(), paths.end());
    return RunError::None;
}

} // namespace vek::basic
