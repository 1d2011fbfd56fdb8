#pragma once

#include <string>

namespace vek {

class CExtension;
class CItemList;
class CLineItem;

// The name of the generated module that numbers the registers and bit fields.
inline constexpr const char* kConstantsModuleName = "*register.vkm";

// The items that get a constant, and that scripts reach by it: registers and bit fields.
bool IsNumbered(const CLineItem& item);

// The Basic module of "Public Const NAME As Integer = k" lines for every register and bit field
// of the item list, numbered together in list order; registers each name under its number in the
// extension. The header names the last device of the list.
std::string BuildConstantsModule(const CItemList& items, CExtension& extension);

} // namespace vek
