#include "cli/command_arguments.h"

#include "cli/vek_cli.h"

#include <ostream>

namespace vek {

const std::string* CommandArguments::Option(std::string_view name) const {
    return LastOptionValue(options, name);
}

std::optional<CommandArguments> ReadCommandArguments(const CommandSyntax& syntax,
                                                     const std::vector<std::string>& args,
                                                     std::ostream& out, std::ostream& err,
                                                     int& status) {
    CommandArguments parsed;
    ArgumentReader reader(args);
    while (!reader.AtEnd()) {
        if (reader.TakeEndOfOptions())
            continue;
        Result<std::optional<GivenOption>> option = reader.TakeOptionOrHelp(syntax.options);
        if (!option) {
            status = UsageError(err, syntax.command, option.Error().text);
            return std::nullopt;
        }
        if (const std::optional<GivenOption>& given = option.Value()) {
            if (given->form == &kHelpOption) {
                out << syntax.usage;
                status = kExitOk;
                return std::nullopt;
            }
            parsed.options.push_back(*given);
        } else if (reader.AtOptionWord()) {
            status =
                UsageError(err, syntax.command, UnknownOptionText(reader.Peek(), syntax.options));
            return std::nullopt;
        } else {
            parsed.operands.push_back(reader.Take());
        }
    }
    if (parsed.operands.size() < syntax.minOperands ||
        parsed.operands.size() > syntax.maxOperands) {
        status = UsageError(err, syntax.command,
                            std::string(syntax.command) + " takes " + syntax.operandsNeeded);
        return std::nullopt;
    }
    return parsed;
}

int UsageError(std::ostream& err, std::string_view command, std::string_view text) {
    err << "vek: " << text << "\nsee 'vek " << command << (command.empty() ? "" : " ")
        << "--help'\n";
    return kExitUsage;
}

} // namespace vek
