#pragma once

#include "cli/value_texts.h"
#include "document/values_file.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace vek {

class CShadowReg;
class CVekDoc;

// The registers of a description by the section and key their values are saved under, for
// naming the registers of values files and the bit fields whose bits differ.
class RegisterIndex {
public:
    // The document's registers must outlive the index.
    explicit RegisterIndex(const CVekDoc& doc);

    // The register a saved value belongs to, or null when the description has none there.
    const CShadowReg* Find(const SavedRegister& saved, SavedRole role) const;
    const ValueTexts& Texts() const { return texts_; }

private:
    std::unordered_map<std::string, std::vector<const CShadowReg*>> registers_;
    ValueTexts texts_;
};

// How two sets of saved values are compared and named in the report.
struct ValuesDiff {
    std::string leftName;
    std::string rightName;
    const RegisterIndex* names = nullptr; // null: registers go by device section and address
    // The right side was read from the devices just now: the registers it does not know were
    // not read (WRITE registers, failed reads) and are left out of the comparison.
    bool rightReadNow = false;
};

struct DiffCounts {
    std::size_t registers = 0; // compared, each value of a shared address counted on its own
    std::size_t different = 0; // of them, those that differ or are on one side only
    std::size_t onlyLeft = 0;
    std::size_t onlyRight = 0;
    std::size_t notRead = 0;
};

// Writes one line for each register whose value differs, with the changed bits and, where a
// description names them, the bit fields they belong to; registers in the order of the left
// side, then those only on the right. Returns what was counted.
DiffCounts CompareValues(const SavedValues& left, const SavedValues& right, const ValuesDiff& how,
                         std::ostream& out);

// The summary line: "<left> and <right> hold the same values (N registers)" or "... differ in
// D of N registers (...)".
std::string DiffSummary(const DiffCounts& counts, const ValuesDiff& how);

} // namespace vek
