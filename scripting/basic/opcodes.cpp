#include "scripting/basic/opcodes.h"

namespace vek::basic {

int StackEffect(const Instruction& instruction) {
    [[maybe_unused]] const int a = instruction.a;
    [[maybe_unused]] const int b = instruction.b;
    [[maybe_unused]] const int c = instruction.c;
    switch (instruction.op) {
#define VEK_BASIC_OPCODE_EFFECT(name, operands, effect, doc)                                       \
    case Op::name:                                                                                 \
        return effect;
        VEK_BASIC_OPCODES(VEK_BASIC_OPCODE_EFFECT)
#undef VEK_BASIC_OPCODE_EFFECT
    }
    return 0;
}

namespace {

struct OpInfo {
    const char* name;
    int operands;
};

constexpr OpInfo kOps[] = {
#define VEK_BASIC_OPCODE_INFO(name, operands, effect, doc) {#name, operands},
    VEK_BASIC_OPCODES(VEK_BASIC_OPCODE_INFO)
#undef VEK_BASIC_OPCODE_INFO
};

} // namespace

const char* OpName(Op op) {
    return kOps[static_cast<int>(op)].name;
}

int OperandCount(Op op) {
    return kOps[static_cast<int>(op)].operands;
}

} // namespace vek::basic
