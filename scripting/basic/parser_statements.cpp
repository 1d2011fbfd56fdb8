// Statements, one parser per kind.
#include "scripting/basic/limits.h"
#include "scripting/basic/parser.h"
#include "scripting/basic/text_util.h"

#include <utility>

namespace vek::basic {

Block Parser::ParseBlock(const std::function<bool()>& atEnd, const char* closer) {
    DepthGuard guard(*this);
    Block block;
    while (true) {
        SkipSeparators();
        if (atEnd()) {
            return block;
        }
        if (Peek().kind == TokenKind::End ||
            (IsKeyword(Keyword::End) &&
             (IsKeyword(Keyword::Sub, 1) || IsKeyword(Keyword::Function, 1)))) {
            Fail(CompileError::Expected, closer);
        }
        if (errorsCount_ >= kMaxErrorsPerModule) {
            Fail(CompileError::TooManyErrors);
        }
        try {
            // Names left by a Next of several names that no enclosing For takes.
            if (nextNamesLeft_) {
                nextNamesLeft_ = false;
                Fail(CompileError::NextWithoutFor);
            }
            block.push_back(ParseStatement());
        } catch (const CompileMessage& failure) {
            if (Peek().kind == TokenKind::End || EndsModule(failure)) {
                throw;
            }
            Report(failure);
            Recover();
        }
    }
}

StmtPtr Parser::ParseStatement() {
    // What a keyword at the start of a statement means: the parser of that statement (called
    // past the keyword), a statement that is the keyword alone, or a keyword that cannot start a
    // statement and the error that says why.
    struct StatementKeyword {
        Keyword keyword;
        StmtPtr (Parser::*parse)(Position);
        StmtKind alone;
        CompileError misplaced;
    };
    static constexpr StatementKeyword kStatements[] = {
        {Keyword::Dim, &Parser::ParseDim, {}, {}},
        {Keyword::Static, &Parser::ParseStatic, {}, {}},
        {Keyword::Const, &Parser::ParseConst, {}, {}},
        {Keyword::ReDim, &Parser::ParseReDim, {}, {}},
        {Keyword::If, &Parser::ParseIf, {}, {}},
        {Keyword::Select, &Parser::ParseSelect, {}, {}},
        {Keyword::For, &Parser::ParseFor, {}, {}},
        {Keyword::Do, &Parser::ParseDo, {}, {}},
        {Keyword::While, &Parser::ParseWhile, {}, {}},
        {Keyword::Exit, &Parser::ParseExit, {}, {}},
        {Keyword::GoTo, &Parser::ParseGoTo, {}, {}},
        {Keyword::GoSub, &Parser::ParseGoTo, {}, {}},
        {Keyword::On, &Parser::ParseOnError, {}, {}},
        {Keyword::Resume, &Parser::ParseResume, {}, {}},
        {Keyword::Print, &Parser::ParsePrint, {}, {}},
        {Keyword::Call, &Parser::ParseCall, {}, {}},
        {Keyword::Let, &Parser::ParseAssignOrCall, {}, {}},
        {Keyword::Set, &Parser::ParseAssignOrCall, {}, {}},
        {Keyword::End, nullptr, StmtKind::End, {}},
        {Keyword::Stop, nullptr, StmtKind::Stop, {}},
        {Keyword::Return, nullptr, StmtKind::Return, {}},
        {Keyword::Next, nullptr, {}, CompileError::NextWithoutFor},
        {Keyword::Loop, nullptr, {}, CompileError::LoopWithoutDo},
        {Keyword::Wend, nullptr, {}, CompileError::WendWithoutWhile},
        {Keyword::Else, nullptr, {}, CompileError::ElseWithoutIf},
        {Keyword::ElseIf, nullptr, {}, CompileError::ElseWithoutIf},
    };
    const Token& t = Peek();
    const Position pos = Here();
    if (t.atLineStart && ((t.kind == TokenKind::Identifier && Peek(1).kind == TokenKind::Colon) ||
                          (t.kind == TokenKind::Number && t.value.IsIntegral()))) {
        return ParseLabel(pos);
    }
    if (IsKeyword(Keyword::End) && (IsWord("With", 1) || IsWord("Type", 1))) {
        Fail(CompileError::EndWithoutBlock, Peek(1).text);
    }
    if (IsOperator(".")) {
        return ParseAssignOrCall(pos); // .member = value inside With
    }
    if (AtBlockHeader("Type")) {
        Fail(CompileError::TypeInProcedure);
    }
    if (IsWord("With") && !IsOperator("=", 1) && !IsOperator("(", 1)) {
        Next();
        return ParseWith(pos);
    }
    if (t.kind == TokenKind::Keyword) {
        for (const StatementKeyword& statement : kStatements) {
            if (statement.keyword != t.keyword) {
                continue;
            }
            if (statement.misplaced != CompileError::None) {
                Fail(statement.misplaced);
            }
            Next();
            if (statement.parse != nullptr) {
                return (this->*statement.parse)(pos);
            }
            ExpectStatementEnd();
            return NewStmt(statement.alone, pos);
        }
        Fail(CompileError::ExpectedStatement);
    }
    // Debug.Print and Debug.Assert; the three tokens go before what follows them is read.
    const bool debugPrint = IsWord("Debug") && IsOperator(".", 1) && IsKeyword(Keyword::Print, 2);
    if (debugPrint || (IsWord("Debug") && IsOperator(".", 1) && IsWord("Assert", 2))) {
        Next();
        Next();
        Next();
        if (debugPrint) {
            StmtPtr s = ParsePrint(pos);
            s->debugPrint = true;
            return s;
        }
        StmtPtr s = NewStmt(StmtKind::Assert, pos);
        s->value = ParseExpr();
        ExpectStatementEnd();
        return s;
    }
    if (t.kind != TokenKind::Identifier) {
        Fail(CompileError::ExpectedStatement);
    }
    if (StmtPtr file = ParseFileStatement(pos)) {
        return file;
    }
    if ((IsWord("LSet") || IsWord("RSet")) && Peek(1).kind == TokenKind::Identifier) {
        return ParseAlignedSet(pos);
    }
    if (IsWord("Erase") && Peek(1).kind == TokenKind::Identifier) {
        Next();
        StmtPtr s = NewStmt(StmtKind::Erase, pos);
        do {
            VarDecl d;
            d.pos = Here();
            d.name = ExpectIdentifier(CompileError::ExpectedVariableName);
            s->decls.push_back(std::move(d));
        } while (AcceptOperator(","));
        ExpectStatementEnd();
        return s;
    }
    return ParseAssignOrCall(pos);
}

StmtPtr Parser::ParseLabel(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Label, pos);
    const bool named = Peek().kind == TokenKind::Identifier;
    s->name = Next().text;
    if (named) {
        Next(); // the colon
    }
    return s;
}

