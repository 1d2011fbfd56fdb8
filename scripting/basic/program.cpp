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

int FrameSlots::Add(std::string name, Tag type, bool byRef, Variant initial) {
    names.push_back(std::move(name));
    types.push_back(type);
    isRef.push_back(byRef);
    init.push_back(std::move(initial));
    return Count() - 1;
}

bool SymbolTable::Lookup(int module, const std::string& lowerName, NameEntry& out,
                         bool& ambiguous) const {
    ambiguous = false;
    if (module >= 0 && module < static_cast<int>(moduleNames.size())) {
        const auto& own = moduleNames[static_cast<std::size_t>(module)];
        if (const auto it = own.find(lowerName); it != own.end()) {
            out = it->second;
            return true;
        }
    }
    const auto it = publicNames.find(lowerName);
    if (it == publicNames.end() || it->second.empty()) {
        return false;
    }
    ambiguous = it->second.size() > 1;
    out = it->second.front();
    return true;
}

std::string Disassemble(const Procedure& proc) {
    std::string out;
    for (std::size_t pc = 0; pc < proc.code.size(); ++pc) {
        const Instruction& in = proc.code[pc];
        out += std::to_string(pc) + (in.startsStatement ? " | " : "   ") + OpName(in.op);
        const int operands[] = {in.a, in.b, in.c};
        for (int i = 0; i < OperandCount(in.op); ++i) {
            out += " " + std::to_string(operands[i]);
        }
        out += "\n";
    }
    return out;
}

} // namespace vek::basic
