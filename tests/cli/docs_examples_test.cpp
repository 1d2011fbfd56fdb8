// Every shell example of the user's pages runs as shown: each "$ " line of a block is run by
// bash in a folder of the test's own (with the examples beside it and vek on the PATH), and what
// it prints must be the lines below it. A "..." line stands for any lines; times of day and
// durations may differ. A block after "<!-- example: not run ... -->" is not run.
#include "vek_run.h"

#include <gtest/gtest.h>

#include <regex>

namespace vek {
namespace {

struct ShellCommand {
    std::string command;               // with its continuation lines
    std::vector<std::string> expected; // the lines shown below it
};

struct DocExample {
    std::string page;
    int line; // of the block's first command
    std::vector<ShellCommand> commands;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<DocExample> PageExamples(const std::string& page) {
    std::ifstream in(std::filesystem::path(VEK_SOURCE_DIR) / "docs" / page);
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<std::string> lines = Lines(text.str());
    std::vector<DocExample> examples;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != "```" || i + 1 >= lines.size() || !lines[i + 1].starts_with("$ "))
            continue;
        const bool skipped = i > 0 && lines[i - 1].starts_with("<!-- example: not run");
        DocExample example{page, static_cast<int>(i + 2), {}};
        for (++i; i < lines.size() && lines[i] != "```"; ++i) {
            if (lines[i].starts_with("$ ")) {
                example.commands.push_back({lines[i].substr(2), {}});
                while (example.commands.back().command.ends_with("\\") && i + 1 < lines.size())
                    example.commands.back().command += "\n" + lines[++i];
            } else {
                example.commands.back().expected.push_back(lines[i]);
            }
        }
        if (!skipped)
            examples.push_back(std::move(example));
    }
    return examples;
}

std::string Normalised(const std::string& line) {
    static const std::regex time(R"([0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3})");
    static const std::regex duration(R"(in [0-9]+\.[0-9]+ s)");
    return std::regex_replace(std::regex_replace(line, time, "HH:MM:SS.mmm"), duration, "in N s");
}

// Whether the printed lines from `a` on are the shown ones from `e` on, "..." taking any lines.
bool Matches(const std::vector<std::string>& shown, std::size_t e,
             const std::vector<std::string>& printed, std::size_t a) {
    if (e == shown.size())
        return a == printed.size();
    if (shown[e] == "...") {
        for (std::size_t skip = a; skip <= printed.size(); ++skip) {
            if (Matches(shown, e + 1, printed, skip))
                return true;
        }
        return false;
    }
    return a < printed.size() && Normalised(shown[e]) == Normalised(printed[a]) &&
           Matches(shown, e + 1, printed, a + 1);
}

using DocsExamples = VekFolderTest;

TEST_F(DocsExamples, EveryExampleOfTheUsersPagesPrintsWhatItShows) {
    std::filesystem::create_directory_symlink(std::filesystem::path(VEK_SOURCE_DIR) / "examples",
                                              dir_ / "examples");
    std::size_t run = 0;
    for (const char* page : {"vek.md", "scripting.md", "spi.md"}) {
        for (const DocExample& example : PageExamples(page)) {
            // One shell for the block, so that its commands share files and $?; a record
            // separator after each command's output tells them apart.
            std::string script = "cd '" + dir_.string() + "' || exit 1\nexport PATH='" +
                                 VEK_BIN_DIR + "':\"$PATH\"\n";
            for (const ShellCommand& command : example.commands)
                script += command.command + "\n__s=$?; printf '\\036\\n'; (exit $__s)\n";
            const std::string path = Write("example.sh", script);
            const std::string printed = ShellOutput("bash '" + path + "' 2>&1");
            std::vector<std::string> outputs;
            for (std::size_t from = 0, to; (to = printed.find("\036\n", from)) != std::string::npos;
                 from = to + 2)
                outputs.push_back(printed.substr(from, to - from));
            ASSERT_EQ(outputs.size(), example.commands.size())
                << example.page << ":" << example.line << "\n"
                << printed;
            for (std::size_t i = 0; i < outputs.size(); ++i) {
                const ShellCommand& command = example.commands[i];
                EXPECT_TRUE(Matches(command.expected, 0, Lines(outputs[i]), 0))
                    << example.page << ":" << example.line << ": $ " << command.command
                    << "\nprinted:\n"
                    << outputs[i];
                ++run;
            }
        }
    }
    EXPECT_GE(run, 12u) << "the pages' examples were not found";
}

TEST_F(DocsExamples, TheExampleOfOpensHelpRuns) {
    std::filesystem::create_directory_symlink(std::filesystem::path(VEK_SOURCE_DIR) / "examples",
                                              dir_ / "examples");
    const std::string help = Vek({"open", "--help"}).out;
    const std::size_t at = help.find("Example:\n  ");
    ASSERT_NE(at, std::string::npos);
    const std::string line = help.substr(at + 11, help.find('\n', at + 11) - at - 11);
    EXPECT_EQ(ShellOutput("cd '" + dir_.string() + "' && PATH='" + VEK_BIN_DIR + "':\"$PATH\" " +
                          line + " >/dev/null 2>&1; echo $?"),
              "0\n")
        << line;
}

} // namespace
} // namespace vek
