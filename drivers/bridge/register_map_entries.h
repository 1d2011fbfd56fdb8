// The entries of the settings file's [Registers] section, which add registers to the chip's map,
// change their width or remove them.
#pragma once

#include "chip_settings.h"

#include <cstdint>
#include <map>
#include <vector>

namespace vek {

// "offset=width" (first == last) or "first-last=width": a register of `width` bytes (1, 2 or 4)
// at first and at every width step up to last; width 0 removes every register from first to last.
struct RegisterMapEntry {
    uint16_t first;
    uint16_t last;
    int width;
};

// Applies the entries in file order, each replacing what an earlier one made at an offset it
// reaches; a new register's value is 0. The work grows with the entries and the chip's 65,536
// offsets, not with their product: a file of many ranges over the whole chip costs no more than
// one.
void ApplyRegisterMapEntries(const std::vector<RegisterMapEntry>& entries,
                             std::map<uint16_t, ChipRegister>& registers);

} // namespace vek
