#include "scripting/item_names.h"

#include <algorithm>
#include <utility>

namespace vek {

std::string_view ItemNames::List::At(std::size_t index) const {
    const std::uint32_t begin = index == 0 ? 0 : ends[index - 1];
    return std::string_view(text).substr(begin, ends[index] - begin);
}

void ItemNames::List::Append(std::string_view name) {
    text.append(name);
    ends.push_back(static_cast<std::uint32_t>(text.size()));
}

void ItemNames::Renew(std::size_t count) {
    if (count == 0)
        return;
    TakeEarlier(earlier_.Count());
    earlier_ = std::move(list_);
    list_ = List{};
    list_.ends.reserve(count);
    renewing_ = count;
}

void ItemNames::TakeEarlier(std::size_t count) {
    for (std::size_t k = list_.Count(); k < std::min(count, earlier_.Count()); ++k)
        list_.Append(earlier_.At(k));
    if (list_.Count() >= earlier_.Count())
        earlier_ = List{};
}

void ItemNames::Set(std::size_t index, std::string_view name) {
    if (index < list_.Count()) {
        // Out of order: the entries after it are written again.
        List rebuilt;
        rebuilt.text.reserve(list_.text.size() + name.size());
        for (std::size_t k = 0; k < list_.Count(); ++k)
            rebuilt.Append(k == index ? name : list_.At(k));
        list_ = std::move(rebuilt);
        return;
    }
    TakeEarlier(index);
    while (list_.Count() < index)
        list_.Append({});
    list_.Append(name);
    // Once the renewal's entries are in, the earlier ones beyond them join the list.
    if (list_.Count() >= renewing_)
        TakeEarlier(earlier_.Count());
}

std::size_t ItemNames::Count() const {
    return std::max(list_.Count(), earlier_.Count());
}

std::string_view ItemNames::At(std::size_t index) const {
    if (index < list_.Count())
        return list_.At(index);
    return index < earlier_.Count() ? earlier_.At(index) : std::string_view();
}

} // namespace vek
