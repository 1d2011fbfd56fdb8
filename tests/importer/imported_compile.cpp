#include "imported_compile.h"

#include "compiler/description_compile.h"
#include "platform/recording_host.h"
#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vek {

std::string ImportData(const std::string& name) {
    Result<std::string> text =
        ReadTextFile(std::string(VEK_TEST_DATA_DIR) + "/import/" + name, kDescriptionFileLimit);
    EXPECT_TRUE(text) << name;
    return text ? text.Value() : std::string();
}

ImportedTree CompileImported(const std::string& text) {
    RecordingHost host;
    CompiledDescription compiled = CompileDescription("imported.vek", text, host);
    ImportedTree tree;
    tree.errors = compiled.errors;
    for (const std::string& line : host.Texts())
        tree.lines += line + "\n";
    if (compiled.items) {
        for (const CLineItem& item : *compiled.items) {
            if (item.GetKind() == ItemKind::Register)
                tree.registers.push_back(std::string(item.GetName()));
        }
    }
    return tree;
}

std::string WithoutComments(const std::string& text) {
    std::istringstream in(text);
    std::string kept;
    for (std::string line; std::getline(in, line);) {
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.compare(line.find_first_not_of(' '), 2, "//") != 0)
            kept += line + "\n";
    }
    return kept;
}

} // namespace vek
