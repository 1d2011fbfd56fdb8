#pragma once

#include "scripting/basic/limits.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

// What a Variant holds. Integer and Long share the 32-bit payload (Integer stays within 16 bits);
// Boolean is 0 or -1 as in Visual Basic. Ref appears only in argument slots of ByRef parameters.
enum class Tag : std::uint8_t {
    Empty,
    Boolean,
    Integer,
    Long,
    Single,
    Double,
    Date,
    String,
    Array,
    Ref
};

struct StringObject;
struct ArrayObject;

// The one value type of the machine: 16 bytes, strings and arrays shared by reference count with
// copy-on-write, so copying a value never allocates.
class Variant {
public:
    Variant() : tag_(Tag::Empty) { payload_.i = 0; }
    ~Variant() { Release(); }
    Variant(const Variant& other)
        : tag_(other.tag_), ref_type_(other.ref_type_), payload_(other.payload_) {
        Retain();
    }
    Variant(Variant&& other) noexcept
        : tag_(other.tag_), ref_type_(other.ref_type_), payload_(other.payload_) {
        other.tag_ = Tag::Empty;
    }
    Variant& operator=(const Variant& other) {
        if (this != &other) {
            other.Retain();
            Release();
            tag_ = other.tag_;
            ref_type_ = other.ref_type_;
            payload_ = other.payload_;
        }
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            Release();
            tag_ = other.tag_;
            ref_type_ = other.ref_type_;
            payload_ = other.payload_;
            other.tag_ = Tag::Empty;
        }
        return *this;
    }

    static Variant Boolean(bool b) { return Variant(Tag::Boolean, b ? -1 : 0); }
    static Variant Integer(std::int32_t v) { return Variant(Tag::Integer, v); }
    static Variant Long(std::int32_t v) { return Variant(Tag::Long, v); }
    static Variant Single(float v) { return Variant(Tag::Single, static_cast<double>(v)); }
    static Variant Double(double v) { return Variant(Tag::Double, v); }
    static Variant Date(double v) { return Variant(Tag::Date, v); }
    static Variant String(std::string text);
    static Variant Array(ArrayObject* array); // takes one reference
    // A reference to a variable; declared_type is the variable's type, which every store
    // through the reference keeps (Empty: Variant).
    static Variant Ref(Variant* target, Tag declared_type) {
        Variant v;
        v.tag_ = Tag::Ref;
        v.ref_type_ = declared_type;
        v.payload_.ref = target;
        return v;
    }

    Tag tag() const { return tag_; }
    bool IsEmpty() const { return tag_ == Tag::Empty; }
    bool IsString() const { return tag_ == Tag::String; }
    bool IsArray() const { return tag_ == Tag::Array; }
    bool IsRef() const { return tag_ == Tag::Ref; }
    // Boolean, Integer or Long: the kinds whose payload is the 32-bit integer.
    bool IsIntegral() const { return tag_ >= Tag::Boolean && tag_ <= Tag::Long; }
    bool IsNumeric() const { return tag_ >= Tag::Boolean && tag_ <= Tag::Date; }

    std::int32_t int_value() const { return payload_.i; }
    double double_value() const { return payload_.d; }
    const std::string& string_value() const;
    ArrayObject* array() const { return payload_.array; }
    Variant* ref() const { return payload_.ref; }
    Tag ref_type() const { return ref_type_; }
    // The value itself, or what a Ref points at.
    const Variant& Deref() const { return tag_ == Tag::Ref ? *payload_.ref : *this; }

    // Appends to this String in place when no one else shares it (the fast road of s = s & x).
    void AppendString(std::string_view text);
    // Makes this array unshared before an element is written (copy-on-write).
    ArrayObject* MutableArray();

    // Overwrites an Integer or Long payload in place, keeping the tag (loop counters).
    void SetInt(std::int32_t v) { payload_.i = v; }

private:
    Variant(Tag tag, std::int32_t v) : tag_(tag) { payload_.d = 0, payload_.i = v; }
    Variant(Tag tag, double v) : tag_(tag) { payload_.d = v; }
    bool IsShared() const { return tag_ == Tag::String || tag_ == Tag::Array; }
    void Retain() const;
    void Release();

    Tag tag_;
    Tag ref_type_ = Tag::Empty;
    union Payload {
        std::int32_t i;
        double d;
        StringObject* string;
        ArrayObject* array;
        Variant* ref;
    } payload_;
};

struct StringObject {
    std::uint32_t refs = 1;
    std::string text;
};

// An array with up to kMaxArrayDims dimensions; elements stored with the first index fastest,
// as Visual Basic lays them out. element_tag is the declared element type (Empty for Variant).
struct ArrayObject {
    std::uint32_t refs = 1;
    Tag element_tag = Tag::Empty;
    int dims = 0;
    std::int32_t lower[kMaxArrayDims] = {};
    std::int32_t upper[kMaxArrayDims] = {};
    std::vector<Variant> items;

    std::int64_t Extent(int d) const { return std::int64_t{upper[d]} - lower[d] + 1; }
};

inline void Variant::Retain() const {
    if (tag_ == Tag::String) {
        ++payload_.string->refs;
    } else if (tag_ == Tag::Array) {
        ++payload_.array->refs;
    }
}

inline void Variant::Release() {
    if (tag_ == Tag::String) {
        if (--payload_.string->refs == 0) {
            delete payload_.string;
        }
    } else if (tag_ == Tag::Array) {
        if (--payload_.array->refs == 0) {
            delete payload_.array;
        }
    }
}

inline const std::string& Variant::string_value() const {
    return payload_.string->text;
}

} // namespace vek::basic
