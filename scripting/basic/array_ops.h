#pragma once

#include "scripting/basic/program.h"
#include "scripting/basic/run_errors.h"
#include "scripting/basic/variant.h"

#include <cstddef>
#include <cstdint>

namespace vek::basic {

// Creates an array with the given bounds, each element the default of `element` (Empty tag:
// Variant), or for records (element Record) the blank record of `record`. Fails with
// SubscriptOutOfRange for inverted bounds and OutOfMemory beyond kMaxArrayElements.
RunError NewArray(int dims, const std::int32_t* lower, const std::int32_t* upper, Tag element,
                  const RecordType* record, Variant& out);

// A dynamic array before its ReDim: no dimensions yet (UBound on it is error 9), elements of
// kind `element` (records of `record`) once it has them.
Variant UnallocatedArray(Tag element, const RecordType* record = nullptr);

// ReDim of the array held by target; Preserve keeps the elements that stay in range and, as in
// Visual Basic, lets only the last dimension change. Records stay records of their type. An array
// one of whose elements is passed ByRef to a running procedure is locked (error 10).
RunError Redimension(Variant& target, int dims, const std::int32_t* lower,
                     const std::int32_t* upper, Tag element, bool preserve);

// The array or record `holder` holds, made its own before an item is written (copy-on-write);
// the copy of a shared one must fit the scripts' memory budget.
RunError UnshareArray(Variant& holder, ArrayObject*& array);

// Position of an element in items from `count` index values.
RunError FlatIndex(const ArrayObject& array, const Variant* indices, int count, std::size_t& out);

// Whether a whole-number index lies within dimension d of the array.
inline bool WithinBounds(const ArrayObject& array, int d, const Variant& index) {
    return index.IsIntegral() && index.IntValue() >= array.lower[d] &&
           index.IntValue() <= array.upper[d];
}

// FlatIndex with the common case inline, for the machine's loop: whole-number indices within
// the bounds.
inline RunError ElementIndex(const ArrayObject& array, const Variant* indices, int count,
                             std::size_t& out) {
    if (count == array.dims) {
        std::size_t flat = 0;
        std::size_t stride = 1;
        int d = 0;
        for (; d < count; ++d) {
            if (!WithinBounds(array, d, indices[d])) {
                break;
            }
            flat += static_cast<std::size_t>(indices[d].IntValue() - array.lower[d]) * stride;
            stride *= static_cast<std::size_t>(array.Extent(d));
        }
        if (d == count) {
            out = flat;
            return RunError::None;
        }
    }
    return FlatIndex(array, indices, count, out);
}

// A zero-based one-dimensional Variant array of the given values (Array(), Split()); fails when
// that would nest arrays deeper than kMaxArrayNesting.
RunError MakeVariantList(std::vector<Variant> values, Variant& out);

// Walks an access path from the variable `root`: each array and record on the way is made the
// variable's own first (copy-on-write), `indices` are the index values of its steps in order.
// The place it leads to is item `item` of `container`.
RunError WalkPath(Variant& root, const AccessPath& path, const Variant* indices,
                  ArrayObject*& container, std::size_t& item);

// Stores value as item `index` of an array or record, converted to the kind `declared` (Empty:
// Variant; Record: a record of `record`), keeping the nesting bound.
RunError StoreItem(ArrayObject& container, std::size_t index, Variant& value, Tag declared,
                   const RecordType* record);

// Stores value as an element of the array `holder` holds (converted to its element type), made
// its own first; a number into an unshared array of its kind directly, the machine's common case.
inline RunError StoreElementOf(Variant& holder, std::size_t flat, Variant& value) {
    ArrayObject* array = holder.GetArray();
    if (array->refs == 1 && value.GetTag() == array->elementTag && value.IsNumeric()) {
        array->items[flat] = std::move(value);
        return RunError::None;
    }
    if (const RunError e = UnshareArray(holder, array); e != RunError::None) {
        return e;
    }
    return StoreItem(*array, flat, value, array->elementTag, array->record);
}

} // namespace vek::basic
