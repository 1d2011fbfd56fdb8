#pragma once

#include "model/line_item.h"
#include "model/part_crowd.h"
#include "model/part_index.h"
#include "model/text_store.h"
#include "platform/string_table.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <list>
#include <memory>
#include <memory_resource>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vek {

class CSetItem;
class CByteItem;
class CBitItem;

// Ends an item the list owns: one made in the list's arena is only destroyed, its memory going
// with the arena; one made elsewhere (a test's) is deleted.
class ItemDeleter {
public:
    ItemDeleter() = default;
    template <class Item>
    ItemDeleter(const std::default_delete<Item>&) {} // NOLINT: a plain owner converts
    static ItemDeleter InArena() {
        ItemDeleter deleter;
        deleter.inArena_ = true;
        return deleter;
    }
    void operator()(CLineItem* item) const {
        if (inArena_)
            item->~CLineItem();
        else
            delete item;
    }
    bool MadeInArena() const { return inArena_; }

private:
    bool inArena_ = false;
};

template <class Item = CLineItem>
using ItemPtr = std::unique_ptr<Item, ItemDeleter>;

// The register items of one description in the order of the register tree, which is not always
// the order of the description: a block that returns to a label joins that label's group. The
// list decides where each new item goes and, when asked, checks an item against its neighbours
// and queues the codes of the errors it finds; the builder reports them. Items made by the list
// live in its arena and their texts in its text store, so building a large description takes a
// few allocations per thousand items and dropping the list frees a few large blocks.
class CItemList {
    struct Node {
        CLineItem* item = nullptr;      // owned: ended as its deleter would
        Node* parent = nullptr;         // the nearest earlier item of a lower level
        uint64_t order = 0;             // increases along the list
        uint32_t group = 0;             // the driver line or device the item belongs to
        uint32_t indexedParts : 31 = 0; // parts of a register entered in the address index
        uint32_t inArena : 1 = 0;       // made by Make
    };

public:
    CItemList() = default;
    CItemList(const CItemList&) = delete;
    CItemList& operator=(const CItemList&) = delete;
    ~CItemList();

    // A new item in the list's arena, to be inserted into this list.
    template <class Item, class... Args>
    ItemPtr<Item> Make(Args&&... args) {
        void* place = arena_.allocate(sizeof(Item), alignof(Item));
        return ItemPtr<Item>(new (place) Item(std::forward<Args>(args)...), ItemDeleter::InArena());
    }

    // Where the texts of the list's items are kept.
    TextStore& Texts() { return texts_; }

    // Each insertion makes the item the current position and returns it (null for no item).
    CLineItem* Append(ItemPtr<> item);
    // Inserts at the insertion point of label n: after the group of the last item of the current
    // device that carries label n, or at the end when no item of the device carries it.
    CLineItem* InsertAtLabel(ItemPtr<> item, int label);
    CLineItem* InsertAfterCurrent(ItemPtr<> item);

    // Runs the checks of the item's kind (a register: for its selected part) and queues the
    // codes found. The item becomes the current position.
    void Check(CLineItem* item);
    // The codes queued since the last call, in the order found.
    std::vector<StringId> TakeErrors();

    CLineItem* GetCurrent() const;
    std::size_t Size() const { return nodes_.size(); }
    // Ends every item; the list is empty afterwards.
    void Clear();

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = CLineItem;
        using difference_type = std::ptrdiff_t;
        using pointer = CLineItem*;
        using reference = CLineItem&;

        Iterator() = default;
        CLineItem& operator*() const { return *it_->item; }
        CLineItem* operator->() const { return &**this; }
        Iterator& operator++() {
            ++it_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator old = *this;
            ++it_;
            return old;
        }
        bool operator==(const Iterator& other) const { return it_ == other.it_; }

    private:
        friend class CItemList;
        explicit Iterator(std::pmr::list<Node>::const_iterator it) : it_(it) {}
        std::pmr::list<Node>::const_iterator it_;
    };
    Iterator begin() const { return Iterator(nodes_.begin()); }
    Iterator end() const { return Iterator(nodes_.end()); }
    // The current position, for a walk that starts there; it stays valid while items are added.
    Iterator CurrentPosition() const { return Iterator(current_); }

private:
    using Position = std::pmr::list<Node>::iterator;
    // A part the overlap check looks at: its error when a crowd found it, else to be compared.
    struct NearPart {
        Node* node;
        uint32_t part;
        std::optional<StringId> error;
    };

    CLineItem* InsertBefore(Position next, ItemPtr<> item);
    void Number(Position at);
    void Spread(Position at, uint64_t number);
    void Renumber();
    void FindParent(Position at);
    Position InsertionPointOf(int label);

    bool CheckLabel(Position at);
    bool CheckTemplate(Position at);
    void CheckMask(const CByteItem& reg);
    void CheckOverlap(Position at, const CByteItem& reg);
    void IndexParts(Node& node, const CByteItem& reg);
    // Gathers the parts entered at an address (its first entry) into a crowd.
    void MakeCrowd(uint32_t first);
    void CheckBitField(const CBitItem& bit);

    // The position of an item: the current one at once (the builder checks what it has just
    // inserted), any other by a walk through the list.
    Position PositionOf(const CLineItem* item);

    // Before the nodes, which it holds: the items and nodes of the list, and the items' texts.
    TextStore texts_;
    std::pmr::monotonic_buffer_resource arena_;
    std::pmr::list<Node> nodes_{&arena_};
    Position current_ = nodes_.end();
    PartIndex parts_;
    std::unordered_map<uint32_t, PartCrowd> crowds_; // by the first entry of their address
    std::vector<bool> spanningGroups_; // by group: whether a part spans several addresses
    // The last item in list order of each device group and label: where a walk back from the
    // end of the list for that label would stop.
    std::unordered_map<uint64_t, Position> lastLabelled_; // by group << 32 | label
    std::vector<StringId> errors_;
    // The overlap check's working lists, kept between checks.
    std::vector<NearPart> nearParts_;
    std::vector<PartCrowd::Found> crowdErrors_;
    // Counted in 32 bits: a description of 64 MiB has far fewer items.
    uint32_t groups_ = 0;
};

} // namespace vek
