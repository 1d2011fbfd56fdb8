#pragma once

#include "scripting/basic/limits.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vek::basic {

// The one list of the kinds a Variant holds. Each line: kind, the name TypeName gives a value of
// it, VarType's number, the type word that declares a variable of it after As (nullptr: none) and
// its type-suffix character (0: none).
// Integer and Long share the 32-bit payload (Integer stays within 16 bits); Boolean is 0 or -1 as
// in Visual Basic. Null is the value of no valid data: it passes through arithmetic and
// comparisons, and is error 94 where a value is needed. Ref appears only in argument slots of
// ByRef parameters. A Record is a value of
// a user-defined type (Type ... End Type): its members in an ArrayObject without dimensions, shared
// and copied on write like an array, so that assigning one copies the whole value. The order
// matters: Boolean to Long are the integral kinds, Boolean to Date the numeric ones, and the
// reference-counted kinds come last, so one comparison tells whether a copy must count.
#define VEK_BASIC_KINDS(X)                                                                         \
    X(Empty, "Empty", 0, "Variant", 0)                                                             \
    X(Null, "Null", 1, nullptr, 0)                                                                 \
    X(Boolean, "Boolean", 11, "Boolean", 0)                                                        \
    X(Integer, "Integer", 2, "Integer", '%')                                                       \
    X(Long, "Long", 3, "Long", '&')                                                                \
    X(Single, "Single", 4, "Single", '!')                                                          \
    X(Double, "Double", 5, "Double", '#')                                                          \
    X(Date, "Date", 7, "Date", 0)                                                                  \
    X(Ref, "Variant", 12, nullptr, 0)                                                              \
    X(String, "String", 8, "String", '$')                                                          \
    X(Array, "Variant", 12, nullptr, 0)                                                            \
    X(Record, "Record", 36, nullptr, 0)

enum class Tag : std::uint8_t {
#define VEK_BASIC_KIND_ENUM(kind, typeName, varType, declaredAs, suffix) kind,
    VEK_BASIC_KINDS(VEK_BASIC_KIND_ENUM)
#undef VEK_BASIC_KIND_ENUM
};

#define VEK_BASIC_KIND_COUNT(kind, typeName, varType, declaredAs, suffix) +1
inline constexpr int kKindCount = 0 VEK_BASIC_KINDS(VEK_BASIC_KIND_COUNT);
#undef VEK_BASIC_KIND_COUNT

struct KindInfo {
    const char* typeName;   // TypeName
    int varType;            // VarType
    const char* declaredAs; // Dim x As ...
    char suffix;            // x$, x%
};

const KindInfo& KindOf(Tag tag);
// The kind a type word after As names (Variant: Empty); false for no type word.
bool KindDeclaredAs(std::string_view word, Tag& tag);
// The kind a type-suffix character gives a name or a number; Empty for none.
Tag KindOfSuffix(char suffix);

struct StringObject;
struct ArrayObject;
struct RecordType;

// The one value type of the machine: 16 bytes, strings and arrays shared by reference count with
// copy-on-write, so copying a value never allocates.
class Variant {
public:
    Variant() : tag_(Tag::Empty) {}
    ~Variant() {
        if (IsShared()) {
            ReleaseShared();
        }
    }
    Variant(const Variant& other) : tag_(other.tag_), refType_(other.refType_), raw_(other.raw_) {
        if (IsShared()) {
            RetainShared();
        }
    }
    Variant(Variant&& other) noexcept
        : tag_(other.tag_), refType_(other.refType_), raw_(other.raw_) {
        other.tag_ = Tag::Empty;
    }
    Variant& operator=(const Variant& other) {
        if (IsShared() || other.IsShared()) {
            return AssignShared(other);
        }
        tag_ = other.tag_;
        refType_ = other.refType_;
        raw_ = other.raw_;
        return *this;
    }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            if (IsShared()) {
                ReleaseShared();
            }
            tag_ = other.tag_;
            refType_ = other.refType_;
            raw_ = other.raw_;
            other.tag_ = Tag::Empty;
        }
        return *this;
    }

    static Variant Empty() { return Variant(); }
    static Variant Null() { return Variant(Tag::Null, 0); }
    static Variant Boolean(bool b) { return Variant(Tag::Boolean, b ? -1 : 0); }
    static Variant Integer(std::int32_t v) { return Variant(Tag::Integer, v); }
    static Variant Long(std::int32_t v) { return Variant(Tag::Long, v); }
    static Variant Single(float v) { return Variant(Tag::Single, static_cast<double>(v)); }
    static Variant Double(double v) { return Variant(Tag::Double, v); }
    static Variant Date(double v) { return Variant(Tag::Date, v); }
    // An Integer or Long; a Single, Double or Date (a Single rounded to float).
    static Variant Whole(Tag tag, std::int32_t v) { return Variant(tag, v); }
    static Variant Real(Tag tag, double v) {
        return tag == Tag::Single ? Single(static_cast<float>(v)) : Variant(tag, v);
    }
    static Variant String(std::string text);
    static Variant Array(ArrayObject* array);   // takes one reference
    static Variant Record(ArrayObject* record); // takes one reference; record->record is set
    // A reference to a variable; declaredType is the variable's type, which every store
    // through the reference keeps (Empty: Variant).
    static Variant Ref(Variant* target, Tag declaredType) {
        Variant v;
        v.tag_ = Tag::Ref;
        v.refType_ = declaredType;
        v.raw_ = reinterpret_cast<std::uintptr_t>(target);
        return v;
    }

    Tag GetTag() const { return tag_; }
    bool IsEmpty() const { return tag_ == Tag::Empty; }
    bool IsNull() const { return tag_ == Tag::Null; }
    bool IsString() const { return tag_ == Tag::String; }
    bool IsArray() const { return tag_ == Tag::Array; }
    bool IsRecord() const { return tag_ == Tag::Record; }
    // An array or a record: a value that holds other values.
    bool IsContainer() const { return tag_ >= Tag::Array; }
    bool IsRef() const { return tag_ == Tag::Ref; }
    // Boolean, Integer or Long: the kinds whose payload is the 32-bit integer.
    bool IsIntegral() const { return tag_ >= Tag::Boolean && tag_ <= Tag::Long; }
    bool IsNumeric() const { return tag_ >= Tag::Boolean && tag_ <= Tag::Date; }

    std::int32_t IntValue() const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(raw_));
    }
    double DoubleValue() const {
        double d = 0;
        std::memcpy(&d, &raw_, sizeof d);
        return d;
    }
    const std::string& StringValue() const;
    // The object of an array or of a record.
    ArrayObject* GetArray() const { return reinterpret_cast<ArrayObject*>(raw_); }
    Variant* Target() const { return reinterpret_cast<Variant*>(raw_); }
    Tag RefType() const { return refType_; }
    // The value itself, or what a Ref points at.
    const Variant& Deref() const { return tag_ == Tag::Ref ? *Target() : *this; }

    // Appends to this String in place when no one else shares it (the fast road of s = s & x).
    void AppendString(std::string_view text);
    // Makes this array or record unshared before an element is written (copy-on-write).
    ArrayObject* MutableArray();

    // Overwrites an Integer or Long payload in place, keeping the tag (loop counters).
    void SetInt(std::int32_t v) { raw_ = static_cast<std::uint32_t>(v); }

