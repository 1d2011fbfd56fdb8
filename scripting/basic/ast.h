#pragma once

#include "scripting/basic/compile_errors.h"
#include "scripting/basic/operators.h"
#include "scripting/basic/variant.h"

#include <memory>
#include <string>
#include <vector>

namespace vek::basic {

// The syntax tree the parser builds and the compiler walks.

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
    Literal, // value
    Name,    // name
    Member,  // object.name  (Err.Number, Debug)
    Call,    // callee(args): a call or an array element, decided by the compiler
    Unary,   // unary_op operand(args[0])
    Binary,  // args[0] binary_op args[1]
    Missing, // an argument left out: f(1, , 3)
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    Position pos;
    Variant value;
    std::string name;
    ExprPtr object;                     // Member: the object; Call: the callee
    std::vector<ExprPtr> args;          // Call arguments, operator operands
    std::vector<std::string> arg_names; // Call: name of a named argument (Number:=), else ""
    BinaryOp binary_op = BinaryOp::Add;
    UnaryOp unary_op = UnaryOp::Negate;
    bool parenthesized = false; // (x) passed ByRef is passed by value
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct Bound {
    ExprPtr lower; // null: the default lower bound 0
    ExprPtr upper;
};

struct VarDecl {
    std::string name;
    Position pos;
    Tag type = Tag::Empty;
    bool is_array = false;     // declared with parentheses
    std::vector<Bound> bounds; // empty for a dynamic array
    ExprPtr value;             // Const only
};

enum class CaseTest { Equal, Range, Is };

struct CaseItem {
    CaseTest test = CaseTest::Equal;
    BinaryOp compare = BinaryOp::Eq; // Is <op>
    ExprPtr value;
    ExprPtr upper; // Range
};

struct CaseClause {
    std::vector<CaseItem> items; // empty: Case Else
    Block body;
    Position pos;
};

enum class StmtKind {
    Assign,  // target = value
    Call,    // call (an Expr of kind Call, Name or Member)
    Dim,     // decls
    ReDim,   // decls, preserve
    Const,   // decls
    If,      // conditions[i] -> blocks[i], else_block
    Select,  // value, cases
    For,     // name, value(from), limit, step, body
    ForEach, // name, value(collection), body
    Do,      // condition, test_at_end, until, body
    Exit,    // exit_kind
    GoTo,    // name
    Label,   // name
    OnError, // error_mode, name
    Resume,  // resume_mode, name
    Print,   // args with separators
    End,
    Stop,
};

enum class ExitKind { Sub, Function, For, Do };
// Where On Error and Resume go on; the numbers are the modes of the OnError and Resume
// instructions, whose last mode goes to the statement's label.
enum class OnErrorMode { GoToZero = 0, ResumeNext = 1, GoToLabel = 2 };
enum class ResumeMode { Again = 0, Next = 1, Label = 2 };

struct Stmt {
    StmtKind kind = StmtKind::Call;
    Position pos;
    Position end_pos; // the Next, Loop or Wend line of a loop
    ExprPtr target;
    ExprPtr value;
    ExprPtr limit;
    ExprPtr step;
    ExprPtr condition; // Do: null for an endless loop
    std::string name;
    std::vector<VarDecl> decls;
    bool preserve = false;
    bool is_public = false;
    std::vector<ExprPtr> conditions;
    std::vector<Block> blocks;
    Block else_block;
    bool has_else = false;
    bool single_line = false; // If: one statement on one line
    std::vector<CaseClause> cases;
    Block body;
    bool test_at_end = false;
    bool until = false;
    ExitKind exit_kind = ExitKind::Sub;
    OnErrorMode error_mode = OnErrorMode::GoToZero;
    ResumeMode resume_mode = ResumeMode::Next;
    std::vector<ExprPtr> print_items;
    std::vector<char> print_separators; // after each item: ';', ',' or 0
    bool debug_print = false;
};

// How a parameter is declared; the compiled procedure keeps it too.
struct ParamMode {
    bool by_ref = true;
    bool optional = false;
    bool is_array = false;
    Tag type = Tag::Empty;
};

struct Param : ParamMode {
    std::string name;
    Position pos;
    ExprPtr default_value;
};

struct ProcDecl {
    std::string name;
    Position pos;
    bool is_function = false;
    bool is_public = true;
    Tag return_type = Tag::Empty;
    std::vector<Param> params;
    Block body;
    int end_line = 0;
};

struct ModuleAst {
    std::string name;
    bool option_explicit = false;
    std::vector<StmtPtr> declarations; // module-level Dim, Public, Private, Const
    std::vector<ProcDecl> procs;
};

} // namespace vek::basic
