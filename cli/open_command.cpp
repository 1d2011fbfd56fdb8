#include "cli/open_command.h"

#include "cli/open_operations.h"
#include "cli/output_check.h"
#include "cli/vek_cli.h"
#include "cli/write_verifier.h"
#include "document/vek_doc.h"
#include "platform/console_host.h"
#include "platform/text_file.h"
#include "scripting/script_host.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <ostream>

namespace vek {

namespace {

struct Plan {
    std::string path;
    bool simulate = false;
    bool allowSimulation = false;
    bool yes = false;
    std::chrono::milliseconds scriptTimeLimit{0};
    bool verify = false;
    bool keepGoing = false;
    DriverFolders driverFolders;
    std::vector<Operation> operations;
};

const char* const kUsageHead =
    R"(usage: vek open FILE.vek [--simulate | --allow-simulation] [--yes] [--verify]
                [--keep-going] [--time-limit SECONDS] [--driver-path DIR]... OPERATION...

Opens a register description, loads and opens its drivers, and runs the operations in
the order given, all in one session (so simulated values and open drivers carry over).
The whole command line (names, values, options) is checked before anything is
transferred; the first operation that fails ends the run, and the operations not done
are named.

Options:
  --simulate          work in simulation mode: no driver is called (a driver that
                      cannot be used is accepted)
  --allow-simulation  use the drivers, and switch to simulation mode when one cannot be
                      used. Without this option or --simulate, such a driver is an error.
  --yes               answer OK/Yes to every question (values of another description are
                      loaded); never the switch to simulation mode. Without --yes the
                      questions are asked on the terminal, and without a terminal the
                      answer is Cancel/No.
  --verify            read every register back right after a driver took its value
                      (write, write-all, write-default, load, macros and scripts);
                      a value that did not arrive is reported with both values.
                      WRITE registers cannot be read and are not checked.
  --time-limit SECONDS
                      end a script that runs longer than SECONDS as Ctrl-C does, and
                      the run with it (for unattended runs)
  --keep-going        go on with the later operations after one failed
  --driver-path DIR   look for the drivers in DIR before VEK_DRIVER_PATH and the
                      program's own folder (repeatable; docs/vek.md)

Operations:
)";

const char* const kUsageTail = R"(
NAME is a name of the description, or DEVICE.NAME where several devices use it; case
does not matter. VALUE is 0x.. (hexadecimal), 0b.. (binary) or decimal, with a '-' for
signed (TC) items. Values print as 'NAME = 0x..' with as many digits as the item is wide,
X for a value not yet known.

The output window's lines (progress, driver messages, errors, a script's DebugOut) go
to standard error; values and a script's Print and Debug.Print to standard output.
In simulation mode, values are not read from the devices: standard error says so once
(the compile summary counts the mode as 1 error), read, show and print mark each value
of a register '(simulated)', and dump's csv and json say "simulation" true.

Ctrl-C while a script runs ends the script between two statements (also inside a
Wait) and says where it stopped; the operations after it are not run and the drivers
are closed. A second Ctrl-C ends vek at once.

Exit status: 0 when everything worked; 1 when the description has errors, its drivers
could not be used (and simulation was not allowed), a transfer or file operation
failed, a script ended with an error, a register read back otherwise (--verify), or
standard output could not be written; 2 for usage errors (also a name, value or option
the description refuses); 124 when a script ran past --time-limit; 130 when Ctrl-C
ended a script.

Example:
  vek open examples/demo.vek write OUTPUT=0xFE read TEMPERATURE save board.vkg
)";

// The operations' lines come from their table: syntax, then the help at column 22.
// A syntax too long to leave room for the help on its line puts the help below it.
void PrintUsage(std::ostream& out) {
    constexpr std::size_t kHelpColumn = 22;
    constexpr std::size_t kLineWidth = 100;
    const std::string indent(kHelpColumn, ' ');
    out << kUsageHead;
    for (const OperationForm& form : OpenOperations()) {
        const std::string syntax = std::string("  ") + form.syntax;
        const std::size_t column = std::max(kHelpColumn, syntax.size() + 3);
        const std::string_view help = form.help;
        if (column + help.substr(0, help.find('\n')).size() > kLineWidth)
            out << syntax << '\n' << indent;
        else
            out << syntax << std::string(column - syntax.size(), ' ');
        for (const char* c = form.help; *c != '\0'; ++c)
            out << *c << (*c == '\n' ? indent : "");
        out << '\n';
    }
    out << kUsageTail;
}

