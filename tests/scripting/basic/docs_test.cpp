// Every ```basic example of docs/basic.md runs and prints what its comments say.
#include "program_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vek::basic {
namespace {

std::vector<std::string> DocumentExamples() {
    std::ifstream in(std::filesystem::path(VEK_SOURCE_DIR) / "docs/basic.md");
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::string> examples;
    const std::string open = "```basic\n";
    for (std::size_t at = text.find(open); at != std::string::npos; at = text.find(open, at)) {
        const std::size_t start = at + open.size();
        const std::size_t end = text.find("\n```", start);
        examples.push_back(text.substr(start, end - start + 1));
        at = end;
    }
    return examples;
}

TEST(BasicDocs, EveryExampleRunsAsDocumented) {
    const std::vector<std::string> examples = DocumentExamples();
    ASSERT_GE(examples.size(), 8u);
    for (std::size_t i = 0; i < examples.size(); ++i) {
        SCOPED_TRACE("example " + std::to_string(i + 1) + ":\n" + examples[i]);
        CheckProgram("example" + std::to_string(i + 1), examples[i]);
    }
}

} // namespace
} // namespace vek::basic
