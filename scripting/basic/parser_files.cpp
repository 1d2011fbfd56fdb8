// The statements of sequential files. Each becomes a call of a built-in file statement (#OpenFile,
// #PrintFile ...), or an assignment from one (Input #, Line Input #), so that the compiler and
// the machine need nothing of their own for them.
#include "scripting/basic/parser.h"
#include "scripting/basic/script_files.h"

namespace vek::basic {

namespace {

// A copy of an expression, for the file number that each variable of Input # reads from.
ExprPtr Clone(const Expr& e) {
    auto copy = std::make_unique<Expr>();
    copy->kind = e.kind;
    copy->pos = e.pos;
    copy->value = e.value;
    copy->name = e.name;
    copy->object = e.object ? Clone(*e.object) : nullptr;
    for (const ExprPtr& arg : e.args) {
        copy->args.push_back(Clone(*arg));
    }
    copy->argNames = e.argNames;
    copy->binaryOp = e.binaryOp;
    copy->unaryOp = e.unaryOp;
    copy->parenthesized = e.parenthesized;
    copy->depth = e.depth;
    return copy;
}

ExprPtr Literal(Variant value, Position pos) {
    auto e = std::make_unique<Expr>();
    e->pos = pos;
    e->value = std::move(value);
    return e;
}

} // namespace

ExprPtr Parser::StatementCall(const char* name, Position pos) const {
    auto callee = std::make_unique<Expr>();
    callee->kind = ExprKind::Name;
    callee->pos = pos;
    callee->name = std::string("#") + name;
    return MakeCall(std::move(callee));
}

ExprPtr Parser::ParseFileNumber() {
    AcceptOperator("#");
    return ParseExpr();
}

StmtPtr Parser::ParseFileStatement(Position pos) {
    // Each word starts a file statement only where it cannot be a variable or a call of the
    // script's own: Open x For, Close #n, Write #n, Input #n, Line Input #n.
    const bool assigned = IsOperator("=", 1) || IsOperator("(", 1);
    if (IsWord("Open") && !assigned) {
        Next();
        return ParseOpen(pos);
    }
    if (IsWord("Close") && !assigned) {
        Next();
        return ParseClose(pos);
    }
    if (IsWord("Write") && IsOperator("#", 1)) {
        Next();
        return ParseWriteFile(pos);
    }
    if (IsWord("Input") && IsOperator("#", 1)) {
        Next();
        return ParseInputFile(pos, false);
    }
    if (IsWord("Line") && IsWord("Input", 1) && IsOperator("#", 2)) {
        Next();
        Next();
        return ParseInputFile(pos, true);
    }
    return nullptr;
}

StmtPtr Parser::ParseOpen(Position pos) {
    ExprPtr call = StatementCall("OpenFile", pos);
    call->args.push_back(ParseExpr());
    ExpectKeyword(Keyword::For, "For");
    static constexpr struct {
        const char* word;
        FileMode mode;
    } kModes[] = {
        {"Input", FileMode::Input}, {"Output", FileMode::Output}, {"Append", FileMode::Append}};
    const Position modePos = Here();
    for (const auto& mode : kModes) {
        if (IsWord(mode.word)) {
            Next();
            call->args.push_back(Literal(Variant::Integer(static_cast<int>(mode.mode)), modePos));
            break;
        }
    }
    if (call->args.size() != 2) {
        Fail(CompileError::Expected, "Input, Output or Append");
    }
    ExpectKeyword(Keyword::As, "As");
    call->args.push_back(ParseFileNumber());
    if (IsWord("Len")) { // the record length of random access, which sequential files ignore
        Next();
        ExpectOperator("=");
        ParseExpr();
    }
    call->argNames.resize(call->args.size());
    ExpectStatementEnd();
    StmtPtr s = NewStmt(StmtKind::Call, pos);
    s->target = std::move(call);
    return s;
}

StmtPtr Parser::ParseClose(Position pos) {
    ExprPtr call = StatementCall("CloseFile", pos);
    while (!AtStatementEnd()) {
        call->args.push_back(ParseFileNumber());
        if (!AcceptOperator(",")) {
            break;
        }
    }
    call->argNames.resize(call->args.size());
    ExpectStatementEnd();
    StmtPtr s = NewStmt(StmtKind::Call, pos);
    s->target = std::move(call);
    return s;
}

StmtPtr Parser::ParsePrintFile(Position pos) {
    // Print #n, items: the items and their separators as Print has them, in one call.
    ExprPtr call = StatementCall("PrintFile", pos);
    call->args.push_back(ParseExpr());
    if (!AtStatementEnd()) {
        ExpectOperator(",");
    }
    for (PrintItem& item : ParsePrintList()) {
        // A move is a pair of its own (n and 3 for Tab, 4 for Spc; Tab alone an empty item and
        // ","), then an empty item carries the separator after it.
        if (item.move == PrintMove::Tab || item.move == PrintMove::Spc) {
            call->args.push_back(std::move(item.expr));
            call->args.push_back(
                Literal(Variant::Integer(item.move == PrintMove::Tab ? 3 : 4), item.at));
        } else if (item.move == PrintMove::NextZone) {
            call->args.push_back(Literal(Variant::String({}), item.at));
            call->args.push_back(Literal(Variant::Integer(2), item.at));
        }
        call->args.push_back(item.expr ? std::move(item.expr)
                                       : Literal(Variant::String({}), item.at));
        const int separator = item.separator == ';' ? 1 : item.separator == ',' ? 2 : 0;
        call->args.push_back(Literal(Variant::Integer(separator), item.at));
    }
    call->argNames.resize(call->args.size());
    StmtPtr s = NewStmt(StmtKind::Call, pos);
    s->target = std::move(call);
    return s;
}

StmtPtr Parser::ParseWriteFile(Position pos) {
    ExprPtr call = StatementCall("WriteFile", pos);
    call->args.push_back(ParseFileNumber());
    if (!AtStatementEnd()) {
        ExpectOperator(",");
        do {
            call->args.push_back(ParseExpr());
        } while (AcceptOperator(","));
    }
    call->argNames.resize(call->args.size());
    ExpectStatementEnd();
    StmtPtr s = NewStmt(StmtKind::Call, pos);
    s->target = std::move(call);
    return s;
}

StmtPtr Parser::ParseInputFile(Position pos, bool wholeLine) {
    // Input #n, a, b reads a field into each variable; Line Input #n, s a line into one.
    ExprPtr number = ParseFileNumber();
    ExpectOperator(",");
    StmtPtr sequence = NewStmt(StmtKind::Sequence, pos);
    do {
        StmtPtr assign = NewStmt(StmtKind::Assign, pos);
        assign->target = ParsePostfix();
        assign->value = StatementCall(wholeLine ? "LineInputFile" : "InputFile", pos);
        assign->value->args.push_back(Clone(*number));
        assign->value->argNames.resize(1);
        sequence->body.push_back(std::move(assign));
    } while (!wholeLine && AcceptOperator(","));
    ExpectStatementEnd();
    return sequence;
}

} // namespace vek::basic
