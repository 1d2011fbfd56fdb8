#include "model/part_crowd.h"

namespace vek {

namespace {

bool IsReadOrStatus(AccessType access) {
    return access == AccessType::Read || access == AccessType::Status;
}

// A READ or STATUS register may share bits with a WRITE register, else the types must agree.
bool AccessTypesFit(AccessType a, AccessType b) {
    return a == b || (a == AccessType::Write && IsReadOrStatus(b)) ||
           (b == AccessType::Write && IsReadOrStatus(a));
}

// How far the masks and defaults of two parts are shifted before their bits are compared: the
// part at the lower address drops the bytes that lie below the other's address. None when the
// parts share no byte.
struct Shifts {
    int r = 0;
    int p = 0;
};
std::optional<Shifts> ShiftsOf(bool rSpans, uint64_t a, bool pSpans, uint64_t b) {
    if (a == b)
        return Shifts{};
    if (a > b && pSpans && a - b <= kOverlapReach)
        return Shifts{0, static_cast<int>(8 * (a - b))};
    if (a < b && rSpans && b - a <= kOverlapReach)
        return Shifts{static_cast<int>(8 * (b - a)), 0};
    return std::nullopt;
}

} // namespace

std::optional<StringId> OverlapError(const PartTraits& r, uint64_t a, const PartTraits& p,
                                     uint64_t b) {
    if (a == b && r.memorySize != p.memorySize)
        return StringId::ErrB18;
    const std::optional<Shifts> shifts = ShiftsOf(r.spans, a, p.spans, b);
    if (!shifts)
        return std::nullopt;
    const uint32_t shared = (r.mask >> shifts->r) & (p.mask >> shifts->p);
    if (shared == 0)
        return std::nullopt;
    if (!AccessTypesFit(r.access, p.access))
        return StringId::ErrB14;
    if (r.access == p.access &&
        (((r.defaultValue >> shifts->r) ^ (p.defaultValue >> shifts->p)) & shared) != 0)
        return StringId::ErrB15;
    return std::nullopt;
}

void PartCrowd::Add(const Member& member, const PartTraits& traits) {
    Bucket* bucket = nullptr;
    for (Bucket& b : buckets_) {
        if (b.memorySize == traits.memorySize && b.spans == traits.spans &&
            b.access == traits.access)
            bucket = &b;
    }
    if (bucket == nullptr) {
        bucket = &buckets_.emplace_back();
        bucket->memorySize = traits.memorySize;
        bucket->spans = traits.spans;
        bucket->access = traits.access;
    }
    const uint64_t value = (uint64_t{traits.mask} << 32) | traits.defaultValue;
    const auto [found, fresh] =
        bucket->byValue.try_emplace(value, static_cast<uint32_t>(alike_.size()));
    if (fresh) {
        alike_.push_back({traits.mask, traits.defaultValue, {}, 0});
        bucket->alike.push_back(found->second);
        for (int bit = 0; bit < 32; ++bit) {
            if ((traits.mask >> bit) & 1)
                bucket->byBit[bit][(traits.defaultValue >> bit) & 1].push_back(found->second);
        }
    }
    alike_[found->second].members.push_back(member);
}

void PartCrowd::Take(const Alike& alike, StringId error, std::vector<Found>& found) const {
    for (const Member& member : alike.members)
        found.push_back({member, error});
}

void PartCrowd::FindErrors(const PartTraits& r, uint64_t a, uint64_t b, std::vector<Found>& found) {
    ++search_;
    for (const Bucket& bucket : buckets_) {
        if (a == b && bucket.memorySize != r.memorySize) {
            for (uint32_t index : bucket.alike)
                Take(alike_[index], StringId::ErrB18, found);
            continue;
        }
        const bool fit = AccessTypesFit(r.access, bucket.access);
        const bool same = r.access == bucket.access;
        const std::optional<Shifts> shifts = ShiftsOf(r.spans, a, bucket.spans, b);
        if (!shifts || (fit && !same))
            continue;
        // Bit j of the compared bits is bit j + shift of each part.
        const uint32_t maskR = r.mask >> shifts->r;
        const uint32_t defaultR = r.defaultValue >> shifts->r;
        for (int j = 0; j + shifts->p < 32; ++j) {
            if (((maskR >> j) & 1) == 0)
                continue;
            const auto& lists = bucket.byBit[j + shifts->p];
            // Types that may not share bits: every part with the bit. One type: the parts
            // whose default differs in it.
            for (int value = 0; value < 2; ++value) {
                if (fit && value == static_cast<int>((defaultR >> j) & 1))
                    continue;
                for (uint32_t index : lists[value]) {
                    Alike& alike = alike_[index];
                    if (alike.seen == search_)
                        continue;
                    alike.seen = search_;
                    Take(alike, fit ? StringId::ErrB15 : StringId::ErrB14, found);
                }
            }
        }
    }
}

} // namespace vek
