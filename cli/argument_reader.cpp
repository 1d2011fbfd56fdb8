#include "cli/argument_reader.h"

#include "cli/nearest_word.h"

#include <string_view>

namespace vek {

std::string ArgumentReader::Text(std::size_t from) const {
    std::string text;
    for (std::size_t i = from; i < next_; ++i)
        text += (i == from ? "" : " ") + args_[i];
    return text;
}

Result<std::string> ArgumentReader::TakeFor(const std::string& word, const char* what) {
    if (AtEnd())
        return Failure{1, "'" + word + "' needs " + what};
    return Take();
}

bool ArgumentReader::TakeEndOfOptions() {
    if (optionsEnded_ || AtEnd() || Peek() != "--")
        return false;
    Take();
    optionsEnded_ = true;
    return true;
}

bool ArgumentReader::AtOptionWord() const {
    return !optionsEnded_ && !AtEnd() && Peek().size() > 1 && Peek()[0] == '-';
}

Result<std::optional<GivenOption>> ArgumentReader::TakeOption(std::span<const OptionForm> forms) {
    if (!AtOptionWord())
        return std::optional<GivenOption>();
    const std::string_view word = Peek();
    const std::size_t equals = word.find('=');
    const std::string_view name = word.substr(0, equals);
    for (const OptionForm& form : forms) {
        const bool isShort = form.shortName != 0 && name.size() == 2 && name[0] == '-' &&
                             name[1] == form.shortName && equals == std::string_view::npos;
        if (name != form.name && !isShort)
            continue;
        const std::string given = Take();
        if (form.value == nullptr) {
            if (equals != std::string_view::npos)
                return Failure{1, "'" + std::string(form.name) + "' takes no value"};
            return std::optional<GivenOption>(GivenOption{&form, {}});
        }
        if (equals != std::string_view::npos)
            return std::optional<GivenOption>(GivenOption{&form, given.substr(equals + 1)});
        Result<std::string> value = TakeFor(given, form.value);
        if (!value)
            return value.Error();
        return std::optional<GivenOption>(GivenOption{&form, std::move(value).Value()});
    }
    return std::optional<GivenOption>();
}

Result<std::optional<GivenOption>>
ArgumentReader::TakeOptionOrHelp(std::span<const OptionForm> forms) {
    Result<std::optional<GivenOption>> help = TakeOption({&kHelpOption, 1});
    if (!help || help.Value())
        return help;
    return TakeOption(forms);
}

const std::string* LastOptionValue(std::span<const GivenOption> given, std::string_view name) {
    for (auto option = given.rbegin(); option != given.rend(); ++option) {
        if (option->form->name == name)
            return &option->value;
    }
    return nullptr;
}

std::string ChoiceFault(const OptionForm& form, std::string_view value) {
    std::string choices = form.value;
    if (const std::size_t last = choices.rfind('|'); last != std::string::npos)
        choices.replace(last, 1, " or ");
    for (std::size_t bar; (bar = choices.find('|')) != std::string::npos;)
        choices.replace(bar, 1, ", ");
    return std::string(form.name) + " takes " + choices + ", not '" + std::string(value) + "'";
}

std::string UnknownOptionText(const std::string& word, std::span<const OptionForm> forms) {
    std::vector<std::string_view> names{kHelpOption.name};
    for (const OptionForm& form : forms)
        names.push_back(form.name);
    const std::string_view name = std::string_view(word).substr(0, word.find('='));
    return "unknown option '" + word + "'" + DidYouMean(name, names);
}

} // namespace vek
