#include "scripting/basic/parser.h"

#include "scripting/basic/limits.h"
#include "scripting/basic/text_util.h"

#include <string>
#include <utility>

namespace vek::basic {

Parser::DepthGuard::DepthGuard(Parser& parser) : parser_(parser) {
    if (++parser_.depth_ > kMaxParseDepth) {
        --parser_.depth_;
        parser_.Fail(CompileError::NestingTooDeep);
    }
}

bool Parser::IsWord(std::string_view word, std::size_t ahead) const {
    return Peek(ahead).kind == TokenKind::Identifier && EqualsNoCase(Peek(ahead).text, word);
}

ModuleAst Parser::ParseModule() {
    ModuleAst ast;
    ast.name = module_;
    while (true) {
        SkipSeparators();
        if (Peek().kind == TokenKind::End) {
            break;
        }
        try {
            if (errorsCount_ >= kMaxErrorsPerModule) {
                Fail(CompileError::TooManyErrors);
            }
            ParseModuleItem(ast);
        } catch (const CompileMessage& failure) {
            Report(failure);
            if (EndsModule(failure)) {
                break;
            }
            Recover();
        }
    }
    return ast;
}

ExprPtr Parser::ParseLoneExpression() {
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

bool Parser::AcceptKeyword(Keyword k) {
    if (IsKeyword(k)) {
        Next();
        return true;
    }
    return false;
}

bool Parser::AcceptOperator(std::string_view op) {
    if (IsOperator(op)) {
        Next();
        return true;
    }
    return false;
}

void Parser::ExpectKeyword(Keyword k, const char* what) {
    if (!AcceptKeyword(k)) {
        Fail(CompileError::Expected, what);
    }
}

void Parser::ExpectOperator(std::string_view op) {
    if (!AcceptOperator(op)) {
        Fail(CompileError::ExpectedOperator, std::string(op));
    }
}

std::string Parser::ExpectIdentifier(CompileError missing) {
    if (Peek().kind != TokenKind::Identifier) {
        Fail(missing);
    }
    return Next().text;
}

bool Parser::AtStatementEnd() const {
    const TokenKind k = Peek().kind;
    return k == TokenKind::Newline || k == TokenKind::Colon || k == TokenKind::End ||
           (singleLineIf_ > 0 && IsKeyword(Keyword::Else));
}

void Parser::ExpectStatementEnd() {
    if (!AtStatementEnd()) {
        Fail(CompileError::ExpectedEndOfStatement);
    }
}

void Parser::SkipSeparators() {
    while (Peek().kind == TokenKind::Newline || Peek().kind == TokenKind::Colon) {
        Next();
    }
}

void Parser::Fail(CompileError error, std::string arg) const {
    throw CompileMessage(error, Here(), std::move(arg));
}

void Parser::Report(const CompileMessage& failure) {
    if (!errors_.ReportedAt(module_, failure.pos)) {
        errors_.Report(module_, failure);
        ++errorsCount_;
    }
}

bool Parser::EndsModule(const CompileMessage& failure) {
    return failure.error == CompileError::NestingTooDeep ||
           failure.error == CompileError::TooManyErrors;
}

void Parser::ParseEndOfBlock() {
    Next();
    Next();
    ExpectStatementEnd();
}

void Parser::Recover() {
    while (Peek().kind != TokenKind::Newline && Peek().kind != TokenKind::End) {
        Next();
    }
}

void Parser::ParseModuleItem(ModuleAst& ast) {
    if (AcceptKeyword(Keyword::Option)) {
        ParseOption(ast);
        ExpectStatementEnd();
        return;
    }
    if (IsWord("Attribute")) {
        Recover(); // attribute lines of exported modules carry nothing for the engine
        return;
    }
    bool isPublic = true;
    bool hasScope = false;
    if (AcceptKeyword(Keyword::Public)) {
        hasScope = true;
    } else if (AcceptKeyword(Keyword::Private)) {
        isPublic = false;
        hasScope = true;
    }
    // Static Sub / Static Function: every local keeps its value from call to call.
    const bool isStatic = IsKeyword(Keyword::Static) &&
                          (IsKeyword(Keyword::Sub, 1) || IsKeyword(Keyword::Function, 1));
    if (isStatic) {
        Next();
    }
    if (IsKeyword(Keyword::Sub) || IsKeyword(Keyword::Function)) {
        ast.procs.push_back(ParseProc(isPublic));
        ast.procs.back().isStatic = isStatic;
        return;
    }
    if (AtBlockHeader("Type")) {
        ast.types.push_back(ParseType(isPublic));
        return;
    }
    StmtPtr declaration;
    if (AtBlockHeader("Enum")) {
        declaration = ParseEnum(ast);
    } else if (AcceptKeyword(Keyword::Const)) {
        declaration = ParseConst(Here());
    } else if (AcceptKeyword(Keyword::Dim) || hasScope) {
        declaration = ParseDim(Here());
    } else {
        Fail(CompileError::ExpectedDeclaration);
    }
    declaration->isPublic = hasScope && isPublic;
    ast.declarations.push_back(std::move(declaration));
}

ProcDecl Parser::ParseProc(bool isPublic) {
    ProcDecl proc;
    proc.isPublic = isPublic;
    proc.isFunction = IsKeyword(Keyword::Function);
    proc.pos = Here();
    Next();
    proc.name = ExpectIdentifier(CompileError::ExpectedProcedureName);
    if (proc.isFunction) {
        proc.returnType = tokens_[pos_ - 1].typeSuffix;
    }
    if (AcceptOperator("(")) {
        if (!IsOperator(")")) {
            do {
                // A ParamArray takes every argument left: it is the last parameter.
                if (!proc.params.empty() && proc.params.back().paramArray) {
                    Fail(CompileError::ExpectedOperator, ")");
                }
                proc.params.push_back(ParseParam());
            } while (AcceptOperator(","));
        }
        ExpectOperator(")");
    }
    if (proc.isFunction && AcceptKeyword(Keyword::As)) {
        proc.returnType = ParseTypeName(proc.returnTypeName);
        if (AcceptOperator("(")) {
            ExpectOperator(")");
            proc.returnsArray = true;
        }
    }
    ExpectStatementEnd();
    const Keyword closer = proc.isFunction ? Keyword::Function : Keyword::Sub;
    proc.body = ParseBlock([&] { return IsKeyword(Keyword::End) && IsKeyword(closer, 1); },
                           proc.isFunction ? "End Function" : "End Sub");
    proc.endLine = Peek().line;
    ParseEndOfBlock();
    return proc;
}

Param Parser::ParseParam() {
    Param p;
    if (IsWord("ParamArray") && Peek(1).kind == TokenKind::Identifier) {
        Next();
        p.paramArray = true;
        p.byRef = false;
        p.pos = Here();
        p.name = ExpectIdentifier(CompileError::ExpectedParameterName);
        ExpectOperator("(");
        ExpectOperator(")");
        p.isArray = true;
        if (AcceptKeyword(Keyword::As)) {
            p.type = ParseTypeName(p.typeName);
        }
        return p;
    }
    p.optional = AcceptKeyword(Keyword::Optional);
    if (AcceptKeyword(Keyword::ByVal)) {
        p.byRef = false;
    } else {
        AcceptKeyword(Keyword::ByRef);
    }
    p.pos = Here();
    p.name = ExpectIdentifier(CompileError::ExpectedParameterName);
    p.type = tokens_[pos_ - 1].typeSuffix;
    if (AcceptOperator("(")) {
        ExpectOperator(")");
        p.isArray = true;
    }
    if (AcceptKeyword(Keyword::As)) {
        p.type = ParseTypeName(p.typeName);
    }
    if (AcceptOperator("=")) {
        if (!p.optional) {
            Fail(CompileError::ExpectedOptionalBeforeDefault);
        }
        p.defaultValue = ParseExpr();
    }
    return p;
}

Tag Parser::ParseTypeName(std::string& typeName) {
    if (Peek().kind != TokenKind::Identifier) {
        Fail(CompileError::ExpectedType);
    }
    Tag tag = Tag::Record;
    if (!KindDeclaredAs(Peek().text, tag)) {
        typeName = Peek().text;
    }
    Next();
    if (tag == Tag::String && IsOperator("*")) {
        Fail(CompileError::FixedLengthStringsNotSupported);
    }
    return tag;
}

Tag Parser::ParseKindName() {
    std::string typeName;
    const Position at = Here();
    const Tag tag = ParseTypeName(typeName);
    if (tag == Tag::Record) {
        throw CompileMessage(CompileError::ExpectedType, at);
    }
    return tag;
}

bool Parser::AtBlockHeader(std::string_view word) const {
    const TokenKind after = Peek(2).kind;
    return IsWord(word) && Peek(1).kind == TokenKind::Identifier &&
           (after == TokenKind::Newline || after == TokenKind::Colon || after == TokenKind::End);
}

TypeDecl Parser::ParseType(bool isPublic) {
    TypeDecl type;
    type.isPublic = isPublic;
    Next();
    type.pos = Here();
    type.name = Next().text;
    if (Tag kind{}; KindDeclaredAs(type.name, kind)) {
        throw CompileMessage(CompileError::Expected, type.pos, "a name for the type");
    }
    ExpectStatementEnd();
    ParseMemberLines("Type", [&] { type.members.push_back(ParseVarDecl(true)); });
    return type;
}

void Parser::ParseMemberLines(std::string_view word, const std::function<void()>& member) {
    while (true) {
        SkipSeparators();
        if (IsKeyword(Keyword::End) && IsWord(word, 1)) {
            break;
        }
        if (Peek().kind == TokenKind::End || IsKeyword(Keyword::Sub) ||
            IsKeyword(Keyword::Function) || IsKeyword(Keyword::End)) {
            Fail(CompileError::Expected, "End " + std::string(word));
        }
        // One member per line; a wrong one is reported and the next line read as a member.
        try {
            member();
            ExpectStatementEnd();
        } catch (const CompileMessage& failure) {
            Report(failure);
            Recover();
        }
    }
    ParseEndOfBlock();
}

StmtPtr Parser::ParseEnum(ModuleAst& ast) {
    StmtPtr s = NewStmt(StmtKind::Const, Here());
    Next();
    ast.enums.push_back(ExpectIdentifier(CompileError::ExpectedConstantName));
    ExpectStatementEnd();
    ParseMemberLines("Enum", [&] {
        VarDecl d;
        d.pos = Here();
        d.name = ExpectIdentifier(CompileError::ExpectedConstantName);
        d.type = Tag::Long;
        d.value = AcceptOperator("=") ? ParseExpr() : NextEnumValue(*s, d.pos);
        s->decls.push_back(std::move(d));
    });
    return s;
}

ExprPtr Parser::NextEnumValue(const Stmt& members, Position pos) {
    auto literal = std::make_unique<Expr>();
    literal->pos = pos;
    literal->value = Variant::Long(members.decls.empty() ? 0 : 1);
    if (members.decls.empty()) {
        return literal;
    }
    auto previous = std::make_unique<Expr>();
    previous->kind = ExprKind::Name;
    previous->pos = pos;
    previous->name = members.decls.back().name;
    auto sum = std::make_unique<Expr>();
    sum->kind = ExprKind::Binary;
    sum->pos = pos;
    sum->binaryOp = BinaryOp::Add;
    sum->depth = 2;
    sum->args.push_back(std::move(previous));
    sum->args.push_back(std::move(literal));
    return sum;
}

VarDecl Parser::ParseVarDecl(bool allowBounds) {
    VarDecl d;
    d.pos = Here();
    d.name = ExpectIdentifier(CompileError::ExpectedVariableName);
    d.type = tokens_[pos_ - 1].typeSuffix;
    if (AcceptOperator("(")) {
        d.isArray = true;
        if (!IsOperator(")")) {
            if (!allowBounds) {
                Fail(CompileError::ExpectedOperator, ")");
            }
            d.bounds = ParseBounds();
        }
        ExpectOperator(")");
    }
    if (AcceptKeyword(Keyword::As)) {
        d.type = ParseTypeName(d.typeName);
    }
    return d;
}

void Parser::ParseOption(ModuleAst& ast) {
    if (IsWord("Explicit")) {
        Next();
        ast.optionExplicit = true;
    } else if (IsWord("Base")) {
        Next();
        const Token& base = Peek();
        if (base.kind != TokenKind::Number || !base.value.IsIntegral() ||
            (base.value.IntValue() != 0 && base.value.IntValue() != 1)) {
            Fail(CompileError::Expected, "0 or 1");
        }
        optionBase_ = static_cast<int>(Next().value.IntValue());
        ast.arrayBase = optionBase_;
    } else if (IsWord("Compare")) {
        Next();
        if (!IsWord("Binary") && !IsWord("Text")) {
            Fail(CompileError::Expected, "Binary or Text");
        }
        ast.textCompare = IsWord("Text");
        Next();
    } else {
        Fail(CompileError::Expected, "Explicit, Base or Compare");
    }
}

std::vector<Bound> Parser::ParseBounds() {
    std::vector<Bound> bounds;
    do {
        Bound b;
        const Position at = Here();
        b.upper = ParseExpr();
        if (AcceptKeyword(Keyword::To)) {
            b.lower = std::move(b.upper);
            b.upper = ParseExpr();
        } else if (optionBase_ != 0) {
            b.lower = std::make_unique<Expr>();
            b.lower->pos = at;
            b.lower->value = Variant::Integer(optionBase_);
        }
        bounds.push_back(std::move(b));
    } while (AcceptOperator(","));
    if (bounds.size() > static_cast<std::size_t>(kMaxArrayDims)) {
        Fail(CompileError::TooManyDimensions);
    }
    return bounds;
}

StmtPtr Parser::NewStmt(StmtKind kind, Position pos) {
    auto s = std::make_unique<Stmt>();
    s->kind = kind;
    s->pos = pos;
    return s;
}

StmtPtr Parser::ParseDim(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Dim, pos);
    do {
        s->decls.push_back(ParseVarDecl(true));
    } while (AcceptOperator(","));
    ExpectStatementEnd();
    return s;
}

StmtPtr Parser::ParseConst(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Const, pos);
    do {
        VarDecl d;
        d.pos = Here();
        // A generated module's constants are named as the description names its items.
        d.name = kind_ == ModuleText::Generated && Peek().kind == TokenKind::Keyword
                     ? Next().text
                     : ExpectIdentifier(CompileError::ExpectedConstantName);
        d.type = tokens_[pos_ - 1].typeSuffix;
        if (AcceptKeyword(Keyword::As)) {
            d.type = ParseKindName();
        }
        ExpectOperator("=");
        d.value = ParseExpr();
        s->decls.push_back(std::move(d));
    } while (AcceptOperator(","));
    ExpectStatementEnd();
    return s;
}

ModuleAst ParseModule(std::string_view moduleName, std::string_view text, ErrorReporter& errors,
                      ModuleText kind) {
    ScanResult scan = Scan(text, kind);
    if (scan.error.error != CompileError::None) {
        errors.Report(std::string(moduleName), scan.error);
        ModuleAst empty;
        empty.name = std::string(moduleName);
        return empty;
    }
    return Parser(std::move(scan.tokens), std::string(moduleName), errors, kind).ParseModule();
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
