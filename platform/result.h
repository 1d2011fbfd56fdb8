#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace vek {

// Why an operation failed: a code the caller may branch on and the reason as the user reads it
// (a system error text, a message of the catalogue). Code 0 is never a failure.
struct Failure {
    int code = 1;
    std::string text;
};

// The outcome of an internal operation: its value, or the failure with its reason. The one way
// the program's layers report failure to each other; the C driver interface keeps its own int
// convention and is translated at its edge.
template <class T = void>
class Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool IsOk() const { return state_.index() == 0; }
    explicit operator bool() const { return IsOk(); }

    T& Value() & { return std::get<0>(state_); }
    const T& Value() const& { return std::get<0>(state_); }
    T&& Value() && { return std::get<0>(std::move(state_)); }
    const Failure& Error() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

// A success holds nothing, so that passing one through the layers of a register transfer costs
// no more than a flag.
template <>
class Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool IsOk() const { return !failure_.has_value(); }
    explicit operator bool() const { return IsOk(); }
    // On a success, the failure with code 0 and no text.
    const Failure& Error() const { return failure_ ? *failure_ : kNone; }

private:
    static inline const Failure kNone{0, {}};
    std::optional<Failure> failure_;
};

} // namespace vek
