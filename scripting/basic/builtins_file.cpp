// Built-in functions of sequential files, and the calls the file statements (Open, Close,
// Print #, Write #, Input #, Line Input #) become.
#include "scripting/basic/builtin_args.h"
#include "scripting/basic/builtins.h"
#include "scripting/basic/script_files.h"

#include <filesystem>
#include <system_error>

namespace vek::basic {

namespace {

constexpr std::int32_t kDirectoryAttribute = 16; // vbDirectory

// The text Write # gives a value: strings quoted, Booleans as #TRUE#, Dates as #date#, Null as
// #NULL#, Empty as nothing.
RunError WriteField(const Variant& value, std::string& out) {
    const Variant& v = value.IsRef() ? value.Deref() : value;
    std::string text;
    switch (v.GetTag()) {
    case Tag::Empty:
        return RunError::None;
    case Tag::Null:
        out += "#NULL#";
        return RunError::None;
    case Tag::Boolean:
        out += v.IntValue() != 0 ? "#TRUE#" : "#FALSE#";
        return RunError::None;
    case Tag::String:
        out += '"' + v.StringValue() + '"';
        return RunError::None;
    case Tag::Date:
        if (const RunError e = ToText(v, text); e != RunError::None) {
            return e;
        }
        out += '#' + text + '#';
        return RunError::None;
    default:
        if (const RunError e = ToText(v, text); e != RunError::None) {
            return e;
        }
        out += text;
        return RunError::None;
    }
}

} // namespace

RunError BuiltinFreeFile(BuiltinContext& context, Variant*, int, Variant& out) {
    const std::int32_t number = context.files->FreeNumber();
    if (number == 0) {
        return RunError::TooManyFiles;
    }
    out = Variant::Integer(number);
    return RunError::None;
}

RunError BuiltinEof(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    bool atEnd = false;
    if (const RunError e = context.files->AtEnd(number, atEnd); e != RunError::None) {
        return e;
    }
    out = Variant::Boolean(atEnd);
    return RunError::None;
}

RunError BuiltinLOF(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    std::int64_t bytes = 0;
    if (const RunError e = context.files->Length(number, bytes); e != RunError::None) {
        return e;
    }
    out = Variant::Long(static_cast<std::int32_t>(bytes));
    return RunError::None;
}

RunError BuiltinFileLen(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(path, args[0]);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return RunError::FileNotFound;
    }
    const auto bytes = std::filesystem::file_size(path, error);
    if (error) {
        return RunError::PathFileAccess;
    }
    out = Variant::Long(static_cast<std::int32_t>(bytes));
    return RunError::None;
}

RunError BuiltinDir(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    if (argc == 0 || args[0].IsEmpty()) {
        out = Variant::String(context.files->NextMatch());
        return RunError::None;
    }
    VEK_BASIC_ARG_TEXT(pattern, args[0]);
    std::int32_t attributes = 0;
    if (argc > 1 && ToLong(args[1], attributes) != RunError::None) {
        return RunError::TypeMismatch;
    }
    std::string name;
    if (const RunError e =
            context.files->FirstMatch(pattern, (attributes & kDirectoryAttribute) != 0, name);
        e != RunError::None) {
        return e;
    }
    out = Variant::String(std::move(name));
    return RunError::None;
}

// Kill deletes the files a pattern matches; none is error 53.
RunError BuiltinKill(BuiltinContext&, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(pattern, args[0]);
    std::vector<std::string> paths;
    if (const RunError e = MatchFiles(pattern, false, paths); e != RunError::None) {
        return e;
    }
    if (paths.empty()) {
        return RunError::FileNotFound;
    }
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::remove(path, error)) {
            return RunError::PathFileAccess;
        }
    }
    out = Variant();
    return RunError::None;
}

RunError BuiltinOpenFile(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_TEXT(path, args[0]);
    VEK_BASIC_ARG_LONG(mode, args[1]);
    VEK_BASIC_ARG_LONG(number, args[2]);
    out = Variant();
    return context.files->Open(path, static_cast<FileMode>(mode), number);
}

// Close #1, #2, or Close alone for all.
RunError BuiltinCloseFile(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    out = Variant();
    if (argc == 0) {
        context.files->CloseAll();
        return RunError::None;
    }
    for (int i = 0; i < argc; ++i) {
        VEK_BASIC_ARG_LONG(number, args[i]);
        if (const RunError e = context.files->Close(number); e != RunError::None) {
            return e;
        }
    }
    return RunError::None;
}

// Print #: the number, then each item with what followed it (0 nothing: the line ends, 1 ';',
// 2 ','), or a move (n and 3 for Tab(n), 4 for Spc(n)); the number alone writes an empty line.
RunError BuiltinPrintFile(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    out = Variant();
    if (argc == 1) {
        return context.files->Print(number, {}, false, true);
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        VEK_BASIC_ARG_LONG(separator, args[i + 1]);
        if (separator == 3 || separator == 4) {
            VEK_BASIC_ARG_LONG(n, args[i]);
            if (const RunError e = context.files->PrintMoveTo(
                    number, separator == 3 ? PrintMove::Tab : PrintMove::Spc, n);
                e != RunError::None) {
                return e;
            }
            continue;
        }
        std::string text;
        if (const RunError e = ToPrintText(args[i], text); e != RunError::None) {
            return e;
        }
        if (const RunError e = context.files->Print(number, text, separator == 2, separator == 0);
            e != RunError::None) {
            return e;
        }
    }
    return RunError::None;
}

RunError BuiltinWriteFile(BuiltinContext& context, Variant* args, int argc, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            line += ',';
        }
        if (const RunError e = WriteField(args[i], line); e != RunError::None) {
            return e;
        }
    }
    out = Variant();
    return context.files->Print(number, line, false, true);
}

RunError BuiltinInputFile(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    return context.files->ReadField(number, out);
}

RunError BuiltinLineInputFile(BuiltinContext& context, Variant* args, int, Variant& out) {
    VEK_BASIC_ARG_LONG(number, args[0]);
    std::string line;
    if (const RunError e = context.files->ReadLine(number, line); e != RunError::None) {
        return e;
    }
    out = Variant::String(std::move(line));
    return RunError::None;
}

} // namespace vek::basic
