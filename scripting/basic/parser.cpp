#include "scripting/basic/parser.h"

#include "scripting/basic/limits.h"
#include "scripting/basic/scanner.h"
#include "scripting/basic/text_util.h"

#include <functional>
#include <string>
#include <utility>

namespace vek::basic {

namespace {

constexpr std::size_t kMaxErrorsPerModule = 20;

enum class Associativity { Left, Right };

// The precedence table: binary operators from the loosest to the tightest binding. Each: how it
// is written, its precedence (higher binds tighter), associativity and operation.
struct BinaryOperator {
    const char* spelling;
    int precedence;
    Associativity associativity;
    BinaryOp op;
};
constexpr int kLoosestPrecedence = 1;
constexpr BinaryOperator kBinaryOperators[] = {
    {"Xor", 1, Associativity::Left, BinaryOp::Xor},
    {"Or", 2, Associativity::Left, BinaryOp::Or},
    {"And", 3, Associativity::Left, BinaryOp::And},
    // 4: Not
    {"=", 5, Associativity::Left, BinaryOp::Eq},
    {"<>", 5, Associativity::Left, BinaryOp::Ne},
    {"<", 5, Associativity::Left, BinaryOp::Lt},
    {"<=", 5, Associativity::Left, BinaryOp::Le},
    {">", 5, Associativity::Left, BinaryOp::Gt},
    {">=", 5, Associativity::Left, BinaryOp::Ge},
    {"&", 6, Associativity::Left, BinaryOp::Concat},
    {"+", 7, Associativity::Left, BinaryOp::Add},
    {"-", 7, Associativity::Left, BinaryOp::Sub},
    {"Mod", 8, Associativity::Left, BinaryOp::Mod},
    {"\\", 9, Associativity::Left, BinaryOp::IntDiv},
    {"*", 10, Associativity::Left, BinaryOp::Mul},
    {"/", 10, Associativity::Left, BinaryOp::Div},
    // 11: unary minus, so -2 ^ 2 is -4
    {"^", 12, Associativity::Left, BinaryOp::Pow},
};

// Prefix operators on the same scale: what follows one binds at least as tightly as it. Not may
// only start an operand that binds no more tightly than itself (1 + Not 2 is an error); a sign may
// start any (2 ^ -1). A unary plus changes nothing.
struct PrefixOperator {
    const char* spelling;
    int precedence;
    bool anywhere;
    bool changes;
    UnaryOp op;
};
constexpr PrefixOperator kPrefixOperators[] = {
    {"Not", 4, false, true, UnaryOp::Not},
    {"-", 11, true, true, UnaryOp::Negate},
    {"+", 11, true, false, UnaryOp::Negate},
};

class Parser {
public:
    Parser(std::vector<Token> tokens, std::string module, ErrorReporter& errors)
        : tokens_(std::move(tokens)), module_(std::move(module)), errors_(errors) {}

    ModuleAst ParseModule() {
        ModuleAst ast;
        ast.name = module_;
        while (errors_count_ < kMaxErrorsPerModule) {
            SkipSeparators();
            if (Peek().kind == TokenKind::End) {
                break;
            }
            try {
                ParseModuleItem(ast);
            } catch (const CompileMessage& failure) {
                Report(failure);
                Recover();
            }
        }
        return ast;
    }

    ExprPtr ParseLoneExpression() {
        try {
            SkipSeparators();
            ExprPtr e = ParseExpr();
            SkipSeparators();
            if (Peek().kind != TokenKind::End) {
                Fail(CompileError::ExpectedEndOfExpression);
            }
            return e;
        } catch (const CompileMessage& failure) {
            Report(failure);
            return nullptr;
        }
    }

private:
    // Guards the recursion of nested expressions and blocks.
    class DepthGuard {
    public:
        explicit DepthGuard(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kMaxParseDepth) {
                --parser_.depth_;
                parser_.Fail(CompileError::NestingTooDeep);
            }
        }
        ~DepthGuard() { --parser_.depth_; }
        DepthGuard(const DepthGuard&) = delete;
        DepthGuard& operator=(const DepthGuard&) = delete;

