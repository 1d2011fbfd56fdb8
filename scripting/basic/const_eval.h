#pragma once

#include "scripting/basic/ast.h"

#include <string>

namespace vek::basic {

// Supplies the values of named constants to the constant evaluator.
class ConstantResolver {
public:
    virtual ~ConstantResolver() = default;
    // False when the name is no constant; error set when it is one but has no value (a cycle).
    virtual bool Resolve(const std::string& lowerName, Variant& out, CompileMessage& error) = 0;
    // How strings compare where the expression stands (Option Compare).
    virtual StringCompare Compare() const { return StringCompare::Binary; }
};

// Evaluates an expression of literals, operators and named constants at compile time. On failure
// `error` says why; its position is the caller's to give.
bool EvaluateConstant(const Expr& expr, ConstantResolver& resolver, Variant& out,
                      CompileMessage& error);

} // namespace vek::basic
