#pragma once

#include "scripting/basic/compile_errors.h"
#include "scripting/basic/operators.h"
#include "scripting/basic/print_layout.h"
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
    Member,  // object.name  (Err.Number, p.x); without an object: .name inside With
    Call,    // callee(args): a call or an array element, decided by the compiler
    Unary,   // unaryOp operand(args[0])
    Binary,  // args[0] binaryOp args[1]
    Missing, // an argument left out: f(1, , 3)
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    Position pos;
    Variant value;
    std::string name;
    ExprPtr object;                    // Member: the object; Call: the callee
    std::vector<ExprPtr> args;         // Call arguments, operator operands
    std::vector<std::string> argNames; // Call: name of a named argument (Number:=), else ""
    BinaryOp binaryOp = BinaryOp::Add;
    UnaryOp unaryOp = UnaryOp::Negate;
    bool parenthesized = false; // (x) passed ByRef is passed by value
    int depth = 1;              // levels down to the deepest leaf, at most kMaxExpressionDepth
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
    std::string typeName;      // type Record: the user-defined type named after As
    ExprPtr target;            // ReDim of a member (ReDim p.values(9)): the member; else null
    bool isArray = false;      // declared with parentheses
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
    Assign,   // target = value
    Call,     // call (an Expr of kind Call, Name or Member)
    Dim,      // decls
    ReDim,    // decls, preserve
    Erase,    // decls: the arrays named
    Const,    // decls
    If,       // conditions[i] -> blocks[i], elseBlock
    Select,   // value, cases
    For,      // name, value(from), limit, step, body
    ForEach,  // name, value(collection), body
    Do,       // condition, testAtEnd, until, body
    Exit,     // exitKind
    GoTo,     // name
    GoSub,    // name
    Return,   // from the last GoSub
    Sequence, // body: statements one statement of the source became (Input #n, a, b)
    Label,    // name
    OnError,  // errorMode, name
    OnJump,   // value (the index), body (a GoTo or GoSub for each label)
    Resume,   // resumeMode, name
    Print,    // args with separators
    With,     // value (the object), body
    End,
    Stop,
    Assert, // value: Debug.Assert, a Stop when it is False
};

enum class ExitKind { Sub, Function, For, Do };
// Where On Error and Resume go on; the numbers are the modes of the OnError and Resume
// instructions, whose last mode goes to the statement's label.
enum class OnErrorMode { GoToZero = 0, ResumeNext = 1, GoToLabel = 2 };
enum class ResumeMode { Again = 0, Next = 1, Label = 2 };

struct Stmt {
    StmtKind kind = StmtKind::Call;
    Position pos;
    Position endPos; // the Next, Loop or Wend line of a loop
    ExprPtr target;
    ExprPtr value;
    ExprPtr limit;
    ExprPtr step;
    ExprPtr condition; // Do: null for an endless loop
    std::string name;
    std::vector<VarDecl> decls;
    bool preserve = false;
    bool isPublic = false;
    bool isStatic = false; // Dim: declared Static, kept from call to call
    std::vector<ExprPtr> conditions;
    std::vector<Block> blocks;
    Block elseBlock;
    bool hasElse = false;
    bool singleLine = false; // If: one statement on one line
    std::vector<CaseClause> cases;
    Block body;
    bool testAtEnd = false;
    bool until = false;
    ExitKind exitKind = ExitKind::Sub;
    OnErrorMode errorMode = OnErrorMode::GoToZero;
    ResumeMode resumeMode = ResumeMode::Next;
    std::vector<ExprPtr> printItems;
    std::vector<char> printSeparators; // after each item: ';', ',' or 0
    std::vector<PrintMove> printMoves; // Tab(n), Spc(n): the item is n; Tab alone: no item
    bool debugPrint = false;
};

// How a parameter is declared; the compiled procedure keeps it too.
struct RecordType;

struct ParamMode {
    bool byRef = true;
    bool optional = false;
    bool isArray = false;
    bool paramArray = false; // ParamArray args(): the arguments from here on, as an array
    Tag type = Tag::Empty;
    const RecordType* record = nullptr; // type Record: the user-defined type
};

struct Param : ParamMode {
    std::string name;
    std::string typeName; // type Record: the user-defined type named after As
    Position pos;
    ExprPtr defaultValue;
};

struct ProcDecl {
    std::string name;
    Position pos;
    bool isFunction = false;
    bool isPublic = true;
    bool isStatic = false; // Static Sub / Static Function: every local keeps its value
    Tag returnType = Tag::Empty;
    std::string returnTypeName; // returnType Record: the user-defined type
    bool returnsArray = false;  // As String(): an array of returnType
    std::vector<Param> params;
    Block body;
    int endLine = 0;
};

// Type ... End Type.
struct TypeDecl {
    std::string name;
    Position pos;
    bool isPublic = true;
    std::vector<VarDecl> members;
};

struct ModuleAst {
    std::string name;
    bool optionExplicit = false;
    bool textCompare = false;          // Option Compare Text
    int arrayBase = 0;                 // Option Base
    std::vector<StmtPtr> declarations; // module-level Dim, Public, Private, Const
    std::vector<TypeDecl> types;
    std::vector<std::string> enums; // the names of its Enum blocks, which stand for Long
    std::vector<ProcDecl> procs;
};

} // namespace vek::basic
