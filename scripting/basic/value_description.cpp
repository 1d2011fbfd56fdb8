#include "scripting/basic/value_description.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/record_type.h"

namespace vek::basic {

namespace {

std::string DescribeArray(const ArrayObject& array) {
    std::string text = ElementTypeName(array) + "(";
    for (int d = 0; d < array.dims; ++d) {
        text += (d > 0 ? ", " : "") + std::to_string(array.lower[d]) + " To " +
                std::to_string(array.upper[d]);
    }
    return text + ")";
}

// Members are described in turn; a type cannot contain itself, so this ends.
std::string DescribeRecord(const ArrayObject& record) {
    std::string text = record.record->name + " {";
    for (std::size_t i = 0; i < record.items.size(); ++i) {
        text += (i > 0 ? ", " : "") + record.record->members[i].name + " = " +
                DescribeValue(record.items[i]);
    }
    return text + "}";
}

} // namespace

std::string DescribeValue(const Variant& value) {
    const Variant& v = value.Deref();
    if (v.IsEmpty() || v.IsNull()) {
        return v.IsEmpty() ? "Empty" : "Null";
    }
    if (v.IsString()) {
        return "\"" + v.StringValue() + "\"";
    }
    if (v.IsArray()) {
        return DescribeArray(*v.GetArray());
    }
    if (v.IsRecord()) {
        return DescribeRecord(*v.GetArray());
    }
    std::string text;
    ToText(v, text);
    return text;
}

} // namespace vek::basic