std::string Parser::ParseLabelName() {
    if (Peek().kind == TokenKind::Number || Peek().kind == TokenKind::Identifier) {
        return Next().text;
    }
    Fail(CompileError::ExpectedLabel);
}

StmtPtr Parser::ParseAssignOrCall(Position pos) {
    const std::size_t start = pos_;
    ExprPtr target = ParsePostfix();
    if (AcceptOperator("=")) {
        StmtPtr s = NewStmt(StmtKind::Assign, pos);
        s->value = ParseExpr();
        const bool mid = target->kind == ExprKind::Call && target->object->kind == ExprKind::Name &&
                         EqualsNoCase(target->object->name, "Mid") &&
                         (target->args.size() == 2 || target->args.size() == 3);
        if (mid) {
            // Mid(s, start[, length]) = text: s = (s with text put in at start).
            ExprPtr call = StatementCall("MidStatement", pos);
            s->target = ReparseAt(start + 2, [this] { return ParseExpr(); });
            for (ExprPtr& arg : target->args)
                call->args.push_back(std::move(arg));
            call->args.push_back(std::move(s->value));
            s->value = std::move(call);
        } else {
            s->target = std::move(target);
        }
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
    CheckDepth(*call);
    ExpectStatementEnd();
    s->target = std::move(call);
    return s;
}

StmtPtr Parser::ParseAlignedSet(Position pos) {
    const bool right = IsWord("RSet");
    Next();
    const std::size_t variable = pos_;
    StmtPtr s = NewStmt(StmtKind::Assign, pos);
    s->target = ParsePostfix();
    ExpectOperator("=");
    ExprPtr call = StatementCall(right ? "RSetStatement" : "LSetStatement", pos);
    call->args.push_back(ReparseAt(variable, [this] { return ParsePostfix(); }));
    call->args.push_back(ParseExpr());
    s->value = std::move(call);
    ExpectStatementEnd();
    return s;
}

ExprPtr Parser::ReparseAt(std::size_t at, const std::function<ExprPtr()>& parse) {
    const std::size_t after = pos_;
    pos_ = at;
    ExprPtr copy = parse();
    pos_ = after;
    return copy;
}

StmtPtr Parser::ParseCall(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Call, pos);
    s->target = ParsePostfix();
    if (s->target->kind != ExprKind::Call) {
        s->target = MakeCall(std::move(s->target));
    }
    ExpectStatementEnd();
    return s;
}

