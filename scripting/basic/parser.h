#pragma once

#include "scripting/basic/ast.h"
#include "scripting/basic/compile_errors.h"
#include "scripting/basic/scanner.h"
#include "scripting/basic/token.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

// Parses one module. Each error is reported with its position and the parser resumes at the next
// line, so one pass lists several mistakes; a module with errors is not compiled further.
ModuleAst ParseModule(std::string_view moduleName, std::string_view text, ErrorReporter& errors,
                      ModuleText kind = ModuleText::Script);

// Parses a lone expression (the debugger's watch and quick-watch text).
ExprPtr ParseExpression(std::string_view text, ErrorReporter& errors);

// The recursive-descent parser behind them: tokens, module level and declarations (parser.cpp),
// statements (parser_statements.cpp) and expressions (parser_expressions.cpp). A construct that
// fails throws its CompileMessage; the statement loop reports it and resumes at the next line.
class Parser {
public:
    Parser(std::vector<Token> tokens, std::string module, ErrorReporter& errors,
           ModuleText kind = ModuleText::Script)
        : tokens_(std::move(tokens)), module_(std::move(module)), errors_(errors), kind_(kind) {}

    ModuleAst ParseModule();
    ExprPtr ParseLoneExpression();

private:
    // Guards the recursion of nested expressions and blocks.
    class DepthGuard {
    public:
        explicit DepthGuard(Parser& parser);
        ~DepthGuard() { --parser_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Parser& parser_;
    };

    // ---- tokens (parser.cpp) ----
    const Token& Peek(std::size_t ahead = 0) const {
        const std::size_t i = pos_ + ahead;
        return i < tokens_.size() ? tokens_[i] : tokens_.back();
    }
    const Token& Next() {
        const Token& t = Peek();
        if (pos_ < tokens_.size() - 1) {
            ++pos_;
        }
        return t;
    }
    Position Here() const { return {Peek().line, Peek().column}; }
    bool IsKeyword(Keyword k, std::size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Keyword && Peek(ahead).keyword == k;
    }
    bool IsOperator(std::string_view op, std::size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Operator && Peek(ahead).text == op;
    }
    bool IsWord(std::string_view word, std::size_t ahead = 0) const;
    bool AcceptKeyword(Keyword k);
    bool AcceptOperator(std::string_view op);
    // `what` is the keywords the message names: "Then", "Case or End Select".
    void ExpectKeyword(Keyword k, const char* what);
    void ExpectOperator(std::string_view op);
    std::string ExpectIdentifier(CompileError missing);
    // Inside a single-line If, Else also ends a statement.
    bool AtStatementEnd() const;
    void ExpectStatementEnd();
    void SkipSeparators();
    [[noreturn]] void Fail(CompileError error, std::string arg = {}) const;
    // A recovering parser may fail at the same token twice; that is reported once.
    void Report(const CompileMessage& failure);
    // Failures after which the rest of the module cannot be read sensibly: nesting too deep and
    // too many errors. They travel up to the module level and are reported there once.
    static bool EndsModule(const CompileMessage& failure);
    void Recover();
    // The "End X" at which ParseBlock stopped.
    void ParseEndOfBlock();

    // ---- module level and declarations (parser.cpp) ----
    void ParseModuleItem(ModuleAst& ast);
    ProcDecl ParseProc(bool isPublic);
    Param ParseParam();
    // The type after As: a kind, or Record with the name of a user-defined type in `typeName`.
    Tag ParseTypeName(std::string& typeName);
    // A kind after As, where a user-defined type cannot stand (Const).
    Tag ParseKindName();
    // Whether the next tokens are `word name` and the end of the statement: Type Point, With p.
    bool AtBlockHeader(std::string_view word) const;
    TypeDecl ParseType(bool isPublic);
    // Enum ... End Enum: its members become Long constants, each one more than the one before
    // unless it is given a value; the name may stand for Long in declarations.
    StmtPtr ParseEnum(ModuleAst& ast);
    // A member without a value: the one before it plus one, the first 0.
    ExprPtr NextEnumValue(const Stmt& members, Position pos);
    // The member lines of a Type or Enum block up to End <word>, each read by `member`.
    void ParseMemberLines(std::string_view word, const std::function<void()>& member);
    VarDecl ParseVarDecl(bool allowBounds);
    // Option Explicit, Option Base 0|1, Option Compare Binary.
    void ParseOption(ModuleAst& ast);
    std::vector<Bound> ParseBounds();
    static StmtPtr NewStmt(StmtKind kind, Position pos);
    StmtPtr ParseDim(Position pos);
    StmtPtr ParseConst(Position pos);
    StmtPtr ParseStatic(Position pos);

