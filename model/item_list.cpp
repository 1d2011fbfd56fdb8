#include "model/item_list.h"

#include "model/bit_item.h"
#include "model/bits.h"
#include "model/byte_item.h"
#include "platform/text_helpers.h"

#include <algorithm>

namespace vek {

namespace {

// Room left between the order numbers of neighbours, so that most insertions find a free number.
constexpr uint64_t kOrderGap = uint64_t{1} << 20;

uint64_t LabelKey(uint32_t group, int label) {
    return (uint64_t{group} << 32) | static_cast<uint32_t>(label);
}

bool StartsGroup(const CLineItem& item) {
    return item.GetKind() == ItemKind::Line || item.GetKind() == ItemKind::Device;
}

// Parts at one address beyond which the overlap check keeps them in a crowd rather than
// comparing a new part with each: few addresses hold more, and a crowd costs some memory.
constexpr std::size_t kCrowdSize = 16;

PartTraits TraitsOf(const CByteItem& reg, const CByteItem::Part& part) {
    return {part.mask, part.defaultValue, part.memorySize, part.memorySize < part.dataLength,
            reg.GetAccessType()};
}

} // namespace

CLineItem* CItemList::GetCurrent() const {
    return current_ == nodes_.end() ? nullptr : current_->item;
}

std::vector<StringId> CItemList::TakeErrors() {
    std::vector<StringId> errors;
    errors.swap(errors_);
    return errors;
}

CItemList::~CItemList() {
    Clear();
}

void CItemList::Clear() {
    // The items end before the arena that holds them.
    for (Node& node : nodes_)
        (node.inArena ? ItemDeleter::InArena() : ItemDeleter())(node.item);
    nodes_.clear();
    parts_.Clear();
    crowds_.clear();
    spanningGroups_.clear();
    lastLabelled_.clear();
    current_ = nodes_.end();
}

CLineItem* CItemList::Append(ItemPtr<> item) {
    return InsertBefore(nodes_.end(), std::move(item));
}

CLineItem* CItemList::InsertAfterCurrent(ItemPtr<> item) {
    return InsertBefore(current_ == nodes_.end() ? nodes_.end() : std::next(current_),
                        std::move(item));
}

CLineItem* CItemList::InsertAtLabel(ItemPtr<> item, int label) {
    return InsertBefore(InsertionPointOf(label), std::move(item));
}

CItemList::Position CItemList::InsertionPointOf(int label) {
    // Back from the end to the last item of the device that carries the label ...
    if (nodes_.empty()) {
        return nodes_.end();
    }
    const auto found = lastLabelled_.find(LabelKey(nodes_.back().group, label));
    if (found == lastLabelled_.end()) {
        return nodes_.end();
    }
    const Position labelled = found->second;
    // ... then forward to the end of its group: the first item of a lower level.
    const int level = labelled->item->GetLevel();
    auto it = std::next(labelled);
    while (it != nodes_.end() && it->item->GetLevel() >= level) {
        ++it;
    }
    return it;
}

CLineItem* CItemList::InsertBefore(Position next, ItemPtr<> item) {
    if (item == nullptr) {
        return nullptr;
    }
    const bool startsGroup = StartsGroup(*item);
    const bool inArena = item.get_deleter().MadeInArena();
    CLineItem* added = item.release();
    const Position at = nodes_.insert(next, Node{added});
    at->inArena = inArena;
    if (startsGroup) {
        at->group = ++groups_;
    } else if (at != nodes_.begin()) {
        at->group = std::prev(at)->group;
    }
    Number(at);
    FindParent(at);
    if (CSetItem::IsSetKind(added->GetKind())) {
        const int label = static_cast<const CSetItem*>(added)->GetLabel();
        const auto [last, fresh] = lastLabelled_.try_emplace(LabelKey(at->group, label), at);
        if (!fresh && last->second->order < at->order) {
            last->second = at;
        }
    }
    current_ = at;
    return added;
}

void CItemList::Number(Position at) {
    const uint64_t before = at == nodes_.begin() ? 0 : std::prev(at)->order;
    const auto next = std::next(at);
    if (next == nodes_.end()) {
        if (before <= UINT64_MAX - kOrderGap) {
            at->order = before + kOrderGap;
            return;
        }
    } else if (next->order - before > 1) {
        at->order = before + (next->order - before) / 2;
        return;
    }
    Spread(at, before);
}

// No free number is left beside the new item: spread the items of the smallest aligned range of
// numbers around it that is sparse enough over that range. Ranges grow by doubling and may hold
// fewer items the larger they are (fewer than (4/3)^i items in a range of 2^i numbers), so that
// repeated insertions at one place cost logarithmic time on average.
void CItemList::Spread(Position at, uint64_t number) {
    at->order = number;
    double allowed = 1.0;
    for (int bits = 1; bits < 64; ++bits) {
        allowed *= 4.0 / 3.0;
        const uint64_t size = uint64_t{1} << bits;
        const uint64_t low = number & ~(size - 1);
        const uint64_t high = low + (size - 1);
        Position first = at;
        while (first != nodes_.begin() && std::prev(first)->order >= low) {
            --first;
        }
        Position last = at;
        std::size_t count = 1 + static_cast<std::size_t>(std::distance(first, at));
        while (std::next(last) != nodes_.end() && std::next(last)->order <= high) {
            ++last;
            ++count;
        }
        if (static_cast<double>(count) < allowed && count < size / 2) {
            const uint64_t step = size / (count + 1);
            uint64_t order = low;
            for (auto it = first;; ++it) {
                order += step;
                it->order = order;
                if (it == last) {
                    return;
                }
            }
        }
    }
    Renumber();
}

void CItemList::Renumber() {
    const uint64_t step = UINT64_MAX / (nodes_.size() + 1);
    uint64_t order = 0;
    for (Node& node : nodes_) {
        order += step;
        node.order = order;
    }
}

void CItemList::FindParent(Position at) {
    const int level = at->item->GetLevel();
    // Every item between an earlier item and its parent lies at that item's level or deeper, so
    // the search may jump from parent to parent.
    Node* candidate = at == nodes_.begin() ? nullptr : &*std::prev(at);
    while (candidate != nullptr && candidate->item->GetLevel() >= level) {
        candidate = candidate->parent;
    }
    at->parent = candidate;
    // Deeper items that follow now find this item before an old parent that lies before it
    // (a parent among the items passed here stays theirs).
    for (auto it = std::next(at); it != nodes_.end() && it->item->GetLevel() > level; ++it) {
        if (it->parent == nullptr || it->parent->order < at->order) {
            it->parent = &*at;
        }
    }
}

CItemList::Position CItemList::PositionOf(const CLineItem* item) {
    if (current_ != nodes_.end() && current_->item == item) {
        return current_;
    }
    for (auto it = nodes_.begin(); it != nodes_.end(); ++it) {
        if (it->item == item) {
            return it;
        }
    }
    return nodes_.end();
}

void CItemList::Check(CLineItem* item) {
    const Position at = PositionOf(item);
    if (at == nodes_.end()) {
        return;
    }
    current_ = at;
    switch (item->GetKind()) {
    case ItemKind::Set:
        CheckLabel(at);
        CheckTemplate(at);
        break;
    case ItemKind::Register: {
        const auto& reg = static_cast<const CByteItem&>(*item);
        CheckLabel(at);
        if (CheckTemplate(at)) {
            CheckMask(reg);
        }
        CheckOverlap(at, reg);
        break;
    }
    case ItemKind::Variable:
        CheckLabel(at);
        break;
    case ItemKind::BitField:
        CheckBitField(static_cast<const CBitItem&>(*item));
        break;
    default:
        break;
    }
}

bool CItemList::CheckLabel(Position at) {
    const auto& set = static_cast<const CSetItem&>(*at->item);
    if (set.GetLabelRole() != LabelRole::Recorded) {
        return true;
    }
    // Back to the item that opened the block; labels belong to one device.
    for (auto it = at; it != nodes_.begin();) {
        --it;
        if (StartsGroup(*it->item)) {
            break;
        }
        if (!CSetItem::IsSetKind(it->item->GetKind())) {
            continue;
        }
        const auto* earlier = static_cast<const CSetItem*>(it->item);
        if (earlier->GetLabel() == set.GetLabel()) {
            errors_.push_back(StringId::ErrB06);
            return false;
        }
        if (earlier->GetLabelRole() == LabelRole::BlockStart) {
            break;
        }
    }
    return true;
}

bool CItemList::CheckTemplate(Position at) {
    if (at->parent == nullptr || (at->parent->item->GetKind() != ItemKind::Device &&
                                  !CSetItem::IsSetKind(at->parent->item->GetKind()))) {
        return true;
    }
    const auto* parent = static_cast<const CDeviceItem*>(at->parent->item);
    const std::string_view outer = parent->GetAddressText();
    const std::string_view inner = static_cast<const CDeviceItem&>(*at->item).GetAddressText();
    for (std::size_t i = 0; i < outer.size(); ++i) {
        if (HexDigitValue(outer[i]) >= 0 &&
            (i >= inner.size() || LowerLetter(outer[i]) != LowerLetter(inner[i]))) {
            errors_.push_back(StringId::ErrB09);
            return false;
        }
    }
    return true;
}

void CItemList::CheckMask(const CByteItem& reg) {
    const uint16_t size = reg.GetDataLength();
    if (size < 4 && (uint64_t{reg.GetMask()} >> (8 * size)) != 0) {
        errors_.push_back(StringId::ErrB12);
    }
}

void CItemList::IndexParts(Node& node, const CByteItem& reg) {
    for (; node.indexedParts < reg.GetPartCount(); ++node.indexedParts) {
        const CByteItem::Part part = reg.GetPart(node.indexedParts);
        if (part.memorySize < part.dataLength) {
            if (spanningGroups_.size() <= node.group) {
                spanningGroups_.resize(node.group + 1);
            }
            spanningGroups_[node.group] = true;
        }
        const PartIndex::Key key{node.group, AddressNumber(part.address.data(), part.addressLength),
                                 part.addressLength};
        parts_.Add(key, &node, node.indexedParts);
        if (!crowds_.empty()) {
            if (const auto crowd = crowds_.find(parts_.First(key)); crowd != crowds_.end()) {
                crowd->second.Add({&node, node.indexedParts},
                                  TraitsOf(static_cast<const CByteItem&>(*node.item), part));
            }
        }
    }
}

void CItemList::MakeCrowd(uint32_t first) {
    PartCrowd& crowd = crowds_[first];
    for (uint32_t i = first; i != PartIndex::kEnd; i = parts_.At(i).next) {
        const PartIndex::Entry& entry = parts_.At(i);
        const auto& reg = static_cast<const CByteItem&>(*static_cast<Node*>(entry.node)->item);
        crowd.Add({entry.node, entry.part}, TraitsOf(reg, reg.GetPart(entry.part)));
    }
}

void CItemList::CheckOverlap(Position at, const CByteItem& reg) {
    const uint16_t length = reg.GetAddressLength();
    const uint64_t a = AddressNumber(reg.GetAddressBytes().data(), length);
    // The selected part's, in the item's own fields.
    const PartTraits traits{reg.GetMask(), reg.GetDefault(), reg.GetMemorySize(),
                            reg.GetMemorySize() < reg.GetDataLength(), reg.GetAccessType()};
    // A part at another address is compared only when the one at the lower address spans
    // several addresses: look below only if some part of the device does, above only if this
    // register does.
    const bool spansBelow = at->group < spanningGroups_.size() && spanningGroups_[at->group];
    const uint64_t low = !spansBelow ? a : a >= kOverlapReach ? a - kOverlapReach : 0;
    const uint64_t high = !traits.spans                     ? a
                          : a <= UINT64_MAX - kOverlapReach ? a + kOverlapReach
                                                            : UINT64_MAX;

    // The parts of earlier registers of the device within reach, nearest register first and
    // each register's parts in order: the order in which a walk back through the list meets them.
    // A part of a crowded address comes with its error already found; the crowd leaves out the
    // many that have none.
    std::vector<NearPart>& earlier = nearParts_;
    earlier.clear();
    const auto take = [&](void* node, uint32_t part, std::optional<StringId> error) {
        auto* near = static_cast<Node*>(node);
        if (near != &*at && near->order < at->order) {
            earlier.push_back({near, part, error});
        }
    };
    for (uint64_t address = low;; ++address) {
        const uint32_t first = parts_.First({at->group, address, length});
        const auto crowd = crowds_.empty() ? crowds_.end() : crowds_.find(first);
        if (crowd != crowds_.end()) {
            crowdErrors_.clear();
            crowd->second.FindErrors(traits, a, address, crowdErrors_);
            for (const PartCrowd::Found& found : crowdErrors_) {
                take(found.member.node, found.member.part, found.error);
            }
        } else {
            std::size_t count = 0;
            for (uint32_t i = first; i != PartIndex::kEnd; i = parts_.At(i).next, ++count) {
                take(parts_.At(i).node, parts_.At(i).part, std::nullopt);
            }
            if (count >= kCrowdSize) {
                MakeCrowd(first);
            }
        }
        if (address == high) {
            break;
        }
    }
    std::sort(earlier.begin(), earlier.end(), [](const NearPart& x, const NearPart& y) {
        return x.node->order != y.node->order ? x.node->order > y.node->order : x.part < y.part;
    });

    for (const NearPart& near : earlier) {
        if (near.error) {
            errors_.push_back(*near.error);
            continue;
        }
        const auto& other = static_cast<const CByteItem&>(*near.node->item);
        const CByteItem::Part p = other.GetPart(near.part);
        if (const auto error = OverlapError(traits, a, TraitsOf(other, p),
                                            AddressNumber(p.address.data(), p.addressLength))) {
            errors_.push_back(*error);
        }
    }
    IndexParts(*at, reg);
}

void CItemList::CheckBitField(const CBitItem& bit) {
    const CByteItem* reg = bit.GetRegister();
    bool addressed = false;
    for (std::size_t k = 0; reg != nullptr && k < reg->GetPartCount(); ++k) {
        addressed = addressed || EqualsNoCase(bit.GetAddressText(), reg->GetPart(k).addressText);
    }
    if (!addressed) {
        errors_.push_back(StringId::ErrB13);
        return;
    }
    for (std::size_t k = 0; k < reg->GetPartCount(); ++k) {
        const CByteItem::Part part = reg->GetPart(k);
        const auto length = std::min<std::size_t>(part.addressLength, 8);
        if (std::equal(part.address.begin(), part.address.begin() + length,
                       bit.GetAddressBytes().begin()) &&
            (bit.GetMask() & ~part.mask) != 0) {
            errors_.push_back(StringId::ErrB12);
        }
    }
}

} // namespace vek
