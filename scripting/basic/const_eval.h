#pragma once

#include "scripting/basic/ast.h"

#include <string>

namespace vek::basic {

// Supplies the values of named constants to the constant evaluator.
class ConstantResolver {
public:
    virtual ~ConstantResolver() = default;
    // False when the name is no constant; error set when it is one but has no value (a cycle).
    virtual bool Resolve(const std::string& lower_name, Variant& out, std::string& error) = 0;
};

// Evaluates an expression of literals, operators and named constants at compile time.
bool EvaluateConstant(const Expr& expr, ConstantResolver& resolver, Variant& out,
                      std::string& error);

} // namespace vek::basic
