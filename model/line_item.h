#pragma once

#include "model/register_codes.h"
#include "model/text_store.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

class CShadowReg;
class TreeControl;
enum class TreeColumn : int;

// The kind number of an item, which other parts of the program test.
enum class ItemKind : int {
    Line = 0, // a plain line, or the driver line that opens a group of devices
    Device = 1,
    Set = 2,
    Register = 3,
    Variable = 4,
    BitField = 5,
    TextLine = 6,
};

// Offsets of an item's icons from the icon base handed to InsertIntoTree: one pair per kind (the
// first shown normally, the second as the alternative) and one icon common to all.
namespace item_icon {
inline constexpr int Device = 0;
inline constexpr int Set = 2;
inline constexpr int Variable = 4;
inline constexpr int Register = 6;
inline constexpr int JointRegister = 8; // a register of several parts
inline constexpr int BitField = 10;
inline constexpr int Common = 12;
inline constexpr int TextLine = 13;
} // namespace item_icon

// One row of the register tree: the base of all register items. As a driver line its name is the
// driver's file name; as a text line (kind 6) it is the quoted string of the description. Items
// are many and small: their texts are kept in the document's text store and their small fields
// packed; where a tree shows them is kept in the item, since vek32's tree has a row for each.
class CLineItem {
public:
    explicit CLineItem(ItemKind kind = ItemKind::Line) : kind_(static_cast<std::uint8_t>(kind)) {}
    virtual ~CLineItem() = default;
    CLineItem(const CLineItem&) = delete;
    CLineItem& operator=(const CLineItem&) = delete;

    ItemKind GetKind() const { return static_cast<ItemKind>(kind_); }
    std::string_view GetName() const { return name_; }
    void SetName(Text name) { name_ = name; }
    int GetLevel() const { return level_; }
    void SetLevel(int level) { level_ = level; }
    void AddFlags(ItemFlags flags) {
        flagBits_ = static_cast<std::uint16_t>((Flags() | flags).ToBits());
    }
    void RemoveFlags(ItemFlags flags) {
        flagBits_ = static_cast<std::uint16_t>(Flags().Clear(flags).ToBits());
    }
    bool HasFlags(ItemFlags flags) const { return Flags().Has(flags); }
    // The row in the tree, -1 before the item is inserted.
    int GetNode() const { return tree_ != nullptr ? node_ : -1; }
    TreeControl* GetTree() const { return tree_; }
    // Forgets the row and the tree, whose rows are going away while the item stays.
    void DetachFromTree() {
        tree_ = nullptr;
        node_ = -1;
    }

    // Shows the item as a row of the tree, after the row afterNode below parentNode. A plain or
    // driver line gets no row.
    virtual void InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase);
    // Told by a shadow register (or by a view, with no register) what changed.
    virtual void Update(CShadowReg* shadow, UpdateCodes code);
    virtual std::string GetErrorText() const { return {}; }
    virtual void ShowValue() {}
    virtual bool Read() { return false; }
    virtual bool Write() { return false; }
    virtual bool Increase(uint32_t) { return false; }
    virtual bool Decrease(uint32_t) { return false; }
    virtual uint32_t SetValue(uint32_t) { return 0; }
    virtual uint32_t GetValue() { return 0; }

protected:
    // Inserts the row with the given text and remembers tree, row and icons.
    void InsertRow(TreeControl& tree, int parentNode, int afterNode, std::string_view text,
                   int iconBase, int iconOffset);
    void ShowIcon(int i) const;
    void SetCell(TreeColumn column, std::string_view text) const;
    // The name as a row shows it: "_" after the first character becomes a blank, unless the
    // name begins with "_".
    std::string DisplayName() const;

private:
    ItemFlags Flags() const { return ItemFlags::FromBits(flagBits_); }

    Text name_;
    // Where the item is shown: no tree while it has no row. The icons: base + offset shown
    // normally, the next one as the alternative, base + Common.
    TreeControl* tree_ = nullptr;
    int node_ = -1;
    int level_ = 0;
    std::int16_t iconBase_ = 0;
    std::uint8_t kind_;
    std::uint8_t iconOffset_ = 0;
    std::uint16_t flagBits_ = 0; // of ItemFlags, whose bits all lie in the lower 16
};

} // namespace vek
