#include "scripting/basic/variant.h"

#include "scripting/basic/text_util.h"

namespace vek::basic {

void Variant::ReleaseShared() {
    if (tag_ == Tag::String) {
        if (--GetStringObject()->refs == 0) {
            delete GetStringObject();
        }
    } else if (--GetArray()->refs == 0) {
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
    if (GetStringObject()->refs == 1) {
        GetStringObject()->text.append(text);
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

} // namespace vek::basic
