#include "scripting/basic/variant.h"

#include "scripting/basic/text_util.h"

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

const KindInfo& KindOf(Tag tag) {
    static constexpr KindInfo kKinds[] = {
#define VEK_BASIC_KIND_INFO(kind, type_name, var_type, declared_as, suffix)                        \
    {type_name, var_type, declared_as, suffix},
        VEK_BASIC_KINDS(VEK_BASIC_KIND_INFO)
#undef VEK_BASIC_KIND_INFO
    };
    return kKinds[static_cast<int>(tag)];
}

bool KindDeclaredAs(std::string_view word, Tag& tag) {
    for (int k = 0; k < kKindCount; ++k) {
        const char* declared_as = KindOf(static_cast<Tag>(k)).declared_as;
        if (declared_as != nullptr && EqualsNoCase(word, declared_as)) {
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
    return kind.declared_as != nullptr ? kind.declared_as : kind.type_name;
}

} // namespace vek::basic
