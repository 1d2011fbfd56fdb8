#pragma once

#include <string>
#include <vector>

namespace vek {

class CItemList;
class CVarItem;

// The registers, bit fields and variables a name on the command line means: "NAME", or
// "DEVICE.NAME" where several devices use the name. Names compare without case, as the
// description language does.
std::vector<CVarItem*> FindValueItems(const CItemList& items, const std::string& name);

// The name under which an item is printed: its own name, with its device's in front.
std::string QualifiedName(const CItemList& items, const CVarItem& item);

} // namespace vek
