#include "scripting/basic/const_eval.h"

#include "scripting/basic/builtins.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

namespace {

// Constants are typed, so an operation on them that overflows fails, as it would at run time.
bool Applied(RunError e, CompileMessage& error) {
    if (e != RunError::None) {
        error = {CompileError::ConstantExpressionFails, {}, {RunErrorText(static_cast<int>(e))}};
        return false;
    }
    return true;
}

} // namespace

bool EvaluateConstant(const Expr& expr, ConstantResolver& resolver, Variant& out,
                      CompileMessage& error) {
    switch (expr.kind) {
    case ExprKind::Literal:
        out = expr.value;
        return true;
    case ExprKind::Name: {
        const std::string lower = Lower(expr.name);
        if (resolver.Resolve(lower, out, error)) {
            return true;
        }
        if (error.error == CompileError::None && FindBuiltinConstant(lower, out)) {
            return true;
        }
        if (error.error == CompileError::None) {
            error = {CompileError::NotAConstant, {}, {expr.name}};
        }
        return false;
    }
    case ExprKind::Unary: {
        Variant operand;
        if (!EvaluateConstant(*expr.args[0], resolver, operand, error)) {
            return false;
        }
        return Applied(ApplyUnary(expr.unaryOp, operand, out, Overflow::Fails), error);
    }
    case ExprKind::Binary: {
        Variant left;
        Variant right;
        if (!EvaluateConstant(*expr.args[0], resolver, left, error) ||
            !EvaluateConstant(*expr.args[1], resolver, right, error)) {
            return false;
        }
        return Applied(
            ApplyBinary(expr.binaryOp, left, right, out, Overflow::Fails, resolver.Compare()),
            error);
    }
    default:
        error = {CompileError::ExpectedConstantExpression, {}};
        return false;
    }
}

} // namespace vek::basic