    private:
        Parser& parser_;
    };

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
    bool IsWord(std::string_view word, std::size_t ahead = 0) const {
        return Peek(ahead).kind == TokenKind::Identifier && EqualsNoCase(Peek(ahead).text, word);
    }
    bool AcceptKeyword(Keyword k) {
        if (IsKeyword(k)) {
            Next();
            return true;
        }
        return false;
    }
    bool AcceptOperator(std::string_view op) {
        if (IsOperator(op)) {
            Next();
            return true;
        }
        return false;
    }
    // `what` is the keywords the message names: "Then", "Case or End Select".
    void ExpectKeyword(Keyword k, const char* what) {
        if (!AcceptKeyword(k)) {
            Fail(CompileError::Expected, what);
        }
    }
    void ExpectOperator(std::string_view op) {
        if (!AcceptOperator(op)) {
            Fail(CompileError::ExpectedOperator, std::string(op));
        }
    }
    std::string ExpectIdentifier(CompileError missing) {
        if (Peek().kind != TokenKind::Identifier) {
            Fail(missing);
        }
        return Next().text;
    }

    // Inside a single-line If, Else also ends a statement.
    bool AtStatementEnd() const {
        const TokenKind k = Peek().kind;
        return k == TokenKind::Newline || k == TokenKind::Colon || k == TokenKind::End ||
               (single_line_if_ > 0 && IsKeyword(Keyword::Else));
    }
    void ExpectStatementEnd() {
        if (!AtStatementEnd()) {
            Fail(CompileError::ExpectedEndOfStatement);
        }
    }
    void SkipSeparators() {
        while (Peek().kind == TokenKind::Newline || Peek().kind == TokenKind::Colon) {
            Next();
        }
    }

    [[noreturn]] void Fail(CompileError error, std::string arg = {}) const {
        throw CompileMessage(error, Here(), std::move(arg));
    }

    // A recovering parser may fail at the same token twice; that is reported once.
    void Report(const CompileMessage& failure) {
        if (!errors_.ReportedAt(module_, failure.pos)) {
            errors_.Report(module_, failure);
            ++errors_count_;
        }
    }

    void Recover() {
        while (Peek().kind != TokenKind::Newline && Peek().kind != TokenKind::End) {
            Next();
        }
    }

    // ---- module level ----

    void ParseModuleItem(ModuleAst& ast) {
        if (AcceptKeyword(Keyword::Option)) {
            if (!IsWord("Explicit")) {
                Fail(CompileError::Expected, "Explicit");
            }
            Next();
            ast.option_explicit = true;
            ExpectStatementEnd();
            return;
        }
        if (IsWord("Attribute")) {
            Recover(); // attribute lines of exported modules carry nothing for the engine
            return;
        }
        bool is_public = true;
        bool has_scope = false;
        if (AcceptKeyword(Keyword::Public)) {
            has_scope = true;
        } else if (AcceptKeyword(Keyword::Private)) {
            is_public = false;
            has_scope = true;
        }
        if (IsKeyword(Keyword::Sub) || IsKeyword(Keyword::Function)) {
            ast.procs.push_back(ParseProc(is_public));
            return;
        }
        if (AcceptKeyword(Keyword::Const)) {
            StmtPtr s = ParseConst();
            s->is_public = has_scope && is_public;
            ast.declarations.push_back(std::move(s));
            return;
        }
        if (AcceptKeyword(Keyword::Dim) || has_scope) {
            StmtPtr s = ParseDim();
            s->is_public = has_scope && is_public;
            ast.declarations.push_back(std::move(s));
            return;
        }
        Fail(CompileError::ExpectedDeclaration);
    }

    ProcDecl ParseProc(bool is_public) {
        ProcDecl proc;
        proc.is_public = is_public;
        proc.is_function = IsKeyword(Keyword::Function);
        proc.pos = Here();
        Next();
        proc.name = ExpectIdentifier(CompileError::ExpectedProcedureName);
        if (proc.is_function) {
            proc.return_type = tokens_[pos_ - 1].type_suffix;
        }
        if (AcceptOperator("(")) {
            if (!IsOperator(")")) {
                do {
                    proc.params.push_back(ParseParam());
                } while (AcceptOperator(","));
            }
            ExpectOperator(")");
        }
        if (proc.is_function && AcceptKeyword(Keyword::As)) {
            proc.return_type = ParseTypeName();
        }
        ExpectStatementEnd();
        const Keyword closer = proc.is_function ? Keyword::Function : Keyword::Sub;
        proc.body = ParseBlock([&] { return IsKeyword(Keyword::End) && IsKeyword(closer, 1); },
                               proc.is_function ? "End Function" : "End Sub");
        proc.end_line = Peek().line;
        Next();
        Next();
        ExpectStatementEnd();
        return proc;
    }

