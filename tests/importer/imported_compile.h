#pragma once

#include "importer/map_import.h"

#include <string>
#include <vector>

namespace vek {

// The text of a file of the tests' data folder.
std::string ImportData(const std::string& name);

// What compiling an imported description gave: its error count, the compiler's lines, and
// the registers in tree order as "NAME [ADDRESS]".
struct ImportedTree {
    int errors = 0;
    std::string lines;
    std::vector<std::string> registers;
};
ImportedTree CompileImported(const std::string& text);

// The description's lines that are not comments.
std::string WithoutComments(const std::string& text);

} // namespace vek
