#pragma once

#include "model/register_codes.h"
#include "platform/result.h"

#include <string>
#include <vector>

namespace vek {

class CItemList;
class CShadowReg;
class CVarItem;

// The registers, bit fields and variables a name on the command line means: "NAME", or
// "DEVICE.NAME" where several devices use the name. Names compare without case, as the
// description language does.
std::vector<CVarItem*> FindValueItems(const CItemList& items, const std::string& name);
// The one item a name means; the failure says why there is none.
Result<CVarItem*> FindOneValueItem(const CItemList& items, const std::string& name);

// The name under which an item is printed: its own name, with its device's in front.
std::string QualifiedName(const CItemList& items, const CVarItem& item);
// The name under which a shadow register is printed: DEVICE.NAME of its register, or the name
// of its device when no register item uses it.
std::string RegisterName(const CShadowReg& reg);

// Whether the item's value is known (read, written, loaded, or a variable's).
bool ValueKnown(const CVarItem& item);
// "0x" and the item's value in as many hexadecimal digits as it is wide, each an X while the
// value is not known.
std::string ShownHex(const CVarItem& item);

// "READ", "WRITE", "BOTH", "STATUS" or "PROT"; empty for an access type not given.
const char* AccessName(AccessType access);

} // namespace vek
