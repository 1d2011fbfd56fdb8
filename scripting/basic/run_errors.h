#pragma once

#include <string>

namespace vek::basic {

// Run-time errors with the numbers and texts Basic programmers know from Visual Basic.
#define VEK_BASIC_RUN_ERRORS(X)                                                                    \
    X(None, 0, "")                                                                                 \
    X(ReturnWithoutGoSub, 3, "Return without GoSub")                                               \
    X(InvalidCall, 5, "Invalid procedure call or argument")                                        \
    X(Overflow, 6, "Overflow")                                                                     \
    X(OutOfMemory, 7, "Out of memory")                                                             \
    X(SubscriptOutOfRange, 9, "Subscript out of range")                                            \
    X(ArrayLocked, 10, "This array is fixed or temporarily locked")                                \
    X(DivisionByZero, 11, "Division by zero")                                                      \
    X(TypeMismatch, 13, "Type mismatch")                                                           \
    X(OutOfStringSpace, 14, "Out of string space")                                                 \
    X(UserInterrupt, 18, "User interrupt occurred")                                                \
    X(ResumeWithoutError, 20, "Resume without error")                                              \
    X(OutOfStackSpace, 28, "Out of stack space")                                                   \
    X(ForLoopNotInitialized, 92, "For loop not initialized")                                       \
    X(InvalidPattern, 93, "Invalid pattern string")                                                \
    X(InvalidUseOfNull, 94, "Invalid use of Null")                                                 \
    X(BadFileNameOrNumber, 52, "Bad file name or number")                                          \
    X(FileNotFound, 53, "File not found")                                                          \
    X(BadFileMode, 54, "Bad file mode")                                                            \
    X(FileAlreadyOpen, 55, "File already open")                                                    \
    X(InputPastEndOfFile, 62, "Input past end of file")                                            \
    X(TooManyFiles, 67, "Too many files")                                                          \
    X(PathFileAccess, 75, "Path/File access error")                                                \
    X(PathNotFound, 76, "Path not found")                                                          \
    X(ObjectRequired, 424, "Object required")                                                      \
    X(ArgumentNotOptional, 449, "Argument not optional")                                           \
    X(WrongArgumentCount, 450, "Wrong number of arguments or invalid property assignment")         \
    X(ApplicationDefined, 1004, "Application-defined or object-defined error")

enum class RunError : int {
#define VEK_BASIC_RUN_ERROR_ENUM(name, number, text) name = number,
    VEK_BASIC_RUN_ERRORS(VEK_BASIC_RUN_ERROR_ENUM)
#undef VEK_BASIC_RUN_ERROR_ENUM
};

// Why a file could not be opened or read, from the system's error number (errno), in the numbers
// Visual Basic uses: 53 when it does not exist, 76 when a folder on its path does not, else 75.
RunError FileErrorOf(int systemError);

// The standard description of an error number; "Application-defined or object-defined error"
// for numbers the table does not know, as Visual Basic does.
std::string RunErrorText(int number);

} // namespace vek::basic