StmtPtr Parser::ParseReDim(Position pos) {
    StmtPtr s = NewStmt(StmtKind::ReDim, pos);
    if (IsWord("Preserve")) {
        Next();
        s->preserve = true;
    }
    do {
        VarDecl d;
        d.pos = Here();
        ParseReDimTarget(d);
        d.isArray = true;
        ExpectOperator("(");
        d.bounds = ParseBounds();
        ExpectOperator(")");
        if (AcceptKeyword(Keyword::As)) {
            d.type = ParseTypeName(d.typeName);
        }
        s->decls.push_back(std::move(d));
    } while (AcceptOperator(","));
    ExpectStatementEnd();
    return s;
}

void Parser::ParseReDimTarget(VarDecl& d) {
    const bool member = IsOperator(".") ||
                        (IsOperator(".", 1) || (IsOperator("(", 1) && ParenthesesBeforeMember(1)));
    if (!member) {
        d.name = ExpectIdentifier(CompileError::ExpectedArrayName);
        return;
    }
    // The path up to the bounds' parentheses: a name or a With's ".", then members and indices.
    ExprPtr target;
    if (IsOperator(".")) {
        Next();
        target = ParseMember(nullptr);
    } else {
        target = ParsePrimary();
        if (target->kind != ExprKind::Name) {
            Fail(CompileError::ExpectedArrayName);
        }
    }
    while (true) {
        if (IsOperator(".")) {
            Next();
            target = ParseMember(std::move(target));
        } else if (IsOperator("(") && ParenthesesBeforeMember(0)) {
            target = ParseParenthesizedCall(std::move(target));
        } else {
            break;
        }
    }
    if (target->kind != ExprKind::Member) {
        Fail(CompileError::ExpectedArrayName);
    }
    d.name = target->name;
    d.target = std::move(target);
}

bool Parser::ParenthesesBeforeMember(std::size_t ahead) const {
    int open = 0;
    for (std::size_t i = ahead;; ++i) {
        const Token& t = Peek(i);
        if (t.kind == TokenKind::Newline || t.kind == TokenKind::End ||
            t.kind == TokenKind::Colon) {
            return false;
        }
        if (IsOperator("(", i)) {
            ++open;
        } else if (IsOperator(")", i) && --open == 0) {
            return IsOperator(".", i + 1);
        }
    }
}

StmtPtr Parser::ParseWith(Position pos) {
    StmtPtr s = NewStmt(StmtKind::With, pos);
    s->value = ParseExpr();
    ExpectStatementEnd();
    s->body = ParseBlock([&] { return IsKeyword(Keyword::End) && IsWord("With", 1); }, "End With");
    ParseEndOfBlock();
    return s;
}

StmtPtr Parser::ParseIf(Position pos) {
    StmtPtr s = NewStmt(StmtKind::If, pos);
    s->conditions.push_back(ParseExpr());
    ExpectKeyword(Keyword::Then, "Then");
    if (Peek().kind != TokenKind::Newline && Peek().kind != TokenKind::End) {
        ParseSingleLineIf(*s);
        return s;
    }
    auto atBranchEnd = [&] {
        return IsKeyword(Keyword::ElseIf) || IsKeyword(Keyword::Else) ||
               (IsKeyword(Keyword::End) && IsKeyword(Keyword::If, 1));
    };
    s->blocks.push_back(ParseBlock(atBranchEnd, "End If"));
    while (AcceptKeyword(Keyword::ElseIf)) {
        s->conditions.push_back(ParseExpr());
        ExpectKeyword(Keyword::Then, "Then");
        s->blocks.push_back(ParseBlock(atBranchEnd, "End If"));
    }
    if (AcceptKeyword(Keyword::Else)) {
        s->hasElse = true;
        s->elseBlock = ParseBlock(
            [&] { return IsKeyword(Keyword::End) && IsKeyword(Keyword::If, 1); }, "End If");
    }
    ParseEndOfBlock();
    return s;
}