    Param ParseParam() {
        Param p;
        p.optional = AcceptKeyword(Keyword::Optional);
        if (AcceptKeyword(Keyword::ByVal)) {
            p.by_ref = false;
        } else {
            AcceptKeyword(Keyword::ByRef);
        }
        p.pos = Here();
        p.name = ExpectIdentifier(CompileError::ExpectedParameterName);
        p.type = tokens_[pos_ - 1].type_suffix;
        if (AcceptOperator("(")) {
            ExpectOperator(")");
            p.is_array = true;
        }
        if (AcceptKeyword(Keyword::As)) {
            p.type = ParseTypeName();
        }
        if (AcceptOperator("=")) {
            if (!p.optional) {
                Fail(CompileError::ExpectedOptionalBeforeDefault);
            }
            p.default_value = ParseExpr();
        }
        return p;
    }

    Tag ParseTypeName() {
        Tag tag = Tag::Empty;
        if (Peek().kind != TokenKind::Identifier || !KindDeclaredAs(Peek().text, tag)) {
            Fail(CompileError::ExpectedType);
        }
        Next();
        return tag;
    }

    // ---- declarations ----

    VarDecl ParseVarDecl(bool allow_bounds) {
        VarDecl d;
        d.pos = Here();
        d.name = ExpectIdentifier(CompileError::ExpectedVariableName);
        d.type = tokens_[pos_ - 1].type_suffix;
        if (AcceptOperator("(")) {
            d.is_array = true;
            if (!IsOperator(")")) {
                if (!allow_bounds) {
                    Fail(CompileError::ExpectedOperator, ")");
                }
                d.bounds = ParseBounds();
            }
            ExpectOperator(")");
        }
        if (AcceptKeyword(Keyword::As)) {
            d.type = ParseTypeName();
        }
        return d;
    }

    std::vector<Bound> ParseBounds() {
        std::vector<Bound> bounds;
        do {
            Bound b;
            b.upper = ParseExpr();
            if (AcceptKeyword(Keyword::To)) {
                b.lower = std::move(b.upper);
                b.upper = ParseExpr();
            }
            bounds.push_back(std::move(b));
        } while (AcceptOperator(","));
        if (bounds.size() > static_cast<std::size_t>(kMaxArrayDims)) {
            Fail(CompileError::TooManyDimensions);
        }
        return bounds;
    }

    StmtPtr NewStmt(StmtKind kind, Position pos) {
        auto s = std::make_unique<Stmt>();
        s->kind = kind;
        s->pos = pos;
        return s;
    }

