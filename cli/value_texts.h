#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vek {

class CItemList;
class CVarItem;

// The text lines a description writes under a bit field name its values in order: after
// `READY [0x02] & 0x01; "busy", "ready";` the value 0 reads "busy" and 1 "ready".
class ValueTexts {
public:
    explicit ValueTexts(const CItemList& items);

    // The text for the value, or none when the description gives none.
    std::optional<std::string_view> Find(const CVarItem& item, std::uint32_t value) const;

private:
    std::unordered_map<const CVarItem*, std::vector<std::string_view>> texts_;
};

} // namespace vek