void Parser::ParseSingleLineIf(Stmt& s) {
    DepthGuard guard(*this);
    s.singleLine = true;
    ++singleLineIf_;
    struct Leave {
        int& count;
        ~Leave() { --count; }
    } leave{singleLineIf_};
    auto parsePart = [&](Block& block) {
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
    parsePart(s.blocks.back());
    if (AcceptKeyword(Keyword::Else)) {
        s.hasElse = true;
        parsePart(s.elseBlock);
    }
}

StmtPtr Parser::ParseSelect(Position pos) {
    ExpectKeyword(Keyword::Case, "Case");
    StmtPtr s = NewStmt(StmtKind::Select, pos);
    s->value = ParseExpr();
    ExpectStatementEnd();
    SkipSeparators();
    auto atCaseEnd = [&] {
        return IsKeyword(Keyword::Case) ||
               (IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1));
    };
    while (!(IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1))) {
        CaseClause clause;
        clause.pos = Here();
        ExpectKeyword(Keyword::Case, "Case or End Select");
        if (AcceptKeyword(Keyword::Else)) {
            clause.body =
                ParseBlock([&] { return IsKeyword(Keyword::End) && IsKeyword(Keyword::Select, 1); },
                           "End Select");
            s->cases.push_back(std::move(clause));
            break;
        }
        do {
            clause.items.push_back(ParseCaseItem());
        } while (AcceptOperator(","));
        ExpectStatementEnd();
        clause.body = ParseBlock(atCaseEnd, "End Select");
        s->cases.push_back(std::move(clause));
    }
    ParseEndOfBlock();
    return s;
}

CaseItem Parser::ParseCaseItem() {
    CaseItem item;
    if (AcceptKeyword(Keyword::Is)) {
        item.test = CaseTest::Is;
        item.compare = ParseComparisonOperator();
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

StmtPtr Parser::ParseFor(Position pos) {
    StmtPtr s;
    if (AcceptKeyword(Keyword::Each)) {
        s = NewStmt(StmtKind::ForEach, pos);
        s->name = ExpectIdentifier(CompileError::ExpectedVariableName);
        ExpectKeyword(Keyword::In, "In");
        s->value = ParseExpr();
    } else {
        s = NewStmt(StmtKind::For, pos);
        s->name = ExpectIdentifier(CompileError::ExpectedVariableName);
        ExpectOperator("=");
        s->value = ParseExpr();
        ExpectKeyword(Keyword::To, "To");
        s->limit = ParseExpr();
        if (IsWord("Step")) {
            Next();
            s->step = ParseExpr();
        }
    }
    ExpectStatementEnd();
    s->body = ParseBlock([&] { return nextNamesLeft_ || IsKeyword(Keyword::Next); }, "Next");
    s->endPos = Here();
    if (nextNamesLeft_) {
        nextNamesLeft_ = false;
        if (Peek().kind != TokenKind::Identifier) {
            Fail(CompileError::ExpectedNextName, s->name);
        }
    } else {
        Next();
    }
    ParseNextName(s->name);
    return s;
}

void Parser::ParseNextName(const std::string& name) {
    if (Peek().kind == TokenKind::Identifier) {
        if (!EqualsNoCase(Peek().text, name)) {
            Fail(CompileError::ExpectedNextName, name);
        }
        Next();
        // Next j, i: the loops close innermost first, each by its own name.
        if (AcceptOperator(",")) {
            nextNamesLeft_ = true;
            return;
        }
    }
    ExpectStatementEnd();
}

StmtPtr Parser::ParseDo(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Do, pos);
    ParseLoopCondition(*s);
    ExpectStatementEnd();
    s->body = ParseBlock([&] { return IsKeyword(Keyword::Loop); }, "Loop");
    s->endPos = Here();
    Next();
    if (IsKeyword(Keyword::While) || IsKeyword(Keyword::Until)) {
        if (s->condition) {
            Fail(CompileError::OneDoCondition);
        }
        s->testAtEnd = true;
        ParseLoopCondition(*s);
    }
    ExpectStatementEnd();
    return s;
}

void Parser::ParseLoopCondition(Stmt& s) {
    if (IsKeyword(Keyword::While) || IsKeyword(Keyword::Until)) {
        s.until = IsKeyword(Keyword::Until);
        Next();
        s.condition = ParseExpr();
    }
}

StmtPtr Parser::ParseWhile(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Do, pos);
    s->condition = ParseExpr();
    ExpectStatementEnd();
    s->body = ParseBlock([&] { return IsKeyword(Keyword::Wend); }, "Wend");
    s->endPos = Here();
    Next();
    ExpectStatementEnd();
    return s;
}

StmtPtr Parser::ParseExit(Position pos) {
    static constexpr std::pair<Keyword, ExitKind> kExits[] = {
        {Keyword::Sub, ExitKind::Sub},
        {Keyword::Function, ExitKind::Function},
        {Keyword::For, ExitKind::For},
        {Keyword::Do, ExitKind::Do}};
    for (const auto& [keyword, kind] : kExits) {
        if (AcceptKeyword(keyword)) {
            StmtPtr s = NewStmt(StmtKind::Exit, pos);
            s->exitKind = kind;
            ExpectStatementEnd();
            return s;
        }
    }
    Fail(CompileError::ExpectedExitKind);
}