    // ---- statements, one parser per kind (parser_statements.cpp) ----
    Block ParseBlock(const std::function<bool()>& atEnd, const char* closer);
    StmtPtr ParseStatement();
    // "name:" or a line number at the start of a line.
    StmtPtr ParseLabel(Position pos);
    std::string ParseLabelName();
    StmtPtr ParseAssignOrCall(Position pos);
    StmtPtr ParseCall(Position pos);
    StmtPtr ParseReDim(Position pos);
    // The array ReDim sizes: a name, or a member (p.values, .values, a(i).values).
    void ParseReDimTarget(VarDecl& d);
    // Whether the parenthesis at `ahead` closes before a "." (an index inside a member path) or
    // ends the target (its bounds).
    bool ParenthesesBeforeMember(std::size_t ahead) const;
    StmtPtr ParseWith(Position pos);
    StmtPtr ParseIf(Position pos);
    void ParseSingleLineIf(Stmt& s);
    StmtPtr ParseSelect(Position pos);
    CaseItem ParseCaseItem();
    StmtPtr ParseFor(Position pos);
    // The name after Next, when there is one; `Next j, i` leaves `i` to close the loop around.
    void ParseNextName(const std::string& name);
    StmtPtr ParseDo(Position pos);
    void ParseLoopCondition(Stmt& s);
    StmtPtr ParseWhile(Position pos);
    StmtPtr ParseExit(Position pos);
    StmtPtr ParseGoTo(Position pos);
    StmtPtr ParseOnError(Position pos);
    StmtPtr ParseOnJump(Position pos);
    StmtPtr ParseResume(Position pos);
    // The 0 of On Error GoTo 0 and Resume 0.
    bool AcceptZero();
    StmtPtr ParsePrint(Position pos);
    // One item of a Print list: its expression (null where a separator comes first), where it
    // starts, and the separator after it (';', ',' or 0 at the end of the statement).
    struct PrintItem {
        ExprPtr expr;
        Position at;
        char separator = 0;
        PrintMove move = PrintMove::None; // Tab(n), Spc(n): expr is n
    };
    // The items of Print and Print # up to the end of the statement.
    std::vector<PrintItem> ParsePrintList();
    // ---- file statements (parser_files.cpp): calls of the built-in file statements ----
    // Open, Close, Write #, Input # and Line Input #; null when the statement is none of them.
    StmtPtr ParseFileStatement(Position pos);
    // Print # past the '#'.
    StmtPtr ParsePrintFile(Position pos);
    StmtPtr ParseOpen(Position pos);
    StmtPtr ParseClose(Position pos);
    StmtPtr ParseWriteFile(Position pos);
    StmtPtr ParseInputFile(Position pos, bool wholeLine);
    // A file number: [#]expression.
    ExprPtr ParseFileNumber();
    // A call of the built-in statement `name` (its name without the "#").
    ExprPtr StatementCall(const char* name, Position pos) const;
    // LSet s = text, RSet s = text: s = the text aligned in s's length.
    StmtPtr ParseAlignedSet(Position pos);
    // A second parse of the tokens at `at`: a copy of an expression a statement needs twice (the
    // variable that Mid, LSet and RSet read and store). The position stays where it was.
    ExprPtr ReparseAt(std::size_t at, const std::function<ExprPtr()>& parse);

    // ---- expressions (parser_expressions.cpp) ----
    ExprPtr ParseExpr();
    // Precedence climbing: the operators that bind at least as tightly as `minPrecedence`, each
    // taking as its right operand what binds more tightly than itself (to the left) or as
    // tightly (to the right).
    ExprPtr ParseOperators(int minPrecedence);
    // A prefix operator with what it applies to, or a postfix expression.
    ExprPtr ParseOperand();
    // `Is` in a Case: the comparison operator that follows.
    BinaryOp ParseComparisonOperator();
    ExprPtr ParsePostfix();
    ExprPtr ParsePrimary();
    static ExprPtr MakeCall(ExprPtr callee);
    // callee(arguments), at the "(".
    ExprPtr ParseParenthesizedCall(ExprPtr callee);
    // Gives a new operator, call or member node its depth from its parts; one deeper than
    // kMaxExpressionDepth fails, so every recursive walk of an expression stays bounded.
    void CheckDepth(Expr& e) const;
    // The name after the "." of object.name.
    ExprPtr ParseMember(ExprPtr object);
    // Name or Object.Method, the callee of a call without parentheses.
    ExprPtr ParseNamePath();
    // Arguments up to `closer` (")" or "" for the end of the statement).
    void ParseArguments(Expr& call, std::string_view closer);

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::string module_;
    ErrorReporter& errors_;
    ModuleText kind_;
    std::size_t errorsCount_ = 0;
    int depth_ = 0;
    int optionBase_ = 0; // Option Base: the lower bound of arrays declared without one
    int singleLineIf_ = 0;
    // A Next of several names closed the inner loop: the next name closes the enclosing one.
    bool nextNamesLeft_ = false;
};

} // namespace vek::basic
