#include "scripting/basic/program.h"

#include <algorithm>

namespace vek::basic {

int Procedure::StatementAt(int pc) const {
    const auto it = std::upper_bound(statements.begin(), statements.end(), pc,
                                     [](int p, const StatementInfo& s) { return p < s.pc; });
    return it == statements.begin() ? -1 : static_cast<int>(it - statements.begin()) - 1;
}

int Procedure::ResumeNextPc(int statement) const {
    if (statement >= 0 && statements[static_cast<std::size_t>(statement)].resumeNext >= 0) {
        return statements[static_cast<std::size_t>(statement)].resumeNext;
    }
    const auto next = static_cast<std::size_t>(statement + 1);
    return next < statements.size() ? statements[next].pc : static_cast<int>(code.size()) - 1;
}

int FrameSlots::Add(std::string name, const Declared& type, bool byRef, Variant initial) {
    names.push_back(std::move(name));
    types.push_back(type.type);
    declared.push_back(type);
    isRef.push_back(byRef);
    init.push_back(std::move(initial));
    return Count() - 1;
}

int FrameSlots::FirstShared() const {
    for (int i = 0; i < Count(); ++i) {
        const Tag type = types[static_cast<std::size_t>(i)];
        if (type < Tag::Boolean || type > Tag::Date) {
            return i;
        }
    }
    return Count();
}

namespace {

using NameMap = std::unordered_map<std::string, NameEntry>;

bool LookupIn(const std::vector<NameMap>& own,
              const std::unordered_map<std::string, std::vector<NameEntry>>& published, int module,
              const std::string& lowerName, NameEntry& out, bool& ambiguous) {
    ambiguous = false;
    if (module >= 0 && module < static_cast<int>(own.size())) {
        const NameMap& names = own[static_cast<std::size_t>(module)];
        if (const auto it = names.find(lowerName); it != names.end()) {
            out = it->second;
            return true;
        }
    }
    const auto it = published.find(lowerName);
    if (it == published.end() || it->second.empty()) {
        return false;
    }
    ambiguous = it->second.size() > 1;
    out = it->second.front();
    return true;
}

} // namespace

bool SymbolTable::Lookup(int module, const std::string& lowerName, NameEntry& out,
                         bool& ambiguous) const {
    return LookupIn(moduleNames, publicNames, module, lowerName, out, ambiguous);
}

bool SymbolTable::LookupType(int module, const std::string& lowerName, NameEntry& out,
                             bool& ambiguous) const {
    return LookupIn(moduleTypes, publicTypes, module, lowerName, out, ambiguous);
}

int AccessPath::IndexCount() const {
    int count = 0;
    for (const Step& step : steps) {
        count += step.indices;
    }
    return count;
}

std::string Disassemble(const Procedure& proc) {
    std::string out;
    for (std::size_t pc = 0; pc < proc.code.size(); ++pc) {
        const Instruction& in = proc.code[pc];
        out += std::to_string(pc) + (in.startsStatement ? " | " : "   ") + OpName(in.op);
        const int operands[] = {in.a, in.b, in.c, in.d};
        for (int i = 0; i < OperandCount(in.op); ++i) {
            out += " " + std::to_string(operands[i]);
        }
        out += "\n";
    }
    return out;
}

} // namespace vek::basic
