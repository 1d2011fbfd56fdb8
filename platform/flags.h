#pragma once

#include <cstdint>
#include <type_traits>

namespace vek {

// Set to true for an enum class whose values are bits, so that its values combine with "|" into
// Flags of that enum.
template <class E>
inline constexpr bool kIsFlagEnum = false;

// A set of the bits of one flag enum. Flags of different enums do not mix, so a bit that means
// one thing to an item and another to a transfer cannot be passed in the wrong place.
template <class E>
class Flags {
public:
    using Bits = std::underlying_type_t<E>;

    constexpr Flags() = default;
    constexpr Flags(E flag) : bits_(static_cast<Bits>(flag)) {}
    // The set a number stands for, where the number comes from outside (a view, a script).
    static constexpr Flags FromBits(Bits bits) {
        Flags flags;
        flags.bits_ = bits;
        return flags;
    }
    constexpr Bits ToBits() const { return bits_; }

    // Whether every bit of `flags` is set.
    constexpr bool Has(Flags flags) const { return (bits_ & flags.bits_) == flags.bits_; }
    constexpr bool HasAny(Flags flags) const { return (bits_ & flags.bits_) != 0; }
    constexpr bool IsEmpty() const { return bits_ == 0; }

    constexpr Flags& Set(Flags flags) {
        bits_ |= flags.bits_;
        return *this;
    }
    constexpr Flags& Clear(Flags flags) {
        bits_ &= static_cast<Bits>(~flags.bits_);
        return *this;
    }
    constexpr Flags& Assign(Flags flags, bool on) { return on ? Set(flags) : Clear(flags); }
    constexpr Flags& Toggle(Flags flags) {
        bits_ ^= flags.bits_;
        return *this;
    }

    friend constexpr Flags operator|(Flags a, Flags b) { return a.Set(b); }
    friend constexpr Flags operator&(Flags a, Flags b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr bool operator==(Flags, Flags) = default;

private:
    Bits bits_ = 0;
};

template <class E>
requires kIsFlagEnum<E>
constexpr Flags<E> operator|(E a, E b) {
    return Flags<E>(a) | b;
}

// Declares a flag enum from its list of (name, value) lines, and names the set of its flags.
#define VEK_FLAG_ENUM(Enum, Set, LIST)                                                             \
    enum class Enum : std::uint32_t { LIST(VEK_FLAG_ENUM_VALUE) };                                 \
    template <>                                                                                    \
    inline constexpr bool kIsFlagEnum<Enum> = true;                                                \
    using Set = Flags<Enum>;
#define VEK_FLAG_ENUM_VALUE(name, value) name = value,

} // namespace vek
