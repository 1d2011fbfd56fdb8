#pragma once

#include "scripting/basic/diagnostic.h"

#include <string>
#include <vector>

namespace vek::basic {

// The one list of the compiler's messages. Each line: id and text; {0} and {1} stand for the
// names, keywords or operators the report gives with it.
#define VEK_BASIC_COMPILE_ERRORS(X)                                                                \
    X(None, "")                                                                                    \
    /* scanner */                                                                                  \
    X(UnclosedString, "expected '\"' to close the string")                                         \
    X(NumberTooLarge, "number too large")                                                          \
    X(NumberTooLargeForType, "number too large for its type")                                      \
    X(ExpectedBracketedName, "expected a name and ']'")                                            \
    X(UnexpectedCharacter, "unexpected character '{0}'")                                           \
    /* parser */                                                                                   \
    X(Expected, "expected {0}")                                                                    \
    X(ExpectedOperator, "expected '{0}'")                                                          \
    X(ExpectedEndOfStatement, "expected end of statement")                                         \
    X(ExpectedEndOfExpression, "expected end of expression")                                       \
    X(ExpectedExpression, "expected an expression")                                                \
    X(ExpectedStatement, "expected a statement")                                                   \
    X(ExpectedDeclaration, "expected Sub, Function or a declaration")                              \
    X(ExpectedProcedureName, "expected a procedure name")                                          \
    X(ExpectedParameterName, "expected a parameter name")                                          \
    X(ExpectedVariableName, "expected a variable name")                                            \
    X(ExpectedConstantName, "expected a constant name")                                            \
    X(ExpectedArrayName, "expected an array name")                                                 \
    X(ExpectedName, "expected a name")                                                             \
    X(ExpectedMemberName, "expected a member name")                                                \
    X(ExpectedLabel, "expected a label")                                                           \
    X(ExpectedType, "expected a type: Integer, Long, Single, Double, String, Boolean, Date or "    \
                    "Variant")                                                                     \
    X(ExpectedOptionalBeforeDefault, "expected Optional before a default value")                   \
    X(ExpectedComparisonAfterIs, "expected a comparison operator after Is")                        \
    X(ExpectedNextName, "expected Next {0}")                                                       \
    X(ExpectedExitKind, "expected Sub, Function, For or Do")                                       \
    X(ExpectedPrintSeparator, "expected ';', ',' or end of statement")                             \
    X(OneDoCondition, "expected end of statement: a Do loop has one condition")                    \
    X(NextWithoutFor, "Next without For")                                                          \
    X(LoopWithoutDo, "Loop without Do")                                                            \
    X(WendWithoutWhile, "Wend without While")                                                      \
    X(ElseWithoutIf, "Else without If")                                                            \
    X(TooManyDimensions, "too many dimensions")                                                    \
    X(NestingTooDeep, "nesting too deep")                                                          \
    X(ExpressionTooComplex, "expression too complex")                                              \
    X(TooManyErrors, "too many errors")                                                            \
    X(FixedLengthStringsNotSupported, "fixed-length strings are not supported: use String")        \
    X(TypeInProcedure, "a Type is declared at module level, not in a procedure")                   \
    X(EndWithoutBlock, "End {0} without {0}")                                                      \
    /* module-level declarations */                                                                \
    X(DuplicateDeclaration, "duplicate declaration: {0}")                                          \
    X(DuplicateParameter, "duplicate parameter: {0}")                                              \
    X(OptionalAfterOptional,                                                                       \
      "expected Optional: parameters after an Optional one are Optional too")                      \
    X(ConstantWithoutValue, "constant has no value: {0}")                                          \
    X(ConstantRefersToItself, "constant refers to itself: {0}")                                    \
    X(ConstantChainTooLong, "constant defined through too many other constants: {0}")              \
    X(ConstantDoesNotFit, "constant value does not fit its type: {0}")                             \
    X(DefaultDoesNotFit, "default value does not fit its type")                                    \
    X(ExpectedWholeNumber, "expected a whole number")                                              \
    X(ArrayBoundsOutOfRange, "array bounds out of range: {0}")                                     \
    /* user-defined types */                                                                       \
    X(TypeNotDefined, "user-defined type not defined: {0}")                                        \
    X(TypeContainsItself, "type contains itself: {0}")                                             \
    X(TypeNestedTooDeeply, "type nested too deeply: {0}")                                          \
    X(MemberNotFound, "no member {0} in type {1}")                                                 \
    X(RecordNotAValue, "a value of user-defined type {0} cannot be used here")                     \
    X(TypeMismatch, "type mismatch: expected {0}, not {1}")                                        \
    X(ByRefTypeMismatch, "ByRef argument type mismatch: expected {0}, not {1}")                    \
    X(ExpectedRecordBeforeMember, "expected a value of a user-defined type before .{0}")           \
    X(MemberOutsideWith, "expected With before .{0}")                                              \
    /* constant expressions */                                                                     \
    X(ExpectedConstantExpression, "expected a constant expression")                                \
    X(NotAConstant, "expected a constant expression: '{0}' is no constant")                        \
    X(ConstantExpressionFails, "constant expression fails: {0}")                                   \
    /* procedure bodies */                                                                         \
    X(VariableNotDefined, "variable not defined: {0}")                                             \
    X(AmbiguousName, "ambiguous name: {0} is Public in several modules")                           \
    X(NotDefined, "Sub or Function not defined: {0}")                                              \
    X(LabelNotDefined, "label not defined: {0}")                                                   \
    X(DuplicateLabel, "duplicate label: {0}")                                                      \
    X(ExpectedVariable, "expected a variable")                                                     \
    X(ExpectedArrayVariable, "expected an array variable: {0}")                                    \
    X(ExpectedForVariable, "expected a variable after For: {0}")                                   \
    X(ExpectedForEachVariable, "expected a variable after For Each: {0}")                          \
    X(AssignToConstant, "cannot assign to a constant")                                             \
    X(ExpectedErrMember, "expected Number, Description, Source, Raise or Clear after Err.")        \
    X(ObjectsNotSupported, "objects are not supported: {0}")                                       \
    X(NamedArgumentsNotAccepted, "named arguments are not accepted by {0}")                        \
    X(WrongArgumentCount, "wrong number of arguments for {0}")                                     \
    X(NamedArgumentNotFound, "named argument not found: {0}")                                      \
    X(ArgumentGivenTwice, "argument given twice: {0}")                                             \
    X(ArgumentNotOptional, "argument not optional: {0} of {1}")                                    \
    X(ConstantTakesNoArguments, "a constant takes no arguments: {0}")                              \
    X(ExpectedProcedureOrArray, "expected a procedure or array name")                              \
    X(ExpectedProcedureCall, "expected a procedure call")                                          \
    X(ExpectedProcedureNotVariable, "expected a procedure, not a variable: {0}")                   \
    X(ExpectedElementOrVariable, "expected an array element or a variable before '='")             \
    X(ExpectedVariableOrElement, "expected a variable or array element before '='")                \
    X(ExitForOutsideFor, "Exit For outside a For loop")                                            \
    X(ExitDoOutsideDo, "Exit Do outside a Do loop")

enum class CompileError {
#define VEK_BASIC_COMPILE_ERROR_ENUM(name, text) name,
    VEK_BASIC_COMPILE_ERRORS(VEK_BASIC_COMPILE_ERROR_ENUM)
#undef VEK_BASIC_COMPILE_ERROR_ENUM
};

struct Position {
    int line = 0;
    int column = 0;
};

// One compile error: its catalogue entry, where it is and the texts for its placeholders. Inside
// the parser and the procedure compiler it is also what a failing statement throws; the
// statement loop catches it, reports it and goes on with the next statement.
struct CompileMessage {
    CompileMessage() = default;
    CompileMessage(CompileError errorId, Position where, std::string arg = {},
                   std::string secondArg = {})
        : error(errorId), pos(where), args{std::move(arg), std::move(secondArg)} {}

    CompileError error = CompileError::None;
    Position pos;
    std::string args[2];
};

// The catalogue text with the arguments in place.
std::string CompileErrorText(const CompileMessage& message);

// The one road of compile errors out of the compiler: every part reports here, and each report
// becomes a Diagnostic with its module.
class ErrorReporter {
public:
    explicit ErrorReporter(std::vector<Diagnostic>& list) : list_(list) {}

    void Report(const std::string& module, const CompileMessage& message);
    // Whether an error of that module was reported at that place already.
    bool ReportedAt(const std::string& module, Position pos) const;
    std::size_t Count() const { return list_.size(); }

private:
    std::vector<Diagnostic>& list_;
};

} // namespace vek::basic