    StmtPtr ParseDim() {
        StmtPtr s = NewStmt(StmtKind::Dim, Here());
        do {
            s->decls.push_back(ParseVarDecl(true));
        } while (AcceptOperator(","));
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseConst() {
        StmtPtr s = NewStmt(StmtKind::Const, Here());
        do {
            VarDecl d;
            d.pos = Here();
            d.name = ExpectIdentifier(CompileError::ExpectedConstantName);
            d.type = tokens_[pos_ - 1].type_suffix;
            if (AcceptKeyword(Keyword::As)) {
                d.type = ParseTypeName();
            }
            ExpectOperator("=");
            d.value = ParseExpr();
            s->decls.push_back(std::move(d));
        } while (AcceptOperator(","));
        ExpectStatementEnd();
        return s;
    }

    // ---- statements ----

    Block ParseBlock(const std::function<bool()>& at_end, const char* closer) {
        DepthGuard guard(*this);
        Block block;
        while (true) {
            SkipSeparators();
            if (at_end()) {
                return block;
            }
            if (Peek().kind == TokenKind::End ||
                (IsKeyword(Keyword::End) &&
                 (IsKeyword(Keyword::Sub, 1) || IsKeyword(Keyword::Function, 1)))) {
                Fail(CompileError::Expected, closer);
            }
            if (errors_count_ >= kMaxErrorsPerModule) {
                Fail(CompileError::TooManyErrors);
            }
            try {
                block.push_back(ParseStatement());
            } catch (const CompileMessage& failure) {
                if (Peek().kind == TokenKind::End) {
                    throw;
                }
                Report(failure);
                Recover();
            }
        }
    }

    StmtPtr ParseStatement() {
        const Token& t = Peek();
        const Position pos = Here();
        if (t.kind == TokenKind::Identifier && t.at_line_start &&
            Peek(1).kind == TokenKind::Colon) {
            StmtPtr s = NewStmt(StmtKind::Label, pos);
            s->name = Next().text;
            Next();
            return s;
        }
        if (t.kind == TokenKind::Number && t.at_line_start && t.value.IsIntegral()) {
            StmtPtr s = NewStmt(StmtKind::Label, pos);
            s->name = Next().text;
            return s;
        }
        if (t.kind == TokenKind::Keyword) {
            switch (t.keyword) {
            case Keyword::Dim:
                Next();
                return ParseDim();
            case Keyword::Const:
                Next();
                return ParseConst();
            case Keyword::ReDim:
                Next();
                return ParseReDim(pos);
            case Keyword::If:
                Next();
                return ParseIf(pos);
            case Keyword::Select:
                Next();
                return ParseSelect(pos);
            case Keyword::For:
                Next();
                return ParseFor(pos);
            case Keyword::Do:
                Next();
                return ParseDo(pos);
            case Keyword::While:
                Next();
                return ParseWhile(pos);
            case Keyword::Exit:
                Next();
                return ParseExit(pos);
            case Keyword::GoTo: {
                Next();
                StmtPtr s = NewStmt(StmtKind::GoTo, pos);
                s->name = ParseLabelName();
                ExpectStatementEnd();
                return s;
            }
            case Keyword::On:
                Next();
                return ParseOnError(pos);
            case Keyword::Resume:
                Next();
                return ParseResume(pos);
            case Keyword::Print:
                Next();
                return ParsePrint(pos, false);
            case Keyword::End: {
                Next();
                ExpectStatementEnd();
                return NewStmt(StmtKind::End, pos);
            }
            case Keyword::Stop: {
                Next();
                ExpectStatementEnd();
                return NewStmt(StmtKind::Stop, pos);
            }
            case Keyword::Call: {
                Next();
                StmtPtr s = NewStmt(StmtKind::Call, pos);
                s->target = ParsePostfix();
                if (s->target->kind != ExprKind::Call) {
                    s->target = MakeCall(std::move(s->target));
                }
                ExpectStatementEnd();
                return s;
            }
            case Keyword::Let:
            case Keyword::Set:
                Next();
                return ParseAssignOrCall(pos);
            case Keyword::Next:
                Fail(CompileError::NextWithoutFor);
            case Keyword::Loop:
                Fail(CompileError::LoopWithoutDo);
            case Keyword::Wend:
                Fail(CompileError::WendWithoutWhile);
            case Keyword::Else:
            case Keyword::ElseIf:
                Fail(CompileError::ElseWithoutIf);
            default:
                Fail(CompileError::ExpectedStatement);
            }
        }
        if (IsWord("Debug") && IsOperator(".", 1) && IsKeyword(Keyword::Print, 2)) {
            Next();
            Next();
            Next();
            return ParsePrint(pos, true);
        }
        if (t.kind != TokenKind::Identifier) {
            Fail(CompileError::ExpectedStatement);
        }
        return ParseAssignOrCall(pos);
    }

    std::string ParseLabelName() {
        if (Peek().kind == TokenKind::Number || Peek().kind == TokenKind::Identifier) {
            return Next().text;
        }
        Fail(CompileError::ExpectedLabel);
    }

    StmtPtr ParseAssignOrCall(Position pos) {
        const std::size_t start = pos_;
        ExprPtr target = ParsePostfix();
        if (AcceptOperator("=")) {
            StmtPtr s = NewStmt(StmtKind::Assign, pos);
            s->target = std::move(target);
            s->value = ParseExpr();
            ExpectStatementEnd();
            return s;
        }
        StmtPtr s = NewStmt(StmtKind::Call, pos);
        if (AtStatementEnd()) {
            if (target->kind != ExprKind::Call) {
                target = MakeCall(std::move(target));
            } else if (target->args.size() == 1) {
                // Name (x) as a statement: the parentheses belong to the argument, which is
                // therefore passed by value.
                target->args[0]->parenthesized = true;
            }
            s->target = std::move(target);
            return s;
        }
        // A call without parentheses: Name args  or  Object.Method args.
        pos_ = start;
        ExprPtr callee = ParseNamePath();
        ExprPtr call = MakeCall(std::move(callee));
        ParseArguments(*call, "");
        ExpectStatementEnd();
        s->target = std::move(call);
        return s;
    }

    ExprPtr MakeCall(ExprPtr callee) {
        auto call = std::make_unique<Expr>();
        call->kind = ExprKind::Call;
        call->pos = callee->pos;
        call->object = std::move(callee);
        return call;
    }

    ExprPtr ParseNamePath() {
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Name;
        e->pos = Here();
        e->name = ExpectIdentifier(CompileError::ExpectedName);
        while (AcceptOperator(".")) {
            auto m = std::make_unique<Expr>();
            m->kind = ExprKind::Member;
            m->pos = Here();
            m->name = ExpectMemberName();
            m->object = std::move(e);
            e = std::move(m);
        }
        return e;
    }

    std::string ExpectMemberName() {
        if (Peek().kind == TokenKind::Identifier || Peek().kind == TokenKind::Keyword) {
            return Next().text;
        }
        Fail(CompileError::ExpectedMemberName);
    }

    // Arguments up to `closer` (")" or "" for the end of the statement).
    void ParseArguments(Expr& call, std::string_view closer) {
        auto at_close = [&] { return closer.empty() ? AtStatementEnd() : IsOperator(closer); };
        if (at_close()) {
            return;
        }
        while (true) {
            std::string name;
            if (Peek().kind == TokenKind::Identifier && IsOperator(":=", 1)) {
                name = Next().text;
                Next();
            }
            if (IsOperator(",") || at_close()) {
                auto missing = std::make_unique<Expr>();
                missing->kind = ExprKind::Missing;
                missing->pos = Here();
                call.args.push_back(std::move(missing));
            } else {
                call.args.push_back(ParseExpr());
            }
            call.arg_names.push_back(name);
            if (!AcceptOperator(",")) {
                break;
            }
        }
    }

    StmtPtr ParseReDim(Position pos) {
        StmtPtr s = NewStmt(StmtKind::ReDim, pos);
        if (IsWord("Preserve")) {
            Next();
            s->preserve = true;
        }
        do {
            VarDecl d;
            d.pos = Here();
            d.name = ExpectIdentifier(CompileError::ExpectedArrayName);
            d.is_array = true;
            ExpectOperator("(");
            d.bounds = ParseBounds();
            ExpectOperator(")");
            if (AcceptKeyword(Keyword::As)) {
                d.type = ParseTypeName();
            }
            s->decls.push_back(std::move(d));
        } while (AcceptOperator(","));
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseIf(Position pos) {
        StmtPtr s = NewStmt(StmtKind::If, pos);
        s->conditions.push_back(ParseExpr());
        ExpectKeyword(Keyword::Then, "Then");
        if (Peek().kind != TokenKind::Newline && Peek().kind != TokenKind::End) {
            ParseSingleLineIf(*s);
            return s;
        }
        auto at_branch_end = [&] {
            return IsKeyword(Keyword::ElseIf) || IsKeyword(Keyword::Else) ||
                   (IsKeyword(Keyword::End) && IsKeyword(Keyword::If, 1));
        };
        s->blocks.push_back(ParseBlock(at_branch_end, "End If"));
        while (AcceptKeyword(Keyword::ElseIf)) {
            s->conditions.push_back(ParseExpr());
            ExpectKeyword(Keyword::Then, "Then");
            s->blocks.push_back(ParseBlock(at_branch_end, "End If"));
        }
        if (AcceptKeyword(Keyword::Else)) {
            s->has_else = true;
            s->else_block = ParseBlock(
                [&] { return IsKeyword(Keyword::End) && IsKeyword(Keyword::If, 1); }, "End If");
        }
        Next();
        Next();
        ExpectStatementEnd();
        return s;
    }

    void ParseSingleLineIf(Stmt& s) {
        DepthGuard guard(*this);
        s.single_line = true;
        ++single_line_if_;
        struct Leave {
            int& count;
            ~Leave() { --count; }
        } leave{single_line_if_};
        auto parse_part = [&](Block& block) {
            while (true) {
                while (Peek().kind == TokenKind::Colon) {
                    Next();
                }
                if (Peek().kind == TokenKind::Newline || Peek().kind == TokenKind::End ||
                    IsKeyword(Keyword::Else)) {
                    return;
                }
                block.push_back(ParseStatement());
                ExpectStatementEnd();
            }
        };
        s.blocks.emplace_back();
        parse_part(s.blocks.back());
        if (AcceptKeyword(Keyword::Else)) {
            s.has_else = true;
            parse_part(s.else_block);
        }
    }

    StmtPtr ParseSelect(Position pos) {
        ExpectKeyword(Keyword::Case, "Case");
        StmtPtr s = NewStmt(StmtKind::Select, pos);
        s->value = ParseExpr();
        ExpectStatementEnd();
        SkipSeparators();
        auto at_case_end = [&] {
            return IsKeyword(Keyword::Case) ||
                   (IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1));
        };
        while (!(IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1))) {
            CaseClause clause;
            clause.pos = Here();
            ExpectKeyword(Keyword::Case, "Case or End Select");
            if (AcceptKeyword(Keyword::Else)) {
                clause.body = ParseBlock(
                    [&] { return IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1); },
                    "End Select");
                s->cases.push_back(std::move(clause));
                break;
            }
            do {
                clause.items.push_back(ParseCaseItem());
            } while (AcceptOperator(","));
            ExpectStatementEnd();
            clause.body = ParseBlock(at_case_end, "End Select");
            s->cases.push_back(std::move(clause));
        }
        Next();
        Next();
        ExpectStatementEnd();
        return s;
    }

