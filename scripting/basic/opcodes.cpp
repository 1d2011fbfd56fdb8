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

const char* OpName(Op op) {
    switch (op) {
#define VEK_BASIC_OPCODE_NAME(name, operands, effect, doc)                                         \
    case Op::name:                                                                                 \
        return #name;
        VEK_BASIC_OPCODES(VEK_BASIC_OPCODE_NAME)
#undef VEK_BASIC_OPCODE_NAME
    }
    return "?";
}

int OperandCount(Op op) {
    switch (op) {
#define VEK_BASIC_OPCODE_OPERANDS(name, operands, effect, doc)                                     \
    case Op::name:                                                                                 \
        return operands;
        VEK_BASIC_OPCODES(VEK_BASIC_OPCODE_OPERANDS)
#undef VEK_BASIC_OPCODE_OPERANDS
    }
    return 0;
}

} // namespace vek::basic
