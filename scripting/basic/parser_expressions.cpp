// Expressions: operators by the precedence table, operands, calls and arguments.
#include "scripting/basic/limits.h"
#include "scripting/basic/parser.h"
#include "scripting/basic/text_util.h"

#include <algorithm>

namespace vek::basic {

namespace {

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
    {"Imp", 1, Associativity::Left, BinaryOp::Imp},
    {"Eqv", 2, Associativity::Left, BinaryOp::Eqv},
    {"Xor", 3, Associativity::Left, BinaryOp::Xor},
    {"Or", 4, Associativity::Left, BinaryOp::Or},
    {"And", 5, Associativity::Left, BinaryOp::And},
    // 6: Not
    {"=", 7, Associativity::Left, BinaryOp::Eq},
    {"<>", 7, Associativity::Left, BinaryOp::Ne},
    {"<", 7, Associativity::Left, BinaryOp::Lt},
    {"<=", 7, Associativity::Left, BinaryOp::Le},
    {">", 7, Associativity::Left, BinaryOp::Gt},
    {">=", 7, Associativity::Left, BinaryOp::Ge},
    {"Like", 7, Associativity::Left, BinaryOp::Like},
    {"&", 8, Associativity::Left, BinaryOp::Concat},
    {"+", 9, Associativity::Left, BinaryOp::Add},
    {"-", 9, Associativity::Left, BinaryOp::Sub},
    {"Mod", 10, Associativity::Left, BinaryOp::Mod},
    {"\\", 11, Associativity::Left, BinaryOp::IntDiv},
    {"*", 12, Associativity::Left, BinaryOp::Mul},
    {"/", 12, Associativity::Left, BinaryOp::Div},
    // 13: unary minus, so -2 ^ 2 is -4
    {"^", 14, Associativity::Left, BinaryOp::Pow},
};

// Prefix operators on the same scale: what follows one binds at least as tightly as it. As in
// VBA, any of them may start any operand (2 ^ -1, "b: " & Not b), so 1 + Not 2 And 3 is
// (1 + (Not 2)) And 3. A unary plus changes nothing.
struct PrefixOperator {
    const char* spelling;
    int precedence;
    bool changes;
    UnaryOp op;
};
constexpr PrefixOperator kPrefixOperators[] = {
    {"Not", 6, true, UnaryOp::Not},
    {"-", 13, true, UnaryOp::Negate},
    {"+", 13, false, UnaryOp::Negate},
};

// Whether the token is the operator written so: symbols exactly, words in any case. Like is no
// reserved word (a variable may be named so); where an operator is expected, it is one.
bool Spells(const Token& t, std::string_view spelling) {
    return (t.kind == TokenKind::Operator && t.text == spelling) ||
           ((t.kind == TokenKind::Keyword || t.kind == TokenKind::Identifier) &&
            EqualsNoCase(t.text, spelling));
}

const BinaryOperator* BinaryOperatorAt(const Token& t) {
    for (const BinaryOperator& op : kBinaryOperators) {
        if (Spells(t, op.spelling)) {
            return &op;
        }
    }
    return nullptr;
}

ExprPtr NewExpr(ExprKind kind, Position pos) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->pos = pos;
    return e;
}

} // namespace

ExprPtr Parser::ParseExpr() {
    DepthGuard guard(*this);
    return ParseOperators(kLoosestPrecedence);
}

ExprPtr Parser::ParseOperators(int minPrecedence) {
    ExprPtr left = ParseOperand();
    for (const BinaryOperator* op = BinaryOperatorAt(Peek());
         op != nullptr && op->precedence >= minPrecedence; op = BinaryOperatorAt(Peek())) {
        ExprPtr binary = NewExpr(ExprKind::Binary, Here());
        Next();
        binary->binaryOp = op->op;
        binary->args.push_back(std::move(left));
        binary->args.push_back(ParseOperators(
            op->associativity == Associativity::Left ? op->precedence + 1 : op->precedence));
        CheckDepth(*binary);
        left = std::move(binary);
    }
    return left;
}

ExprPtr Parser::ParseOperand() {
    const PrefixOperator* prefix = nullptr;
    for (const PrefixOperator& op : kPrefixOperators) {
        if (Spells(Peek(), op.spelling)) {
            prefix = &op;
        }
    }
    if (prefix == nullptr) {
        return ParsePostfix();
    }
    DepthGuard guard(*this);
    ExprPtr unary = NewExpr(ExprKind::Unary, Here());
    Next();
    ExprPtr operand = ParseOperators(prefix->precedence);
    if (!prefix->changes) {
        return operand;
    }
    unary->unaryOp = prefix->op;
    unary->args.push_back(std::move(operand));
    CheckDepth(*unary);
    return unary;
}

