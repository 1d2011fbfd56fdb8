// Variant rules: conversions, operators, reference counting and formatting.
#include "scripting/basic/builtins.h"
#include "scripting/basic/conversions.h"
#include "scripting/basic/operators.h"

#include <gtest/gtest.h>

#include <string>

namespace vek::basic {
namespace {

std::string Text(const Variant& v) {
    std::string out;
    EXPECT_EQ(ToText(v, out), RunError::None);
    return out;
}

Variant Apply(BinaryOp op, const Variant& a, const Variant& b, RunError expected = RunError::None,
              Overflow overflow = Overflow::Widens) {
    Variant out;
    EXPECT_EQ(ApplyBinary(op, a, b, out, overflow), expected);
    return out;
}

TEST(BasicValues, ConversionsRoundHalfToEvenAndCheckRanges) {
    std::int32_t n = 0;
    EXPECT_EQ(ToInteger(Variant::Double(2.5), n), RunError::None);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(ToInteger(Variant::Double(-3.5), n), RunError::None);
    EXPECT_EQ(n, -4);
    EXPECT_EQ(ToInteger(Variant::Long(32768), n), RunError::Overflow);
    EXPECT_EQ(ToLong(Variant::Double(2147483647.6), n), RunError::Overflow);
    EXPECT_EQ(ToLong(Variant::String(" &H10 "), n), RunError::None);
    EXPECT_EQ(n, 16);
    EXPECT_EQ(ToLong(Variant::String("12abc"), n), RunError::TypeMismatch);
    EXPECT_EQ(ToLong(Variant(), n), RunError::None);
    EXPECT_EQ(n, 0);
    bool b = false;
    EXPECT_EQ(ToBoolean(Variant::String("false"), b), RunError::None);
    EXPECT_FALSE(b);
    EXPECT_EQ(ToBoolean(Variant::String("maybe"), b), RunError::TypeMismatch);
    double d = 0;
    EXPECT_EQ(ToDouble(Variant::String("True"), d), RunError::None);
    EXPECT_EQ(d, -1);
    EXPECT_EQ(LeadingNumber("  -1.5e2xyz", d), RunError::None);
    EXPECT_EQ(d, -150);
    EXPECT_EQ(LeadingNumber("abc", d), RunError::None);
    EXPECT_EQ(d, 0);
    // A number beyond a Double is error 6, never an infinity.
    EXPECT_EQ(LeadingNumber("1e999", d), RunError::Overflow);
    EXPECT_EQ(ToDouble(Variant::String(" -1E400 "), d), RunError::Overflow);
    EXPECT_EQ(ToDouble(Variant::String(std::string(400, '9')), d), RunError::Overflow);
    EXPECT_EQ(ToDouble(Variant::String("1E400x"), d), RunError::TypeMismatch);
}

TEST(BasicValues, TextOfNumbersFollowsVisualBasic) {
    EXPECT_EQ(Text(Variant::Double(0.1 + 0.2)), "0.3");
    EXPECT_EQ(Text(Variant::Double(1e20)), "1E+20");
    EXPECT_EQ(Text(Variant::Double(0.00001)), "1E-05");
    EXPECT_EQ(Text(Variant::Double(-2.5)), "-2.5");
    EXPECT_EQ(Text(Variant::Single(1.0f / 3.0f)), "0.3333333");
    EXPECT_EQ(Text(Variant::Boolean(true)), "True");
    EXPECT_EQ(Text(Variant()), "");
    EXPECT_EQ(Text(Variant::Date(25569.5)), "1/1/1970 12:00:00 PM");
}

TEST(BasicValues, VariantArithmeticWidensAndTypedArithmeticOverflows) {
    EXPECT_EQ(Apply(BinaryOp::Add, Variant::Integer(32767), Variant::Integer(1)).GetTag(),
              Tag::Long);
    EXPECT_EQ(Apply(BinaryOp::Mul, Variant::Long(65536), Variant::Long(65536)).GetTag(),
              Tag::Double);
    EXPECT_EQ(Apply(BinaryOp::Sub, Variant::Integer(-32768), Variant::Integer(1)).IntValue(),
              -32769);
    EXPECT_EQ(Apply(BinaryOp::Add, Variant::Single(1), Variant::Long(1)).GetTag(), Tag::Double);
    EXPECT_EQ(Apply(BinaryOp::Add, Variant::Single(1), Variant::Integer(1)).GetTag(), Tag::Single);
    Variant neg;
    EXPECT_EQ(ApplyUnary(UnaryOp::Negate, Variant::Integer(-32768), neg, Overflow::Widens),
              RunError::None);
    EXPECT_EQ(neg.GetTag(), Tag::Long);
    EXPECT_EQ(neg.IntValue(), 32768);
    EXPECT_EQ(ApplyUnary(UnaryOp::Negate, Variant::Long(INT32_MIN), neg, Overflow::Fails),
              RunError::Overflow);
    const Variant maxInteger = Variant::Integer(32767);
    Apply(BinaryOp::Add, maxInteger, Variant::Integer(1), RunError::Overflow, Overflow::Fails);
    EXPECT_EQ(Apply(BinaryOp::Add, maxInteger, Variant::Long(1), RunError::None, Overflow::Fails)
                  .GetTag(),
              Tag::Long);
    Apply(BinaryOp::Mul, Variant::Long(65536), Variant::Long(65536), RunError::Overflow,
          Overflow::Fails);
    Apply(BinaryOp::IntDiv, Variant::Integer(-32768), Variant::Integer(-1), RunError::Overflow,
          Overflow::Fails);
    EXPECT_EQ(Apply(BinaryOp::IntDiv, Variant::Integer(-32768), Variant::Integer(-1)).GetTag(),
              Tag::Long);
    Apply(BinaryOp::Div, Variant::Integer(1), Variant::Integer(0), RunError::DivisionByZero);
    Apply(BinaryOp::Div, Variant::Integer(0), Variant::Integer(0), RunError::Overflow);
    Apply(BinaryOp::Mod, Variant::Integer(1), Variant::Double(0.4), RunError::DivisionByZero);
    Apply(BinaryOp::Pow, Variant::Integer(-8), Variant::Double(0.5), RunError::InvalidCall);
    Apply(BinaryOp::Add, Variant::String("a"), Variant::Integer(1), RunError::TypeMismatch);
    EXPECT_EQ(Apply(BinaryOp::IntDiv, Variant::Double(7.5), Variant::Integer(2)).IntValue(), 4);
}

TEST(BasicValues, LogicalOperatorsKeepBooleansAndWorkBitwiseOnNumbers) {
    const Variant t = Variant::Boolean(true);
    const Variant f = Variant::Boolean(false);
    EXPECT_EQ(Apply(BinaryOp::And, t, f).GetTag(), Tag::Boolean);
    EXPECT_EQ(Apply(BinaryOp::Or, Variant::Integer(12), Variant::Integer(3)).IntValue(), 15);
    EXPECT_EQ(Apply(BinaryOp::Xor, Variant::Long(0xFF), Variant::Integer(0x0F)).IntValue(), 0xF0);
    Variant out;
    EXPECT_EQ(ApplyUnary(UnaryOp::Not, Variant::Integer(0), out, Overflow::Fails), RunError::None);
    EXPECT_EQ(out.IntValue(), -1);
    EXPECT_EQ(out.GetTag(), Tag::Integer);
}

TEST(BasicValues, ComparisonsOfMixedKinds) {
    const StringCompare binary = StringCompare::Binary;
    int order = 0;
    EXPECT_EQ(CompareValues(Variant::String("10"), Variant::Integer(9), order, binary),
              RunError::None);
    EXPECT_EQ(order, 1);
    EXPECT_EQ(CompareValues(Variant::String("x"), Variant::Integer(9), order, binary),
              RunError::None);
    EXPECT_EQ(order, 1) << "a string without a number sorts after numbers";
    EXPECT_EQ(CompareValues(Variant(), Variant::String(""), order, binary), RunError::None);
    EXPECT_EQ(order, 0);
    EXPECT_EQ(CompareValues(Variant::String("B"), Variant::String("a"), order, binary),
              RunError::None);
    EXPECT_EQ(order, -1);
    // As text, case is ignored and letters sort after the signs between the two alphabets.
    EXPECT_EQ(CompareValues(Variant::String("B"), Variant::String("a"), order, StringCompare::Text),
              RunError::None);
    EXPECT_EQ(order, 1);
    EXPECT_EQ(CompareValues(Variant::String("_"), Variant::String("A"), order, StringCompare::Text),
              RunError::None);
    EXPECT_EQ(order, -1);
}

TEST(BasicValues, StringsAndArraysAreSharedUntilWritten) {
    Variant a = Variant::String("abc");
    Variant b = a;
    b.AppendString("d");
    EXPECT_EQ(a.StringValue(), "abc");
    EXPECT_EQ(b.StringValue(), "abcd");
    Variant c = Variant::String("x");
    c.AppendString("y");
    EXPECT_EQ(c.StringValue(), "xy");

    auto* array = new ArrayObject;
    array->dims = 1;
    array->upper[0] = 1;
    array->items.resize(2);
    Variant first = Variant::Array(array);
    Variant second = first;
    second.MutableArray()->items[0] = Variant::Integer(7);
    EXPECT_TRUE(first.GetArray()->items[0].IsEmpty());
    EXPECT_EQ(second.GetArray()->items[0].IntValue(), 7);
    EXPECT_NE(first.GetArray(), second.GetArray());
}

TEST(BasicValues, CoercionToDeclaredTypes) {
    Variant v = Variant::String("3.5");
    EXPECT_EQ(CoerceTo(v, Tag::Integer), RunError::None);
    EXPECT_EQ(v.IntValue(), 4);
    v = Variant::Double(1e40);
    EXPECT_EQ(CoerceTo(v, Tag::Single), RunError::Overflow);
    v = Variant::Integer(5);
    EXPECT_EQ(CoerceTo(v, Tag::String), RunError::None);
    EXPECT_EQ(v.StringValue(), "5");
    v = Variant::Integer(0);
    EXPECT_EQ(CoerceTo(v, Tag::Boolean), RunError::None);
    EXPECT_EQ(v.IntValue(), 0);
}

TEST(BasicValues, FormatPatterns) {
    auto format = [](const Variant& v, const std::string& pattern) {
        std::string out;
        EXPECT_EQ(FormatValue(v, pattern, out), RunError::None);
        return out;
    };
    EXPECT_EQ(format(Variant::Double(3.14159), "0.00"), "3.14");
    EXPECT_EQ(format(Variant::Double(0.5), "#.##"), ".5");
    EXPECT_EQ(format(Variant::Integer(7), "000"), "007");
    EXPECT_EQ(format(Variant::Long(-1234567), "#,##0"), "-1,234,567");
    EXPECT_EQ(format(Variant::Double(0.256), "0.0%"), "25.6%");
    EXPECT_EQ(format(Variant::Double(2), "Standard"), "2.00");
    EXPECT_EQ(format(Variant::Integer(0), "On/Off"), "Off");
    EXPECT_EQ(format(Variant::Integer(5), "Value: 0 V"), "Value: 5 V");
    EXPECT_EQ(format(Variant::String("text"), "0.00"), "text");
}

} // namespace
} // namespace vek::basic
