#include "scripting/basic/variant.h"

namespace vek::basic {

void Variant::ReleaseShared() {
    if (tag_ == Tag::String) {
        if (--string_object()->refs == 0) {
            delete string_object();
        }
    } else if (--array()->refs == 0) {
        delete array();
    }
}

Variant& Variant::AssignShared(const Variant& other) {
    if (this != &other) {
        if (other.IsShared()) {
            other.RetainShared();
        }
        if (IsShared()) {
            ReleaseShared();
        }
        tag_ = other.tag_;
        ref_type_ = other.ref_type_;
        raw_ = other.raw_;
    }
    return *this;
}

Variant Variant::String(std::string text) {
    Variant v;
    v.tag_ = Tag::String;
    v.raw_ = reinterpret_cast<std::uintptr_t>(new StringObject{1, std::move(text)});
    return v;
}

Variant Variant::Array(ArrayObject* array) {
    Variant v;
    v.tag_ = Tag::Array;
    v.raw_ = reinterpret_cast<std::uintptr_t>(array);
    return v;
}

void Variant::AppendString(std::string_view text) {
    if (string_object()->refs == 1) {
        string_object()->text.append(text);
        return;
    }
    std::string joined;
    joined.reserve(string_value().size() + text.size());
    joined.append(string_value()).append(text);
    *this = String(std::move(joined));
}

ArrayObject* Variant::MutableArray() {
    if (array()->refs > 1) {
        auto* copy = new ArrayObject(*array());
        copy->refs = 1;
        --array()->refs;
        raw_ = reinterpret_cast<std::uintptr_t>(copy);
    }
    return array();
}

const char* TagName(Tag tag) {
    switch (tag) {
    case Tag::Empty:
        return "Empty";
    case Tag::Boolean:
        return "Boolean";
    case Tag::Integer:
        return "Integer";
    case Tag::Long:
        return "Long";
    case Tag::Single:
        return "Single";
    case Tag::Double:
        return "Double";
    case Tag::Date:
        return "Date";
    case Tag::String:
        return "String";
    default:
        return "Variant";
    }
}

const char* ElementTypeName(Tag tag) {
    return tag == Tag::Empty ? "Variant" : TagName(tag);
}

} // namespace vek::basic