// Reads the operand and options of one operation from the arguments after its word.
class ArgumentReader {
public:
    explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

    bool AtEnd() const { return next_ >= args_.size(); }
    const std::string& Peek() const { return args_[next_]; }
    const std::string& Take() { return args_[next_++]; }
    std::size_t Position() const { return next_; }
    // The arguments from position `from` up to the next one, blank-separated, as given.
    std::string Text(std::size_t from) const {
        std::string text;
        for (std::size_t i = from; i < next_; ++i)
            text += (i == from ? "" : " ") + args_[i];
        return text;
    }
    Result<std::string> TakeFor(const std::string& word, const char* what) {
        if (AtEnd())
            return Failure{1, "'" + word + "' needs " + what};
        return Take();
    }

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

// Whether an argument ends a list of names: an option or the next operation.
bool EndsNames(const std::string& argument) {
    return argument.starts_with("--") || FindOpenOperation(argument) != nullptr;
}

Result<void> ParseOperand(const OperationForm& form, ArgumentReader& reader, Operation& operation) {
    const std::string word = form.word;
    switch (form.operand) {
    case OperandKind::None:
        return {};
    case OperandKind::Name:
    case OperandKind::File: {
        Result<std::string> name =
            reader.TakeFor(word, form.operand == OperandKind::Name ? "a name" : "a file");
        if (!name)
            return name.Error();
        operation.name = std::move(name).Value();
        return {};
    }
    case OperandKind::Names:
        while (!reader.AtEnd() && !EndsNames(reader.Peek()))
            operation.names.push_back(reader.Take());
        if (operation.names.empty())
            return Failure{1, "'" + word + "' needs at least one name"};
        return {};
    case OperandKind::Assignment: {
        Result<std::string> assignment = reader.TakeFor(word, "NAME=VALUE");
        if (!assignment)
            return assignment.Error();
        const std::string& text = assignment.Value();
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0)
            return Failure{1, "'" + word + "' needs NAME=VALUE, not '" + text + "'"};
        operation.name = text.substr(0, equals);
        operation.value = text.substr(equals + 1);
        if (const std::size_t slash = operation.value.find('/'); slash != std::string::npos) {
            operation.mask = operation.value.substr(slash + 1);
            operation.value.resize(slash);
        }
        return {};
    }
    }
    return {};
}

Result<Operation> ParseOperation(const OperationForm& form, ArgumentReader& reader) {
    Operation operation;
    operation.form = &form;
    if (Result<void> operand = ParseOperand(form, reader, operation); !operand)
        return operand.Error();
    for (bool more = true; more && !reader.AtEnd();) {
        more = false;
        for (const OptionForm& option : form.options) {
            if (reader.Peek() != option.name)
                continue;
            reader.Take();
            std::string value;
            if (option.value != nullptr) {
                Result<std::string> given = reader.TakeFor(option.name, option.value);
                if (!given)
                    return given.Error();
                value = std::move(given).Value();
            }
            operation.options.emplace_back(option.name, std::move(value));
            more = true;
            break;
        }
    }
    return operation;
}

// SECONDS of --time-limit: a number greater than 0, fractions allowed; far-off limits are cut
// to a year, which keeps the deadline within the clock's range.
Result<std::chrono::milliseconds> ParseTimeLimit(const std::string& text) {
    double seconds = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, seconds);
    if (error != std::errc() || stop != end || !(seconds > 0))
        return Failure{1,
                       "--time-limit needs a number of seconds greater than 0, not '" + text + "'"};
    constexpr double kYear = 365.0 * 24 * 3600;
    return std::chrono::milliseconds(
        std::max<std::int64_t>(1, static_cast<std::int64_t>(std::min(seconds, kYear) * 1000)));
}

