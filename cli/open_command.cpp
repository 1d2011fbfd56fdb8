#include "cli/open_command.h"

#include "cli/argument_reader.h"
#include "cli/command_arguments.h"
#include "cli/diagnostic_formats.h"
#include "cli/nearest_word.h"
#include "cli/open_operations.h"
#include "cli/output_check.h"
#include "cli/transfer_trace.h"
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
    bool trace = false;
    bool keepGoing = false;
    DriverFolders driverFolders;
    DiagnosticFormat diagnostics = DiagnosticFormat::Text;
    bool help = false;
    std::vector<Operation> operations;
};

const char* const kUsageHead =
    R"(usage: vek open FILE.vek [--simulate | --allow-simulation] [--yes] [--verify]
                [--trace] [--keep-going] [--time-limit SECONDS] [--driver-path DIR]...
                [--diagnostics text|gcc] OPERATION...

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
  -y, --yes           answer OK/Yes to every question (values of another description are
                      loaded); never the switch to simulation mode. Without --yes the
                      questions are asked on the terminal, and without a terminal the
                      answer is Cancel/No.
  --verify            read every register back right after a driver took its value
                      (write, write-all, write-default, load, macros and scripts);
                      a value that did not arrive is reported with both values.
                      WRITE registers cannot be read and are not checked.
  --trace             print every transfer that reaches a driver on standard error as
                      it ends: "W 0x1003 0x07 ok", "R 0x1002 0x11 ok",
                      "R 0x1002 - failed: MESSAGE"
  --time-limit SECONDS
                      end a script that runs longer than SECONDS as Ctrl-C does, and
                      the run with it (for unattended runs)
  --keep-going        go on with the later operations after one failed
  --driver-path DIR   look for the drivers in DIR before VEK_DRIVER_PATH and the
                      program's own folder (repeatable; docs/vek.md)
  --diagnostics gcc   print the compile errors of the description and of Basic
                      scripts as FILE:LINE:COLUMN: error: TEXT [CODE], for editors
  -h, --help          print this help

An option's value also follows an equals sign (--time-limit=5); after "--" nothing is
an option.

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
  vek open examples/demo.vek write OUTPUT=0xFE read TEMP save board.vkg
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

// Whether the next argument ends a list of names: an option or the next operation.
bool AtEndOfNames(const ArgumentReader& reader) {
    return reader.AtEnd() || reader.AtOptionWord() || FindOpenOperation(reader.Peek()) != nullptr;
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
        while (!AtEndOfNames(reader))
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
    for (;;) {
        Result<std::optional<GivenOption>> option = reader.TakeOption(form.options);
        if (!option)
            return option.Error();
        if (!option.Value())
            return operation;
        operation.options.push_back(std::move(*option.Value()));
    }
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

Result<void> TakePlanOption(const GivenOption& given, Plan& plan) {
    const std::string_view name = given.form->name;
    if (name == "--simulate") {
        plan.simulate = true;
    } else if (name == "--allow-simulation") {
        plan.allowSimulation = true;
    } else if (name == "--yes") {
        plan.yes = true;
    } else if (name == "--verify") {
        plan.verify = true;
    } else if (name == "--trace") {
        plan.trace = true;
    } else if (name == "--keep-going") {
        plan.keepGoing = true;
    } else if (name == "--time-limit") {
        Result<std::chrono::milliseconds> limit = ParseTimeLimit(given.value);
        if (!limit)
            return limit.Error();
        plan.scriptTimeLimit = limit.Value();
    } else if (name == "--driver-path") {
        plan.driverFolders.commandLine.push_back(given.value);
    } else if (name == "--diagnostics") {
        const std::optional<DiagnosticFormat> format = DiagnosticFormatNamed(given.value);
        if (!format || *format == DiagnosticFormat::Json)
            return Failure{1, ChoiceFault(*given.form, given.value)};
        plan.diagnostics = *format;
    }
    return {};
}

std::string UnknownOperationText(const std::string& word) {
    std::vector<std::string_view> words;
    for (const OperationForm& form : OpenOperations())
        words.push_back(form.word);
    return "unknown operation '" + word + "'" + DidYouMean(word, words);
}

Result<Plan> ParsePlan(const std::vector<std::string>& args) {
    Plan plan;
    ArgumentReader reader(args);
    while (!reader.AtEnd()) {
        if (reader.TakeEndOfOptions())
            continue;
        Result<std::optional<GivenOption>> option = reader.TakeOptionOrHelp(kOpenOptions);
        if (!option)
            return option.Error();
        if (option.Value() && option.Value()->form == &kHelpOption) {
            plan.help = true;
            return plan;
        }
        if (option.Value()) {
            if (Result<void> taken = TakePlanOption(*option.Value(), plan); !taken)
                return taken.Error();
            continue;
        }
        if (reader.AtOptionWord())
            return Failure{1, UnknownOptionText(reader.Peek(), kOpenOptions)};
        const std::string& word = reader.Take();
        if (plan.path.empty() && word.empty()) {
            return Failure{1, "open takes a description file, not ''"};
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
            return Failure{1, UnknownOperationText(word)};
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
    Result<Plan> parsed = ParsePlan(args);
    if (!parsed)
        return UsageError(err, "open", parsed.Error().text);
    Plan& plan = parsed.Value();
    if (plan.help) {
        PrintUsage(out);
        return kExitOk;
    }
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
    // From the start: a driver may be written to as the description opens.
    if (plan.trace) {
        doc.Context().transferred = [&err](const CShadowReg& reg, UpdateCode direction, bool done) {
            err << TraceLine(reg, direction, done) << '\n';
        };
    }
    if (plan.diagnostics == DiagnosticFormat::Gcc) {
        doc.SetDiagnosticSink([&err, &plan](const CompileDiagnostic& found) {
            err << GccLine(
                       {plan.path, found.line, found.column, std::string(found.code), found.text})
                << '\n';
        });
    }
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
    OpenSession session{doc, out, err, nullptr, nullptr, plan.scriptTimeLimit, plan.diagnostics, 0};
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
    doc.Context().transferred = nullptr;
    if (session.endStatus != 0)
        return session.endStatus;
    return failed || verifier.Failures() != 0 ? kExitErrors : kExitOk;
}

} // namespace vek
