#include "scripting/basic/variant.h"

#include <algorithm>
#include <iterator>

#include "scripting/basic/record_type.h"
#include "scripting/basic/script_memory.h"
#include "scripting/basic/text_util.h"

namespace vek::basic {

namespace {

std::int64_t TextBytes(const std::string& text) {
    return static_cast<std::int64_t>(sizeof(StringObject) + text.capacity());
}

} // namespace

StringObject::StringObject(std::string&& value) : text(std::move(value)) {
    CountScriptMemory(TextBytes(text));
}

StringObject::~StringObject() {
    CountScriptMemory(-TextBytes(text));
}

void StringObject::Append(std::string_view more) {
    const std::int64_t before = TextBytes(text);
    text.append(more);
    CountScriptMemory(TextBytes(text) - before);
}

ArrayObject::ArrayObject(const ArrayObject& other)
    : elementTag(other.elementTag), record(other.record), dims(other.dims), nesting(other.nesting),
      items(other.items) {
    std::copy(std::begin(other.lower), std::end(other.lower), std::begin(lower));
    std::copy(std::begin(other.upper), std::end(other.upper), std::begin(upper));
    CountItems();
}

ArrayObject::~ArrayObject() {
    CountScriptMemory(-countedBytes_);
}

void ArrayObject::CountItems() {
    const auto bytes =
        static_cast<std::int64_t>(sizeof(ArrayObject) + items.capacity() * sizeof(Variant));
    CountScriptMemory(bytes - countedBytes_);
    countedBytes_ = bytes;
}

void Variant::ReleaseShared() {
    if (tag_ == Tag::String) {
        if (--GetStringObject()->refs == 0) {
            delete GetStringObject();
        }
    } else if (--GetArray()->refs == 0 && GetArray()->locks == 0) {
        delete GetArray();
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
        refType_ = other.refType_;
        raw_ = other.raw_;
    }
    return *this;
}

Variant Variant::String(std::string text) {
    Variant v;
    v.tag_ = Tag::String;
    v.raw_ = reinterpret_cast<std::uintptr_t>(new StringObject(std::move(text)));
    return v;
}

Variant Variant::Array(ArrayObject* array) {
    Variant v;
    v.tag_ = Tag::Array;
    v.raw_ = reinterpret_cast<std::uintptr_t>(array);
    return v;
}

Variant Variant::Record(ArrayObject* record) {
    Variant v = Array(record);
    v.tag_ = Tag::Record;
    return v;
}

void Variant::AppendString(std::string_view text) {
    if (GetStringObject()->refs == 1) {
        GetStringObject()->Append(text);
        return;
    }
    std::string joined;
    joined.reserve(StringValue().size() + text.size());
    joined.append(StringValue()).append(text);
    *this = String(std::move(joined));
}

ArrayObject* Variant::MutableArray() {
    if (GetArray()->refs > 1) {
        auto* copy = new ArrayObject(*GetArray());
        copy->refs = 1;
        --GetArray()->refs;
        raw_ = reinterpret_cast<std::uintptr_t>(copy);
    }
    return GetArray();
}

const KindInfo& KindOf(Tag tag) {
    static constexpr KindInfo kKinds[] = {
#define VEK_BASIC_KIND_INFO(kind, typeName, varType, declaredAs, suffix)                           \
    {typeName, varType, declaredAs, suffix},
        VEK_BASIC_KINDS(VEK_BASIC_KIND_INFO)
#undef VEK_BASIC_KIND_INFO
    };
    return kKinds[static_cast<int>(tag)];
}

bool KindDeclaredAs(std::string_view word, Tag& tag) {
    for (int k = 0; k < kKindCount; ++k) {
        const char* declaredAs = KindOf(static_cast<Tag>(k)).declaredAs;
        if (declaredAs != nullptr && EqualsNoCase(word, declaredAs)) {
            tag = static_cast<Tag>(k);
            return true;
        }
    }
    return false;
}

Tag KindOfSuffix(char suffix) {
    for (int k = 0; k < kKindCount; ++k) {
        if (suffix != 0 && KindOf(static_cast<Tag>(k)).suffix == suffix) {
            return static_cast<Tag>(k);
        }
    }
    return Tag::Empty;
}

const char* ElementTypeName(Tag tag) {
    const KindInfo& kind = KindOf(tag);
    return kind.declaredAs != nullptr ? kind.declaredAs : kind.typeName;
}

std::string ElementTypeName(const ArrayObject& array) {
    return array.record != nullptr ? array.record->name : ElementTypeName(array.elementTag);
}

} // namespace vek::basic
