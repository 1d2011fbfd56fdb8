#pragma once

#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstddef>
#include <cstdint>

namespace vek::basic {

// Creates an array with the given bounds, each element the default of `element` (Empty tag:
// Variant). Fails with SubscriptOutOfRange for inverted bounds and OutOfMemory beyond
// kMaxArrayElements.
RunError NewArray(int dims, const std::int32_t* lower, const std::int32_t* upper, Tag element,
                  Variant& out);

// A dynamic array before its ReDim: no dimensions yet (UBound on it is error 9), elements of
// kind `element` once it has them.
Variant UnallocatedArray(Tag element);

// ReDim of the array held by target; Preserve keeps the elements that stay in range and, as in
// Visual Basic, lets only the last dimension change. An array one of whose elements is passed
// ByRef to a running procedure is locked (error 10).
RunError Redimension(Variant& target, int dims, const std::int32_t* lower,
                     const std::int32_t* upper, Tag element, bool preserve);

// The array `holder` holds, made its own before an element is written (copy-on-write); the copy
// of a shared array must fit the scripts' memory budget.
RunError UnshareArray(Variant& holder, ArrayObject*& array);

// Position of an element in items from `count` index values.
RunError FlatIndex(const ArrayObject& array, const Variant* indices, int count, std::size_t& out);

// A zero-based one-dimensional Variant array of the given values (Array(), Split()); fails when
// that would nest arrays deeper than kMaxArrayNesting.
RunError MakeVariantList(std::vector<Variant> values, Variant& out);

// Stores value as an element of array (converted to its element type), keeping the nesting
// bound.
RunError StoreElementValue(ArrayObject& array, std::size_t flat, Variant& value);

} // namespace vek::basic
