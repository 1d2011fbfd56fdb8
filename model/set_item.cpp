#include "model/set_item.h"

namespace vek {

void CSetItem::InsertIntoTree(TreeControl& tree, int parentNode, int afterNode, int iconBase) {
    InsertRow(tree, parentNode, afterNode, GetName(), iconBase, item_icon::Set);
    if (GetAddressDisplayWidth() != 0) {
        ShowAddress();
    }
}

void CSetItem::Update(CShadowReg*, UpdateCodes code) {
    ShowIcon(code.IsEmpty() ? 1 : 0);
}

} // namespace vek