    CaseItem ParseCaseItem() {
        CaseItem item;
        if (AcceptKeyword(Keyword::Is)) {
            item.test = CaseTest::Is;
            const BinaryOperator* op = PeekBinaryOperator();
            if (op == nullptr || !IsComparison(op->op)) {
                Fail(CompileError::ExpectedComparisonAfterIs);
            }
            Next();
            item.compare = op->op;
            item.value = ParseExpr();
            return item;
        }
        item.value = ParseExpr();
        if (AcceptKeyword(Keyword::To)) {
            item.test = CaseTest::Range;
            item.upper = ParseExpr();
        }
        return item;
    }

    void ParseNextName(const std::string& name) {
        if (Peek().kind == TokenKind::Identifier) {
            if (!EqualsNoCase(Peek().text, name)) {
                Fail(CompileError::ExpectedNextName, name);
            }
            Next();
        }
        ExpectStatementEnd();
    }

    StmtPtr ParseFor(Position pos) {
        if (AcceptKeyword(Keyword::Each)) {
            StmtPtr s = NewStmt(StmtKind::ForEach, pos);
            s->name = ExpectIdentifier(CompileError::ExpectedVariableName);
            ExpectKeyword(Keyword::In, "In");
            s->value = ParseExpr();
            ExpectStatementEnd();
            s->body = ParseBlock([&] { return IsKeyword(Keyword::Next); }, "Next");
            s->end_pos = Here();
            Next();
            ParseNextName(s->name);
            return s;
        }
        StmtPtr s = NewStmt(StmtKind::For, pos);
        s->name = ExpectIdentifier(CompileError::ExpectedVariableName);
        ExpectOperator("=");
        s->value = ParseExpr();
        ExpectKeyword(Keyword::To, "To");
        s->limit = ParseExpr();
        if (AcceptKeyword(Keyword::Step)) {
            s->step = ParseExpr();
        }
        ExpectStatementEnd();
        s->body = ParseBlock([&] { return IsKeyword(Keyword::Next); }, "Next");
        s->end_pos = Here();
        Next();
        ParseNextName(s->name);
        return s;
    }