private:
    // The payload is written whole, in one 8-byte store, so that copying it right after never
    // waits for partial stores to merge.
    Variant(Tag tag, std::int32_t v) : tag_(tag), raw_(static_cast<std::uint32_t>(v)) {}
    Variant(Tag tag, double v) : tag_(tag) { std::memcpy(&raw_, &v, sizeof v); }
    StringObject* GetStringObject() const { return reinterpret_cast<StringObject*>(raw_); }
    bool IsShared() const { return tag_ >= Tag::String; }
    void RetainShared() const;
    void ReleaseShared();
    Variant& AssignShared(const Variant& other);

    Tag tag_;
    Tag refType_ = Tag::Empty;
    // Integer kinds: the 32-bit value zero-extended; Single, Double, Date: the double's bits;
    // String, Array, Ref: the pointer.
    std::uint64_t raw_ = 0;
};

// A string value; counts its memory in the scripts' budget (script_memory.h) while it lives.
struct StringObject {
    explicit StringObject(std::string&& value);
    ~StringObject();
    StringObject(const StringObject&) = delete;
    StringObject& operator=(const StringObject&) = delete;
    // Appends, counting what the text grows by.
    void Append(std::string_view more);

    std::uint32_t refs = 1;
    std::string text;
};

// An array with up to kMaxArrayDims dimensions; elements stored with the first index fastest,
// as Visual Basic lays them out. elementTag is the declared element type (Empty for Variant).
// A record is one too, without dimensions: its items are its members in the order of its type.
// Counts the storage of its items in the scripts' budget while it lives.
struct ArrayObject {
    ArrayObject() = default;
    ArrayObject(const ArrayObject& other);
    ArrayObject& operator=(const ArrayObject&) = delete;
    ~ArrayObject();
    // Counts the items' storage again after they changed in number.
    void CountItems();

    std::uint32_t refs = 1;
    // References to elements handed to running procedures (ByRef arguments): while there are
    // any, the array is neither freed nor resized, so each element stays where it is.
    std::uint32_t locks = 0;
    Tag elementTag = Tag::Empty;
    // A record: its user-defined type; an array of records (elementTag Record): theirs.
    const RecordType* record = nullptr;
    int dims = 0;
    int nesting = 1; // 1 + the deepest nesting of an array or record among the items
    std::int32_t lower[kMaxArrayDims] = {};
    std::int32_t upper[kMaxArrayDims] = {};
    std::vector<Variant> items;

    std::int64_t Extent(int d) const { return std::int64_t{upper[d]} - lower[d] + 1; }

private:
    std::int64_t countedBytes_ = 0;
};

inline void Variant::RetainShared() const {
    if (tag_ == Tag::String) {
        ++GetStringObject()->refs;
    } else {
        ++GetArray()->refs;
    }
}

inline const std::string& Variant::StringValue() const {
    return GetStringObject()->text;
}

// The name of the elements of an array of this kind: an array without a kind holds Variants.
const char* ElementTypeName(Tag tag);
// The name of the elements of this array: their kind, or their user-defined type.
std::string ElementTypeName(const ArrayObject& array);

} // namespace vek::basic