Result<Plan> ParsePlan(const std::vector<std::string>& args) {
    Plan plan;
    ArgumentReader reader(args);
    while (!reader.AtEnd()) {
        const std::string& word = reader.Take();
        if (word == "--simulate") {
            plan.simulate = true;
        } else if (word == "--allow-simulation") {
            plan.allowSimulation = true;
        } else if (word == "--yes") {
            plan.yes = true;
        } else if (word == "--verify") {
            plan.verify = true;
        } else if (word == "--keep-going") {
            plan.keepGoing = true;
        } else if (word == "--time-limit") {
            Result<std::string> seconds = reader.TakeFor(word, "a number of seconds");
            if (!seconds)
                return seconds.Error();
            Result<std::chrono::milliseconds> limit = ParseTimeLimit(seconds.Value());
            if (!limit)
                return limit.Error();
            plan.scriptTimeLimit = limit.Value();
        } else if (word == "--driver-path") {
            Result<std::string> folder = reader.TakeFor(word, "a folder");
            if (!folder)
                return folder.Error();
            plan.driverFolders.commandLine.push_back(std::move(folder).Value());
        } else if (word.starts_with("-") || (plan.path.empty() && word.empty())) {
            return Failure{1, "unknown option '" + word + "'"};
        } else if (plan.path.empty()) {
            plan.path = word;
        } else if (const OperationForm* form = FindOpenOperation(word)) {
            const std::size_t start = reader.Position() - 1;
            Result<Operation> operation = ParseOperation(*form, reader);
            if (!operation)
                return operation.Error();
            operation.Value().words = reader.Text(start);
            plan.operations.push_back(std::move(operation).Value());
        } else {
            return Failure{1, "unknown operation '" + word + "'"};
        }
    }
    if (plan.path.empty())
        return Failure{1, "open takes a description file"};
    return plan;
}

// Names the operations from `next` on, which the run did not do.
void SayNotDone(const std::vector<Operation>& operations, std::size_t next, std::ostream& err) {
    if (next >= operations.size())
        return;
    err << "vek: not done:";
    for (std::size_t i = next; i < operations.size(); ++i)
        err << (i == next ? " '" : ", '") << operations[i].words << '\'';
    err << '\n';
}

} // namespace

int RunOpenCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        PrintUsage(out);
        return kExitOk;
    }
    Result<Plan> parsed = ParsePlan(args);
    if (!parsed) {
        err << "vek: " << parsed.Error().text << '\n';
        PrintUsage(err);
        return kExitUsage;
    }
    Plan& plan = parsed.Value();
    // Read once: a description given as a pipe cannot be read a second time.
    Result<std::string> file = ReadTextFile(plan.path, kDescriptionFileLimit);
    if (!file) {
        err << "vek: cannot open '" << plan.path << "': " << file.Error().text << '\n';
        return kExitUsage;
    }
    ConsoleHost host(err, plan.yes ? AnswerPolicy::Positive : AnswerPolicy::AskTerminal,
                     plan.simulate || plan.allowSimulation ? SimulationAnswer::Accept
                                                           : SimulationAnswer::Refuse);
    CVekDoc doc(host);
    doc.SetDriverFolders(plan.driverFolders);
    if (plan.simulate && !doc.IsSimulation())
        doc.ToggleSimulation();
    if (!doc.OpenDocument(plan.path, std::move(file).Value()))
        return kExitErrors;
    if (doc.IsSimulation()) {
        err << "vek: simulation mode: values are not read from the devices (the summary "
               "counts the mode as 1 error)\n";
    }
    // Every name is looked up before anything is transferred.
    for (Operation& operation : plan.operations) {
        if (Result<void> resolved = operation.form->resolve(doc, operation); !resolved) {
            err << "vek: " << resolved.Error().text << '\n';
            return kExitUsage;
        }
    }
    WriteVerifier verifier(err);
    if (plan.verify)
        doc.Context().written = [&verifier](CShadowReg& reg) { verifier.Check(reg); };
    OpenSession session{doc, out, err, nullptr, nullptr, plan.scriptTimeLimit, 0};
    bool failed = false;
    std::size_t next = 0;
    while (next < plan.operations.size()) {
        const Operation& operation = plan.operations[next++];
        // Values that did not reach standard output fail their operation as a transfer does.
        const bool done = operation.form->run(session, operation) && OutputWritten(out, err);
        failed = failed || !done;
        if (session.endStatus != 0 || (!done && !plan.keepGoing))
            break;
    }
    SayNotDone(plan.operations, next, err);
    // The registers stop reporting before the verifier goes.
    doc.Context().written = nullptr;
    if (session.endStatus != 0)
        return session.endStatus;
    return failed || verifier.Failures() != 0 ? kExitErrors : kExitOk;
}

} // namespace vek
