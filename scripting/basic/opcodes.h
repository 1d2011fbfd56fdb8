#pragma once

#include <cstdint>

namespace vek::basic {

// The one list of machine instructions. Each line: name, operands used (a, b, c, d), the change of
// the value-stack depth as an expression of the operands, and what it does. Add to Like follow
// the order of BinaryOp, which the compiler maps onto them by offset. The list generates the
// Op enum, the dispatcher's cases are checked against it, the disassembler prints from it and the
// compiler computes each procedure's stack need from the stack effects. "slot" in the list: the
// value of a local, or the variable a ByRef parameter's slot refers to; those instructions do
// what the load of the slot and the instruction after it would, fused by the compiler where the
// load is a whole operand.
#define VEK_BASIC_OPCODES(X)                                                                       \
    X(PushConst, 1, 1, "push constants[a]")                                                        \
    X(Pop, 0, -1, "drop the top value")                                                            \
    X(LoadLocal, 1, 1, "push local slot a")                                                        \
    X(StoreLocal, 2, -1, "pop into local slot a, converted to type b")                             \
    X(LoadRef, 1, 1, "push the variable a ByRef parameter in slot a stands for")                   \
    X(StoreRef, 2, -1, "pop into the variable of ByRef slot a, converted to type b")               \
    X(LoadGlobal, 1, 1, "push module variable a")                                                  \
    X(StoreGlobal, 2, -1, "pop into module variable a, converted to type b")                       \
    X(RefLocal, 1, 1, "push a reference to local slot a (or the one it holds)")                    \
    X(RefGlobal, 1, 1, "push a reference to module variable a")                                    \
    X(AppendLocal, 2, -1, "local a = local a & pop, in place when possible; type b")               \
    X(Add, 1, -1, "a + b; operand a = 1: a Variant operand, so a result that overflows widens")    \
    X(Sub, 1, -1, "a - b; operand a as for Add")                                                   \
    X(Mul, 1, -1, "a * b; operand a as for Add")                                                   \
    X(Div, 0, -1, "a / b")                                                                         \
    X(IntDiv, 1, -1, "a \\ b; operand a as for Add")                                               \
    X(Mod, 1, -1, "a Mod b; operand a as for Add")                                                 \
    X(Pow, 0, -1, "a ^ b")                                                                         \
    X(Concat, 0, -1, "a & b")                                                                      \
    X(Eq, 1, -1, "a = b; operand a = 1: strings compare as text (Option Compare Text)")            \
    X(Ne, 1, -1, "a <> b; operand a as for Eq")                                                    \
    X(Lt, 1, -1, "a < b; operand a as for Eq")                                                     \
    X(Le, 1, -1, "a <= b; operand a as for Eq")                                                    \
    X(Gt, 1, -1, "a > b; operand a as for Eq")                                                     \
    X(Ge, 1, -1, "a >= b; operand a as for Eq")                                                    \
    X(And, 0, -1, "a And b")                                                                       \
    X(Or, 0, -1, "a Or b")                                                                         \
    X(Xor, 0, -1, "a Xor b")                                                                       \
    X(Eqv, 0, -1, "a Eqv b")                                                                       \
    X(Imp, 0, -1, "a Imp b")                                                                       \
    X(Like, 1, -1, "a Like b; operand a = 1: case ignored (Option Compare Text)")                  \
    X(Negate, 1, 0, "-a; operand a as for Add")                                                    \
    X(Not, 0, 0, "Not a")                                                                          \
    X(AddConst, 2, 0, "a + constants[a]; operand b as a of Add")                                   \
    X(SubConst, 2, 0, "a - constants[a]; operand b as a of Add")                                   \
    X(MulConst, 2, 0, "a * constants[a]; operand b as a of Add")                                   \
    X(IntDivConst, 2, 0, "a \\ constants[a]; operand b as a of Add")                               \
    X(ModConst, 2, 0, "a Mod constants[a]; operand b as a of Add")                                 \
    X(AddLocalConst, 3, 1, "push slot c + constants[a]; operand b as for AddConst")                \
    X(SubLocalConst, 3, 1, "push slot c - constants[a]; operand b as for AddConst")                \
    X(MulLocalConst, 3, 1, "push slot c * constants[a]; operand b as for AddConst")                \
    X(IntDivLocalConst, 3, 1, "push slot c \\ constants[a]; operand b as for AddConst")            \
    X(ModLocalConst, 3, 1, "push slot c Mod constants[a]; operand b as for AddConst")              \
    X(AddLocalConstTo, 4, 0, "local d = slot c + constants[a]; operand b as for AddConst")         \
    X(SubLocalConstTo, 4, 0, "local d = slot c - constants[a]; operand b as for AddConst")         \
    X(MulLocalConstTo, 4, 0, "local d = slot c * constants[a]; operand b as for AddConst")         \
    X(IntDivLocalConstTo, 4, 0, "local d = slot c \\ constants[a]; operand b as for AddConst")     \
    X(ModLocalConstTo, 4, 0, "local d = slot c Mod constants[a]; operand b as for AddConst")       \
    X(AddLocal, 3, 0, "replace the top by slot c + it; operand a as for Add")                      \
    X(SubLocal, 3, 0, "replace the top by slot c - it; operand a as for Add")                      \
    X(MulLocal, 3, 0, "replace the top by slot c * it; operand a as for Add")                      \
    X(AddConstTo, 3, -1, "pop; local c = it + constants[a]; operand b as for AddConst")            \
    X(SubConstTo, 3, -1, "pop; local c = it - constants[a]; operand b as for AddConst")            \
    X(MulConstTo, 3, -1, "pop; local c = it * constants[a]; operand b as for AddConst")            \
    X(IntDivConstTo, 3, -1, "pop; local c = it \\ constants[a]; operand b as for AddConst")        \
    X(ModConstTo, 3, -1, "pop; local c = it Mod constants[a]; operand b as for AddConst")          \
    X(AddToLocal, 2, -1, "pop; local a = local a + it; operand b as a of Add")                     \
    X(SubToLocal, 2, -1, "pop; local a = local a - it; operand b as a of Add")                     \
    X(MulToLocal, 2, -1, "pop; local a = local a * it; operand b as a of Add")                     \
    X(Jump, 1, 0, "go to a")                                                                       \
    X(OnIndex, 1, -1, "pop n (error 5 unless 0 to 255); skip to entry n of the a after it")        \
    X(GoSub, 1, 0, "keep the next pc for Return; go to a")                                         \
    X(GoSubReturn, 0, 0, "go back to the pc kept by this call's last GoSub")                       \
    X(JumpIfFalse, 1, -1, "pop; go to a when it is False")                                         \
    X(JumpIfTrue, 1, -1, "pop; go to a when it is True")                                           \
    X(CompareJump, 3, -2,                                                                          \
      "pop two, compare; go to a when the order is in mask b, negated if c=0; b: kStringsAsText")  \
    X(CompareConstJump, 3, -1,                                                                     \
      "pop, compare with constants[c]; go to a, b = mask + kJumpWhenTrue + kStringsAsText")        \
    X(CompareLocalConstJump, 4, 0,                                                                 \
      "compare slot d with constants[c]; a, b as for CompareConstJump")                            \
    X(CompareLocalsJump, 4, 0, "compare slot c with slot d; a, b as for CompareConstJump")         \
    X(SelectJump, 4, 0,                                                                            \
      "local d whole: go to caseTables[c] entry of its value, else to a; not whole: go on")        \
    X(ForEnter, 3, 0, "local counter a, limit/step in slots b, b+1: go to c when already done")    \
    X(ForStep, 3, 0, "local counter a += step; back to c while within the limit in slot b")        \
    X(ForCheck, 2, -1, "pop counter; go to b when past the limit/step in slots a, a+1")            \
    X(ForEachEnter, 2, -1, "pop an array into slot a, position into a+1; go to b when empty")      \
    X(ForEachNext, 2, 1, "push the next element of slot a; go to b after the last")                \
    X(Call, 3, 1 - b,                                                                              \
      "call procedure a with b arguments; enter at c, past the CoerceParams when they are typed")  \
    X(RefLocals, 2, 2, "RefLocal a, then RefLocal b: two arguments of a call")                     \
    X(CallBuiltin, 2, 1 - b, "call built-in function a with b arguments")                          \
    X(CallHost, 2, 1 - b, "call host function a with b arguments")                                 \
    X(CoerceParam, 3, 0, "convert parameter slots a to a + c - 1 to type b unless references")     \
    X(Return, 0, 0, "return the result slot to the caller")                                        \
    X(EndProgram, 0, 0, "end the script")                                                          \
    X(NewArray, 3, 1 - 2 * a,                                                                      \
      "pop a (lower, upper) pairs, push a new array of element type b (records of type c - 1)")    \
    X(ReDim, 3, -1 - 2 * a, "pop reference and a bound pairs; resize, c = Preserve, type b")       \
    X(IndexLoad, 1, -a, "pop a indices and an array, push the element")                            \
    X(LoadElement, 2, 1 - b,                                                                       \
      "replace the b indices on top by that element of the array in slot a")                       \
    X(LoadLocalElement, 4, 1,                                                                      \
      "push element (slot c) or (slot c, slot d) of the array in slot a: b indices")               \
    X(StoreElement, 1, -2, "pop value and index; store the element of the array in slot a")        \
    X(LoadLocalElementPlus, 4, 1,                                                                  \
      "push element (slot c + constants[b]) of the array in slot a; d as a of Add")                \
    X(CopyToLocal, 4, 0, "local d = slot a (through its reference), converted to type b")          \
    X(LoadLocalElementTo, 4, 0,                                                                    \
      "local d = element (slot c) of the array in slot a, converted to type b")                    \
    X(StoreElementPlus, 4, -1,                                                                     \
      "pop; store it as element (slot c + constants[b]) of the array in slot a; d as a of Add")    \
    X(StoreElementAt, 3, -1, "pop; store it as element (slot c) of the array in slot a")           \
    X(IndexStore, 1, -2 - a, "pop value, a indices and an array reference; store the element")     \
    X(LoadField, 2, 0, "replace the record on top (of type b) by its member a")                    \
    X(StorePath, 2, -2 - b,                                                                        \
      "pop value, b indices and a variable reference; store along access path a")                  \
    X(RefPath, 2, -b,                                                                              \
      "pop b indices and a variable reference; push a reference to the end of access path a")      \
    X(RefElement, 1, -a,                                                                           \
      "pop a indices and an array reference; push a reference to the element (ByRef argument)")    \
    X(ErrGet, 1, 1, "push Err field a (0 Number, 1 Description, 2 Source)")                        \
    X(ErrSet, 1, -1, "pop into Err field a")                                                       \
    X(ErrRaise, 0, -3, "pop number, source, description; raise that error")                        \
    X(ErrClear, 0, 0, "clear Err")                                                                 \
    X(OnError, 2, 0, "error mode a (0 off, 1 resume next, 2 go to b)")                             \
    X(Resume, 2, 0, "resume mode a (0 again, 1 next, 2 at b)")                                     \
    X(Print, 2, -1, "pop and print; b: 0 then end the line, 1 ';', 2 ','; a = Debug.Print")        \
    X(PrintLine, 1, 0, "end the print line; a = Debug.Print")                                      \
    X(PrintSpace, 2, -1, "pop n; b 0: Tab(n), to column n, 1: Spc(n), n blanks; a = Debug.Print")  \
    X(Stop, 0, 0, "pause for the debugger")

enum class Op : std::uint8_t {
#define VEK_BASIC_OPCODE_ENUM(name, operands, effect, doc) name,
    VEK_BASIC_OPCODES(VEK_BASIC_OPCODE_ENUM)
#undef VEK_BASIC_OPCODE_ENUM
};

struct Instruction {
    Op op;
    // The first instruction of a statement (and of every loop turn): before it runs, the machine
    // counts the statement against its slice and checks breakpoints and stepping.
    bool startsStatement = false;
    // The fourth operand, of the few instructions that need one; a slot below 32768 (the
    // compiler fuses no instruction that would need a larger one).
    std::int16_t d = 0;
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
};

// How an instruction changes the depth of the value stack.
int StackEffect(const Instruction& instruction);
const char* OpName(Op op);
int OperandCount(Op op);

} // namespace vek::basic
