// Compile errors of the language's larger constructs, each with the place and the message a user
// sees: user-defined types, With, the Option statements.
#include "program_runner.h"

#include <gtest/gtest.h>

#include <string>

namespace vek::basic {
namespace {

// "line:column message" of the first error compiling `text` as module m.
std::string FirstError(const std::string& text) {
    Engine engine;
    engine.SetModule("m", text);
    if (engine.Compile() || engine.Diagnostics().empty()) {
        return "compiles";
    }
    const Diagnostic& d = engine.Diagnostics().front();
    return std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.message;
}

constexpr const char* kTypes = "Type Point\n x As Long\n y As Long\nEnd Type\n"
                               "Type Size\n w As Long\nEnd Type\n";

// The body of Sub Main after the two types above; its lines count from 9.
std::string InMain(const std::string& body) {
    return std::string(kTypes) + "Sub Main()\n" + body + "End Sub\n";
}

TEST(CompileMessages, UserDefinedTypes) {
    EXPECT_EQ(FirstError(InMain(" Dim p As Pointt\n")),
              "9:6 user-defined type not defined: Pointt");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n p.z = 1\n")), "10:4 no member z in type Point");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n Debug.Print p.x.y\n")),
              "10:18 expected a value of a user-defined type before .y");
    EXPECT_EQ(FirstError(InMain(" Dim n As Long\n n.x = 1\n")),
              "10:4 expected a value of a user-defined type before .x");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n Debug.Print p\n")),
              "10:14 a value of user-defined type Point cannot be used here");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point, s As Size\n p = s\n")),
              "10:6 type mismatch: expected Point, not Size");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n p = 5\n")),
              "10:6 type mismatch: expected Point, not Integer");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n p(1) = 5\n")),
              "10:2 expected an array variable: p");
    EXPECT_EQ(FirstError(InMain(" Dim ps(3) As Point\n For Each x In ps\n Next\n")),
              "10:16 a value of user-defined type Point cannot be used here");
    // Records meet their own type as arguments too, ByRef or not.
    EXPECT_EQ(FirstError(std::string(kTypes) + "Sub Show(v)\nEnd Sub\n"
                                               "Sub Main()\n Dim p As Point\n Show p\nEnd Sub\n"),
              "12:7 type mismatch: expected Variant, not Point");
    EXPECT_EQ(FirstError(std::string(kTypes) + "Sub Grow(s As Size)\nEnd Sub\n"
                                               "Sub Main()\n Dim p As Point\n Grow p\nEnd Sub\n"),
              "12:7 type mismatch: expected Size, not Point");
    EXPECT_EQ(FirstError(InMain(" Dim v\n ReDim v(2) As Point\n")),
              "10:8 type mismatch: expected Variant, not Point()");
    EXPECT_EQ(FirstError("Sub Move(p As Spot)\nEnd Sub\n"),
              "1:10 user-defined type not defined: Spot");
    EXPECT_EQ(FirstError("Function Make() As Spot\nEnd Function\n"),
              "1:1 user-defined type not defined: Spot");
    // Declaring types.
    EXPECT_EQ(FirstError("Type A\n b As B\nEnd Type\nType B\n a As A\nEnd Type\n"),
              "1:6 type contains itself: A");
    EXPECT_EQ(FirstError("Type A\n x As Long\n X As Long\nEnd Type\n"),
              "3:2 duplicate declaration: X");
    EXPECT_EQ(FirstError("Type A\n x As Long\nSub Main()\nEnd Sub\n"), "3:1 expected End Type");
    EXPECT_EQ(FirstError("Type A\n s As String * 8\nEnd Type\n"),
              "2:14 fixed-length strings are not supported: use String");
    EXPECT_EQ(FirstError("Sub Main()\n Type A\n x As Long\n End Type\nEnd Sub\n"),
              "2:2 a Type is declared at module level, not in a procedure");
    EXPECT_EQ(FirstError("Type Long\n x As Long\nEnd Type\n"), "1:6 expected a name for the type");
}

TEST(CompileMessages, ByRefArgumentsOfTypedParameters) {
    const std::string callee = "Sub Bump(n As Long)\nEnd Sub\n";
    const auto call = [&callee](const std::string& body) {
        return FirstError(std::string(kTypes) + callee + "Sub Main()\n" + body + "End Sub\n");
    };
    // A variable passed to a typed ByRef parameter must be declared of that type.
    EXPECT_EQ(call(" Dim v\n Bump v\n"),
              "12:7 ByRef argument type mismatch: expected Long, not Variant");
    EXPECT_EQ(call(" Dim i As Integer\n Bump i\n"),
              "12:7 ByRef argument type mismatch: expected Long, not Integer");
    EXPECT_EQ(call(" Dim a(2)\n Bump a(1)\n"),
              "12:7 ByRef argument type mismatch: expected Long, not Variant");
    EXPECT_EQ(call(" Dim p As Point\n Dim d As Double\n Bump d\n"),
              "13:7 ByRef argument type mismatch: expected Long, not Double");
    EXPECT_EQ(call(" Dim a() As Long\n Bump a\n"),
              "12:7 ByRef argument type mismatch: expected Long, not Long()");
    // The same type, a value, or a Variant parameter are fine.
    EXPECT_EQ(call(" Dim n As Long, a(2) As Long, p As Point\n Bump n\n Bump a(1)\n Bump p.x\n"),
              "compiles");
    EXPECT_EQ(call(" Dim v, i As Integer\n Bump (v)\n Bump i + 1\n Bump 2.5\n"), "compiles");
    EXPECT_EQ(
        FirstError("Sub Show(x)\nEnd Sub\nSub Pass(ByRef n As Long)\n Show n\n Pass n\nEnd Sub\n"),
        "compiles");
}

TEST(CompileMessages, WithBlocks) {
    EXPECT_EQ(FirstError(InMain(" Debug.Print .x\n")), "9:15 expected With before .x");
    EXPECT_EQ(FirstError(InMain(" Dim n As Long\n With n\n End With\n")),
              "10:7 type mismatch: expected a user-defined type, not Long");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n With p\n .z = 1\n End With\n")),
              "11:3 no member z in type Point");
    EXPECT_EQ(FirstError(InMain(" Dim p As Point\n With p\n .x = 1\n")), "12:1 expected End With");
    EXPECT_EQ(FirstError(InMain(" End With\n")), "9:2 End With without With");
}

} // namespace
} // namespace vek::basic
