#include "scripting/basic/const_eval.h"

#include "scripting/basic/builtins.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

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
        if (ApplyUnary(expr.unaryOp, operand, out) != RunError::None) {
            error = {CompileError::ConstantHasNoValueOfItsType, {}};
            return false;
        }
        return true;
    }
    case ExprKind::Binary: {
        Variant left;
        Variant right;
        if (!EvaluateConstant(*expr.args[0], resolver, left, error) ||
            !EvaluateConstant(*expr.args[1], resolver, right, error)) {
            return false;
        }
        if (const RunError e = ApplyBinary(expr.binaryOp, left, right, out); e != RunError::None) {
            error = {
                CompileError::ConstantExpressionFails, {}, {RunErrorText(static_cast<int>(e))}};
            return false;
        }
        return true;
    }
    default:
        error = {CompileError::ExpectedConstantExpression, {}};
        return false;
    }
}

} // namespace vek::basic