BinaryOp Parser::ParseComparisonOperator() {
    const BinaryOperator* op = BinaryOperatorAt(Peek());
    if (op == nullptr || !IsComparison(op->op)) {
        Fail(CompileError::ExpectedComparisonAfterIs);
    }
    Next();
    return op->op;
}

ExprPtr Parser::ParsePostfix() {
    ExprPtr e = ParsePrimary();
    while (true) {
        // A call's result may be indexed at once: Split(s, "=")(1).
        if (IsOperator("(") && (e->kind == ExprKind::Name || e->kind == ExprKind::Member ||
                                e->kind == ExprKind::Call)) {
            e = ParseParenthesizedCall(std::move(e));
        } else if (IsOperator(".") && !Peek().spaceBefore && e->kind != ExprKind::Literal) {
            Next();
            e = ParseMember(std::move(e));
        } else {
            return e;
        }
    }
}

ExprPtr Parser::ParsePrimary() {
    const Token& t = Peek();
    switch (t.kind) {
    case TokenKind::Number:
    case TokenKind::String: {
        ExprPtr e = NewExpr(ExprKind::Literal, Here());
        e->value = Next().value;
        return e;
    }
    case TokenKind::Identifier: {
        ExprPtr e = NewExpr(ExprKind::Name, Here());
        e->name = Next().text;
        return e;
    }
    case TokenKind::Keyword:
        if (t.keyword == Keyword::True || t.keyword == Keyword::False) {
            ExprPtr e = NewExpr(ExprKind::Literal, Here());
            e->value = Variant::Boolean(Next().keyword == Keyword::True);
            return e;
        }
        break;
    case TokenKind::Operator:
        if (t.text == ".") {
            Next();
            return ParseMember(nullptr); // .member of the object of a With
        }
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

ExprPtr Parser::ParseParenthesizedCall(ExprPtr callee) {
    Next(); // the "("
    ExprPtr call = MakeCall(std::move(callee));
    ParseArguments(*call, ")");
    ExpectOperator(")");
    CheckDepth(*call);
    return call;
}

ExprPtr Parser::MakeCall(ExprPtr callee) {
    ExprPtr call = NewExpr(ExprKind::Call, callee->pos);
    call->depth = callee->depth + 1;
    call->object = std::move(callee);
    return call;
}

void Parser::CheckDepth(Expr& e) const {
    int deepest = e.object ? e.object->depth : 0;
    for (const ExprPtr& part : e.args) {
        deepest = std::max(deepest, part->depth);
    }
    e.depth = deepest + 1;
    if (e.depth > kMaxExpressionDepth) {
        Fail(CompileError::ExpressionTooComplex);
    }
}

ExprPtr Parser::ParseMember(ExprPtr object) {
    ExprPtr member = NewExpr(ExprKind::Member, Here());
    if (Peek().kind != TokenKind::Identifier && Peek().kind != TokenKind::Keyword) {
        Fail(CompileError::ExpectedMemberName);
    }
    member->name = Next().text;
    member->object = std::move(object);
    CheckDepth(*member);
    return member;
}

ExprPtr Parser::ParseNamePath() {
    ExprPtr e = NewExpr(ExprKind::Name, Here());
    e->name = ExpectIdentifier(CompileError::ExpectedName);
    while (IsOperator(".") && !Peek().spaceBefore) {
        Next();
        e = ParseMember(std::move(e));
    }
    return e;
}

void Parser::ParseArguments(Expr& call, std::string_view closer) {
    auto atClose = [&] { return closer.empty() ? AtStatementEnd() : IsOperator(closer); };
    if (atClose()) {
        return;
    }
    while (true) {
        std::string name;
        if (Peek().kind == TokenKind::Identifier && IsOperator(":=", 1)) {
            name = Next().text;
            Next();
        }
        if (IsOperator(",") || atClose()) {
            call.args.push_back(NewExpr(ExprKind::Missing, Here()));
        } else {
            call.args.push_back(ParseExpr());
        }
        call.argNames.push_back(name);
        if (!AcceptOperator(",")) {
            break;
        }
    }
}

} // namespace vek::basic
