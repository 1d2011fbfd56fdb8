#pragma once

#include "scripting/basic/print_layout.h"
#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vek::basic {

// How Open opens a file: Input reads it, Output makes it anew, Append writes at its end.
enum class FileMode { Input = 1, Output = 2, Append = 8 };

// The files a script opened with Open, by their numbers (1 to 511, as Visual Basic has them), and
// the state of Dir between its calls. Every line written is flushed at once, so that a log stays
// complete when the script fails or is interrupted; all files are closed when the script ends.
class ScriptFiles {
public:
    ScriptFiles() = default;
    ~ScriptFiles() { CloseAll(); }
    ScriptFiles(const ScriptFiles&) = delete;
    ScriptFiles& operator=(const ScriptFiles&) = delete;

    RunError Open(const std::string& path, FileMode mode, std::int32_t number);
    RunError Close(std::int32_t number);
    void CloseAll();
    // The lowest number not in use (FreeFile); 0 when all are.
    std::int32_t FreeNumber() const;

    // Print #: appends text; `newline` ends the line, `zone` moves to the next print zone.
    RunError Print(std::int32_t number, const std::string& text, bool zone, bool newline);
    // Tab(n) or Spc(n) in a Print # list.
    RunError PrintMoveTo(std::int32_t number, PrintMove move, std::int32_t n);
    // Line Input #: the next line without its line end.
    RunError ReadLine(std::int32_t number, std::string& line);
    // Input #: the next field of a line as Write # writes them: a quoted string, a number, a
    // #TRUE#/#FALSE#, or unquoted text up to the next comma or line end.
    RunError ReadField(std::int32_t number, Variant& value);
    RunError AtEnd(std::int32_t number, bool& atEnd);
    RunError Length(std::int32_t number, std::int64_t& bytes);

    // Dir(pattern): the first name that matches; Dir(): the next one; "" after the last.
    RunError FirstMatch(const std::string& pattern, bool directories, std::string& name);
    std::string NextMatch();

private:
    struct OpenFile {
        FileMode mode = FileMode::Input;
        std::FILE* stream = nullptr;
        std::size_t column = 0;  // characters written since the last line end
        bool afterComma = false; // Input # stopped at a comma: another field follows
    };
    RunError Find(std::int32_t number, FileMode mode, OpenFile*& file);
    // The next character without taking it; EOF at the end.
    static int PeekChar(std::FILE* stream);

    std::map<std::int32_t, OpenFile> open_;
    std::vector<std::string> matches_; // Dir's names still to come, last first
};

// The names of files that `pattern` (a path whose last part may hold * and ?) matches, sorted.
RunError MatchFiles(const std::string& pattern, bool directories, std::vector<std::string>& paths);

} // namespace vek::basic
