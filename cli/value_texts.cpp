#include "cli/value_texts.h"

#include "model/item_list.h"
#include "model/var_item.h"

namespace vek {

ValueTexts::ValueTexts(const CItemList& items) {
    // The text lines that follow a bit field one level below it are its values' texts.
    const CVarItem* field = nullptr;
    for (const CLineItem& item : items) {
        if (item.GetKind() == ItemKind::TextLine) {
            if (field != nullptr && item.GetLevel() == field->GetLevel() + 1)
                texts_[field].push_back(item.GetName());
            continue;
        }
        field =
            item.GetKind() == ItemKind::BitField ? static_cast<const CVarItem*>(&item) : nullptr;
    }
}

std::optional<std::string_view> ValueTexts::Find(const CVarItem& item, std::uint32_t value) const {
    const auto found = texts_.find(&item);
    if (found == texts_.end() || value >= found->second.size())
        return std::nullopt;
    return found->second[value];
}

} // namespace vek
