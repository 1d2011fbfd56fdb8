#pragma once

#include <cstdint>
#include <string>

namespace vek {

class CLineItem;
class CVarItem;

// What the register tree window decides about one item, free of any window: which commands
// apply to it and what the status bar and the value tooltip say about it.

// The item as a value item (variable, register or bit field), else null.
CVarItem* AsValueItem(CLineItem* item);
// The bits of a value item: a register's over all its parts, a field's width.
int ValueBits(const CVarItem& item);
// The value the item shows as a number of its width: two's complement for a signed item.
int64_t NumericValue(const CVarItem& item);

// A register or bit field: its value comes from a device, so it can be plotted as it is read.
bool CanPlot(const CLineItem& item);
bool CanWriteRegister(const CLineItem& item);
bool CanReadRegister(const CLineItem& item);
// Increase and Decrease: a WRITE or BOTH item whose value is known (or a variable), below its
// maximum / above its minimum, two's complement for a signed item.
bool CanIncrease(const CLineItem& item);
bool CanDecrease(const CLineItem& item);
// Whether a cell editor may open on the item: it carries a value and is neither READ nor STATUS.
bool IsEditable(const CLineItem& item);

// The status bar's panes for the caret row: the address, mask and value of each register part
// ("[0x1a] &ff = 0x12"), the access word, and the row number in five digits.
std::string StatusText(const CLineItem& item);
std::string AccessWord(const CLineItem& item);
std::string RowNumberText(int row);

// The text of a value tooltip: the value in hexadecimal, decimal and binary, the mask, the
// default and the access type.
std::string ValueToolTip(const CVarItem& item);

} // namespace vek
