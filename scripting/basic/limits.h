#pragma once

#include <cstddef>
#include <cstdint>

namespace vek::basic {

// Values on the evaluation stack, locals included. Fixed so that references to locals handed to a
// callee (ByRef) stay valid while it runs; a script that needs more gets error 28, never a crash.
inline constexpr std::size_t kMaxStackValues = 64 * 1024;

// Nested procedure calls. Deep or endless recursion ends with error 28 "Out of stack space" long
// before the machine's own stack or the value stack could run out.
inline constexpr std::size_t kMaxCallDepth = 2000;

// GoSub calls waiting for their Return, over all procedure calls: a GoSub that never returns
// (a loop through GoSub) ends in error 28 like deep recursion.
inline constexpr std::size_t kMaxGoSubDepth = 10000;

// Files one script may hold open at a time: far more than logging and test vectors need, while a
// loop that opens without closing ends in error 67 before the program runs out of descriptors.
inline constexpr std::size_t kMaxOpenScriptFiles = 64;

// Dimensions of one array; more is never needed by register scripts and bounds the index loops.
inline constexpr int kMaxArrayDims = 8;

// Elements of one array and characters of one string: a typing mistake such as
// ReDim a(1E9) must end in an error the script can handle, not exhaust the memory of the program.
inline constexpr std::int64_t kMaxArrayElements = 16 * 1024 * 1024;
inline constexpr std::size_t kMaxStringLength = 64 * 1024 * 1024;

// Bytes the strings and arrays of all running scripts may hold together: room for sixteen of the
// longest strings or four of the largest arrays, while a script that keeps piling up values (a
// thousand strings of 60 MB) ends in error 7 long before the program runs out of memory.
inline constexpr std::size_t kMaxScriptMemory = std::size_t{1024} * 1024 * 1024;

// Arrays held inside arrays (Array(Array(...))). Releasing a value releases what it holds, one
// level at a time, so the depth is bounded where values are stored.
inline constexpr int kMaxArrayNesting = 64;

// Statements one call of Evaluate may run, so that a watch expression calling a function that
// loops for ever cannot hang the debugger.
inline constexpr std::int64_t kMaxEvaluateStatements = 1000000;

// Errors the parser reports for one module before it gives up on the rest: enough to correct a
// file in one round, and a file that is no Basic at all still gives a short list.
inline constexpr std::size_t kMaxErrorsPerModule = 20;

// Nesting of parentheses, prefix operators and blocks the parser accepts; deeper input is rejected
// with one message instead of recursing until the machine stack overflows.
inline constexpr int kMaxParseDepth = 200;

// Operators, calls and members one expression may hold along its deepest path: a chain
// 1 + 1 + ... of n terms is n deep, also when continued over many lines. The compiler, the constant
// evaluator and the tree's own release walk expressions recursively; this bound keeps them far from
// the end of the machine stack (also with sanitizers), while real expressions, long register masks
// joined with Or included, stay far below it.
inline constexpr int kMaxExpressionDepth = 1000;

// Constants defined through other constants, one inside the next (Const A = B + 1, Const B = C + 1
// ...): their values are computed recursively, so the chain is bounded like an expression.
inline constexpr int kMaxConstantChain = 1000;

// Values a Select Case over whole-number constants spans at most for its jump table (one entry
// per value, 4 KB at most); Case lists spread wider are tested one by one.
inline constexpr std::int64_t kMaxCaseTableSpan = 1024;

} // namespace vek::basic