StmtPtr Parser::ParseStatic(Position pos) {
    StmtPtr s = ParseDim(pos);
    s->isStatic = true;
    return s;
}

// GoTo and GoSub: the keyword before the label says which.
StmtPtr Parser::ParseGoTo(Position pos) {
    const bool gosub = tokens_[pos_ - 1].keyword == Keyword::GoSub;
    StmtPtr s = NewStmt(gosub ? StmtKind::GoSub : StmtKind::GoTo, pos);
    s->name = ParseLabelName();
    ExpectStatementEnd();
    return s;
}

StmtPtr Parser::ParseOnError(Position pos) {
    if (!IsWord("Error")) {
        return ParseOnJump(pos);
    }
    Next();
    StmtPtr s = NewStmt(StmtKind::OnError, pos);
    if (AcceptKeyword(Keyword::Resume)) {
        ExpectKeyword(Keyword::Next, "Next");
        s->errorMode = OnErrorMode::ResumeNext;
    } else {
        ExpectKeyword(Keyword::GoTo, "GoTo or Resume Next");
        s->errorMode = AcceptZero() ? OnErrorMode::GoToZero : OnErrorMode::GoToLabel;
        if (s->errorMode == OnErrorMode::GoToLabel) {
            s->name = ParseLabelName();
        }
    }
    ExpectStatementEnd();
    return s;
}

// On n GoTo a, b, c and On n GoSub a, b, c: the n-th label, none when n is 0 or past the list.
StmtPtr Parser::ParseOnJump(Position pos) {
    StmtPtr s = NewStmt(StmtKind::OnJump, pos);
    s->value = ParseExpr();
    const bool gosub = AcceptKeyword(Keyword::GoSub);
    if (!gosub)
        ExpectKeyword(Keyword::GoTo, "GoTo, GoSub or Error");
    do {
        StmtPtr jump = NewStmt(gosub ? StmtKind::GoSub : StmtKind::GoTo, Here());
        jump->name = ParseLabelName();
        s->body.push_back(std::move(jump));
    } while (AcceptOperator(","));
    ExpectStatementEnd();
    return s;
}

StmtPtr Parser::ParseResume(Position pos) {
    StmtPtr s = NewStmt(StmtKind::Resume, pos);
    if (AcceptKeyword(Keyword::Next)) {
        s->resumeMode = ResumeMode::Next;
    } else if (AtStatementEnd() || AcceptZero()) {
        s->resumeMode = ResumeMode::Again;
    } else {
        s->resumeMode = ResumeMode::Label;
        s->name = ParseLabelName();
    }
    ExpectStatementEnd();
    return s;
}

bool Parser::AcceptZero() {
    if (Peek().kind == TokenKind::Number && Peek().text == "0") {
        Next();
        return true;
    }
    return false;
}

StmtPtr Parser::ParsePrint(Position pos) {
    if (AcceptOperator("#")) {
        return ParsePrintFile(pos);
    }
    StmtPtr s = NewStmt(StmtKind::Print, pos);
    for (PrintItem& item : ParsePrintList()) {
        s->printItems.push_back(std::move(item.expr));
        s->printSeparators.push_back(item.separator);
        s->printMoves.push_back(item.move);
    }
    return s;
}

std::vector<Parser::PrintItem> Parser::ParsePrintList() {
    std::vector<PrintItem> items;
    while (!AtStatementEnd()) {
        PrintItem item;
        item.at = Here();
        if (!IsOperator(";") && !IsOperator(","))
            item.expr = ParseExpr();
        // Tab and Spc are words of the print list, as in VBA, where they are reserved.
        if (item.expr && item.expr->kind == ExprKind::Name &&
            EqualsNoCase(item.expr->name, "Tab")) {
            item.move = PrintMove::NextZone;
            item.expr = nullptr;
        } else if (item.expr && item.expr->kind == ExprKind::Call &&
                   item.expr->object->kind == ExprKind::Name && item.expr->args.size() == 1 &&
                   (EqualsNoCase(item.expr->object->name, "Tab") ||
                    EqualsNoCase(item.expr->object->name, "Spc"))) {
            item.move =
                EqualsNoCase(item.expr->object->name, "Tab") ? PrintMove::Tab : PrintMove::Spc;
            item.expr = std::move(item.expr->args[0]);
        }
        if (IsOperator(";") || IsOperator(",")) {
            item.separator = Next().text[0];
        } else if (!AtStatementEnd()) {
            Fail(CompileError::ExpectedPrintSeparator);
        }
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace vek::basic
