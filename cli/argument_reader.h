#pragma once

#include "cli/option_form.h"
#include "platform/result.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// One option as the command line gave it: its form, and its value ("" for a switch).
struct GivenOption {
    const OptionForm* form;
    std::string value;
};

// --help and -h, which every command and every operation list takes.
inline constexpr OptionForm kHelpOption{"--help", nullptr, 'h'};

// Reads a command's arguments one by one, with options in the forms people type: "--name VALUE",
// "--name=VALUE", the short "-n VALUE", and "--", after which nothing is an option.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    bool AtEnd() const { return next_ >= args_.size(); }
    const std::string& Peek() const { return args_[next_]; }
    const std::string& Take() { return args_[next_++]; }
    std::size_t Position() const { return next_; }
    // The arguments from position `from` up to the next one, blank-separated, as given.
    std::string Text(std::size_t from) const;
    // The next argument as the value of `word`; `what` names it when there is none.
    Result<std::string> TakeFor(const std::string& word, const char* what);

    // Takes a "--" that ends the options; false for any other argument.
    bool TakeEndOfOptions();
    bool OptionsEnded() const { return optionsEnded_; }
    // Whether the next argument looks like an option: a dash and more, before any "--".
    bool AtOptionWord() const;
    // Takes the next argument when it is one of `forms`, with its value; nothing (and nothing
    // taken) when it is not one of them.
    Result<std::optional<GivenOption>> TakeOption(std::span<const OptionForm> forms);
    // The same for `forms` and --help, whose form is then &kHelpOption.
    Result<std::optional<GivenOption>> TakeOptionOrHelp(std::span<const OptionForm> forms);

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
};

// The value of the option named `name` as given last, or null.
const std::string* LastOptionValue(std::span<const GivenOption> given, std::string_view name);

// "--radix takes hex, dec or bin, not 'oct'", the choices those of the form's value.
std::string ChoiceFault(const OptionForm& form, std::string_view value);

// "unknown option '--yse'; did you mean '--yes'?", the nearest of `forms` and --help.
std::string UnknownOptionText(const std::string& word, std::span<const OptionForm> forms);

} // namespace vek
