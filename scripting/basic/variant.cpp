#include "scripting/basic/variant.h"

namespace vek::basic {

Variant Variant::String(std::string text) {
    Variant v;
    v.tag_ = Tag::String;
    v.payload_.string = new StringObject{1, std::move(text)};
    return v;
}

Variant Variant::Array(ArrayObject* array) {
    Variant v;
    v.tag_ = Tag::Array;
    v.payload_.array = array;
    return v;
}

void Variant::AppendString(std::string_view text) {
    if (payload_.string->refs == 1) {
        payload_.string->text.append(text);
        return;
    }
    std::string joined;
    joined.reserve(payload_.string->text.size() + text.size());
    joined.append(payload_.string->text).append(text);
    *this = String(std::move(joined));
}

ArrayObject* Variant::MutableArray() {
    if (payload_.array->refs > 1) {
        auto* copy = new ArrayObject(*payload_.array);
        copy->refs = 1;
        --payload_.array->refs;
        payload_.array = copy;
    }
    return payload_.array;
}

} // namespace vek::basic
