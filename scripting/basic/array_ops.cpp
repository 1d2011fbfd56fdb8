#include "scripting/basic/array_ops.h"

#include "scripting/basic/conversions.h"
#include "scripting/basic/record_type.h"
#include "scripting/basic/script_memory.h"

#include <algorithm>

namespace vek::basic {

namespace {

RunError CheckBounds(int dims, const std::int32_t* lower, const std::int32_t* upper,
                     std::size_t& count) {
    if (dims < 1 || dims > kMaxArrayDims) {
        return RunError::SubscriptOutOfRange;
    }
    std::int64_t total = 1;
    for (int d = 0; d < dims; ++d) {
        const std::int64_t extent = std::int64_t{upper[d]} - lower[d] + 1;
        if (extent < 1) {
            return RunError::SubscriptOutOfRange;
        }
        total *= extent;
        if (total > kMaxArrayElements) {
            return RunError::OutOfMemory;
        }
    }
    count = static_cast<std::size_t>(total);
    return ReserveScriptMemory(count * sizeof(Variant));
}

} // namespace

Variant UnallocatedArray(Tag element, const RecordType* record) {
    auto* array = new ArrayObject;
    array->elementTag = element;
    array->record = record;
    return Variant::Array(array);
}

RunError NewArray(int dims, const std::int32_t* lower, const std::int32_t* upper, Tag element,
                  const RecordType* record, Variant& out) {
    std::size_t count = 0;
    if (const RunError e = CheckBounds(dims, lower, upper, count); e != RunError::None) {
        return e;
    }
    out = UnallocatedArray(element, record);
    ArrayObject* array = out.GetArray();
    array->dims = dims;
    for (int d = 0; d < dims; ++d) {
        array->lower[d] = lower[d];
        array->upper[d] = upper[d];
    }
    if (record != nullptr) {
        array->items.assign(count, record->blank);
        array->nesting = record->blank.GetArray()->nesting + 1;
    } else {
        array->items.assign(count, DefaultValue(element));
    }
    array->CountItems();
    return RunError::None;
}

RunError Redimension(Variant& target, int dims, const std::int32_t* lower,
                     const std::int32_t* upper, Tag element, bool preserve) {
    if (target.IsArray() && target.GetArray()->locks > 0) {
        return RunError::ArrayLocked;
    }
    const RecordType* record = target.IsArray() ? target.GetArray()->record : nullptr;
    if (element == Tag::Record && record == nullptr) {
        return RunError::TypeMismatch; // only a variable declared as an array of records
    }
    if (!preserve || !target.IsArray() || target.GetArray()->dims == 0) {
        return NewArray(dims, lower, upper, element, record, target);
    }
    const ArrayObject& old = *target.GetArray();
    if (old.dims != dims) {
        return RunError::SubscriptOutOfRange;
    }
    for (int d = 0; d + 1 < dims; ++d) {
        if (old.lower[d] != lower[d] || old.upper[d] != upper[d]) {
            return RunError::SubscriptOutOfRange;
        }
    }
    Variant fresh;
    if (const RunError e = NewArray(dims, lower, upper, element, record, fresh);
        e != RunError::None) {
        return e;
    }
    // Elements are laid out with the last dimension slowest, so the kept ones form a prefix.
    ArrayObject* array = fresh.GetArray();
    const std::size_t keep = std::min(old.items.size(), array->items.size());
    for (std::size_t i = 0; i < keep; ++i) {
        array->items[i] = old.items[i];
    }
    target = std::move(fresh);
    return RunError::None;
}

RunError UnshareArray(Variant& holder, ArrayObject*& array) {
    const ArrayObject& shared = *holder.GetArray();
    if (shared.refs > 1) {
        if (const RunError e = ReserveScriptMemory(shared.items.size() * sizeof(Variant));
            e != RunError::None) {
            return e;
        }
    }
    array = holder.MutableArray();
    return RunError::None;
}

RunError FlatIndex(const ArrayObject& array, const Variant* indices, int count, std::size_t& out) {
    if (count != array.dims) {
        return RunError::SubscriptOutOfRange;
    }
    std::size_t flat = 0;
    std::size_t stride = 1;
    for (int d = 0; d < count; ++d) {
        std::int32_t index = 0;
        if (indices[d].IsIntegral()) {
            index = indices[d].IntValue();
        } else if (const RunError e = ToLong(indices[d], index); e != RunError::None) {
            return e;
        }
        if (index < array.lower[d] || index > array.upper[d]) {
            return RunError::SubscriptOutOfRange;
        }
        flat += static_cast<std::size_t>(index - array.lower[d]) * stride;
        stride *= static_cast<std::size_t>(array.Extent(d));
    }
    out = flat;
    return RunError::None;
}

RunError MakeVariantList(std::vector<Variant> values, Variant& out) {
    if (values.size() > static_cast<std::size_t>(kMaxArrayElements)) {
        return RunError::OutOfMemory;
    }
    int nesting = 1;
    for (const Variant& v : values) {
        if (v.IsContainer()) {
            nesting = std::max(nesting, v.GetArray()->nesting + 1);
        }
    }
    if (nesting > kMaxArrayNesting) {
        return RunError::OutOfMemory;
    }
    auto* array = new ArrayObject;
    array->dims = 1;
    array->nesting = nesting;
    array->lower[0] = 0;
    array->upper[0] = static_cast<std::int32_t>(values.size()) - 1;
    array->items = std::move(values);
    array->CountItems();
    out = Variant::Array(array);
    return RunError::None;
}

RunError WalkPath(Variant& root, const AccessPath& path, const Variant* indices,
                  ArrayObject*& container, std::size_t& item) {
    if (path.steps.empty()) {
        return RunError::TypeMismatch; // the compiler stores into plain variables directly
    }
    Variant* at = &root;
    for (const AccessPath::Step& step : path.steps) {
        if (step.member >= 0) {
            if (!at->IsRecord() || at->GetArray()->record != step.record) {
                return RunError::TypeMismatch;
            }
            item = static_cast<std::size_t>(step.member);
        } else {
            if (!at->IsArray()) {
                return RunError::TypeMismatch;
            }
            if (const RunError e = FlatIndex(*at->GetArray(), indices, step.indices, item);
                e != RunError::None) {
                return e;
            }
            indices += step.indices;
        }
        if (const RunError e = UnshareArray(*at, container); e != RunError::None) {
            return e;
        }
        at = &container->items[item];
    }
    return RunError::None;
}

RunError StoreItem(ArrayObject& container, std::size_t index, Variant& value, Tag declared,
                   const RecordType* record) {
    if (value.IsContainer()) {
        const int nesting = value.GetArray()->nesting + 1;
        if (nesting > kMaxArrayNesting) {
            return RunError::OutOfMemory;
        }
        container.nesting = std::max(container.nesting, nesting);
    }
    if (declared != Tag::Empty && value.GetTag() != declared) {
        if (const RunError e = CoerceTo(value, declared); e != RunError::None) {
            return e;
        }
    }
    if (declared == Tag::Record && value.GetArray()->record != record) {
        return RunError::TypeMismatch;
    }
    container.items[index] = std::move(value);
    return RunError::None;
}

} // namespace vek::basic