    void ParseLoopCondition(Stmt& s) {
        if (IsKeyword(Keyword::While) || IsKeyword(Keyword::Until)) {
            s.until = IsKeyword(Keyword::Until);
            Next();
            s.condition = ParseExpr();
        }
    }

    StmtPtr ParseDo(Position pos) {
        StmtPtr s = NewStmt(StmtKind::Do, pos);
        ParseLoopCondition(*s);
        ExpectStatementEnd();
        s->body = ParseBlock([&] { return IsKeyword(Keyword::Loop); }, "Loop");
        s->end_pos = Here();
        Next();
        if (IsKeyword(Keyword::While) || IsKeyword(Keyword::Until)) {
            if (s->condition) {
                Fail(CompileError::OneDoCondition);
            }
            s->test_at_end = true;
            ParseLoopCondition(*s);
        }
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseWhile(Position pos) {
        StmtPtr s = NewStmt(StmtKind::Do, pos);
        s->condition = ParseExpr();
        ExpectStatementEnd();
        s->body = ParseBlock([&] { return IsKeyword(Keyword::Wend); }, "Wend");
        s->end_pos = Here();
        Next();
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseExit(Position pos) {
        StmtPtr s = NewStmt(StmtKind::Exit, pos);
        if (AcceptKeyword(Keyword::Sub)) {
            s->exit_kind = ExitKind::Sub;
        } else if (AcceptKeyword(Keyword::Function)) {
            s->exit_kind = ExitKind::Function;
        } else if (AcceptKeyword(Keyword::For)) {
            s->exit_kind = ExitKind::For;
        } else if (AcceptKeyword(Keyword::Do)) {
            s->exit_kind = ExitKind::Do;
        } else {
            Fail(CompileError::ExpectedExitKind);
        }
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseOnError(Position pos) {
        if (!IsWord("Error")) {
            Fail(CompileError::Expected, "Error");
        }
        Next();
        StmtPtr s = NewStmt(StmtKind::OnError, pos);
        if (AcceptKeyword(Keyword::Resume)) {
            ExpectKeyword(Keyword::Next, "Next");
            s->error_mode = OnErrorMode::ResumeNext;
        } else {
            ExpectKeyword(Keyword::GoTo, "GoTo or Resume Next");
            if (Peek().kind == TokenKind::Number && Peek().text == "0") {
                Next();
                s->error_mode = OnErrorMode::GoToZero;
            } else {
                s->error_mode = OnErrorMode::GoToLabel;
                s->name = ParseLabelName();
            }
        }
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParseResume(Position pos) {
        StmtPtr s = NewStmt(StmtKind::Resume, pos);
        if (AcceptKeyword(Keyword::Next)) {
            s->resume_mode = ResumeMode::Next;
        } else if (AtStatementEnd() || (Peek().kind == TokenKind::Number && Peek().text == "0")) {
            if (!AtStatementEnd()) {
                Next();
            }
            s->resume_mode = ResumeMode::Again;
        } else {
            s->resume_mode = ResumeMode::Label;
            s->name = ParseLabelName();
        }
        ExpectStatementEnd();
        return s;
    }

    StmtPtr ParsePrint(Position pos, bool debug) {
        StmtPtr s = NewStmt(StmtKind::Print, pos);
        s->debug_print = debug;
        while (!AtStatementEnd()) {
            if (IsOperator(";") || IsOperator(",")) {
                s->print_items.push_back(nullptr);
            } else {
                s->print_items.push_back(ParseExpr());
            }
            char separator = 0;
            if (IsOperator(";") || IsOperator(",")) {
                separator = Next().text[0];
            } else if (!AtStatementEnd()) {
                Fail(CompileError::ExpectedPrintSeparator);
            }
            s->print_separators.push_back(separator);
        }
        return s;
    }

    // ---- expressions ----

    ExprPtr Binary(BinaryOp op, ExprPtr left, ExprPtr right, Position pos) {
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Binary;
        e->binary_op = op;
        e->pos = pos;
        e->args.push_back(std::move(left));
        e->args.push_back(std::move(right));
        return e;
    }

    ExprPtr ParseExpr() {
        DepthGuard guard(*this);
        return ParseOperators(kLoosestPrecedence);
    }

    // Whether the next token is the operator written so: symbols exactly, words in any case.
    bool IsOperatorWord(std::string_view spelling) const {
        const Token& t = Peek();
        return (t.kind == TokenKind::Operator && t.text == spelling) ||
               (t.kind == TokenKind::Keyword && EqualsNoCase(t.text, spelling));
    }

    const BinaryOperator* PeekBinaryOperator() const {
        for (const BinaryOperator& op : kBinaryOperators) {
            if (IsOperatorWord(op.spelling)) {
                return &op;
            }
        }
        return nullptr;
    }

    // Precedence climbing: the operators that bind at least as tightly as `min_precedence`, each
    // taking as its right operand what binds more tightly than itself (to the left) or as
    // tightly (to the right).
    ExprPtr ParseOperators(int min_precedence) {
        ExprPtr left = ParseOperand(min_precedence);
        for (const BinaryOperator* op = PeekBinaryOperator();
             op != nullptr && op->precedence >= min_precedence; op = PeekBinaryOperator()) {
            const Position pos = Here();
            Next();
            ExprPtr right = ParseOperators(
                op->associativity == Associativity::Left ? op->precedence + 1 : op->precedence);
            left = Binary(op->op, std::move(left), std::move(right), pos);
        }
        return left;
    }

    // A prefix operator with what it applies to, or a postfix expression.
    ExprPtr ParseOperand(int min_precedence) {
        const PrefixOperator* prefix = nullptr;
        for (const PrefixOperator& op : kPrefixOperators) {
            if (IsOperatorWord(op.spelling) && (op.anywhere || op.precedence >= min_precedence)) {
                prefix = &op;
            }
        }
        if (prefix == nullptr) {
            return ParsePostfix();
        }
        DepthGuard guard(*this);
        const Position pos = Here();
        Next();
        ExprPtr operand = ParseOperators(prefix->precedence);
        if (!prefix->changes) {
            return operand;
        }
        auto e = std::make_unique<Expr>();
        e->kind = ExprKind::Unary;
        e->unary_op = prefix->op;
        e->pos = pos;
        e->args.push_back(std::move(operand));
        return e;
    }

    ExprPtr ParsePostfix() {
        ExprPtr e = ParsePrimary();
        while (true) {
            if (IsOperator("(") && (e->kind == ExprKind::Name || e->kind == ExprKind::Member)) {
                Next();
                ExprPtr call = MakeCall(std::move(e));
                ParseArguments(*call, ")");
                ExpectOperator(")");
                e = std::move(call);
            } else if (IsOperator(".") && e->kind != ExprKind::Literal) {
                Next();
                auto m = std::make_unique<Expr>();
                m->kind = ExprKind::Member;
                m->pos = Here();
                m->name = ExpectMemberName();
                m->object = std::move(e);
                e = std::move(m);
            } else {
                return e;
            }
        }
    }

    ExprPtr ParsePrimary() {
        auto e = std::make_unique<Expr>();
        e->pos = Here();
        const Token& t = Peek();
        switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::String:
            e->kind = ExprKind::Literal;
            e->value = t.value;
            Next();
            return e;
        case TokenKind::Identifier:
            e->kind = ExprKind::Name;
            e->name = t.text;
            Next();
            return e;
        case TokenKind::Keyword:
            if (t.keyword == Keyword::True || t.keyword == Keyword::False) {
                e->kind = ExprKind::Literal;
                e->value = Variant::Boolean(t.keyword == Keyword::True);
                Next();
                return e;
            }
            break;
        case TokenKind::Operator:
            if (t.text == "(") {
                Next();
                ExprPtr inner = ParseExpr();
                ExpectOperator(")");
                inner->parenthesized = true;
                return inner;
            }
            break;
        default:
            break;
        }
        Fail(CompileError::ExpectedExpression);
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    std::string module_;
    ErrorReporter& errors_;
    std::size_t errors_count_ = 0;
    int depth_ = 0;
    int single_line_if_ = 0;
};

} // namespace

ModuleAst ParseModule(std::string_view module_name, std::string_view text, ErrorReporter& errors) {
    ScanResult scan = Scan(text);
    if (scan.error.error != CompileError::None) {
        errors.Report(std::string(module_name), scan.error);
        ModuleAst empty;
        empty.name = std::string(module_name);
        return empty;
    }
    return Parser(std::move(scan.tokens), std::string(module_name), errors).ParseModule();
}

ExprPtr ParseExpression(std::string_view text, ErrorReporter& errors) {
    ScanResult scan = Scan(text);
    if (scan.error.error != CompileError::None) {
        errors.Report("", scan.error);
        return nullptr;
    }
    return Parser(std::move(scan.tokens), "", errors).ParseLoneExpression();
}

} // namespace vek::basic
