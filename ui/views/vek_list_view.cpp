#include "ui/views/vek_list_view.h"

#include "document/vek_doc.h"
#include "model/shadow_reg.h"
#include "ui/commands/radix_command.h"
#include "ui/host/text_conversion.h"

namespace vek {

CVekListView::CVekListView(CVekDoc& document, std::function<void()> showTree, QWidget* parent)
    : ReadOnlyTextView(parent), document_(document), showTree_(std::move(showTree)) {
    setObjectName(QStringLiteral("CVekListView"));
    Rebuild();
}

void CVekListView::Rebuild() {
    std::string text;
    if (const auto registers = document_.CollectRegisters("", "")) {
        for (const CShadowReg* reg : *registers) {
            text += reg->AddressText();
            text += '\n';
        }
    }
    if (!text.empty())
        text.pop_back(); // no empty line after the last register
    // Setting the text lays out every line again: skipped when the registers are the same.
    const QString lines = ToQString(text);
    if (lines != toPlainText())
        setPlainText(lines);
}

void CVekListView::focusInEvent(QFocusEvent* event) {
    Rebuild();
    ReadOnlyTextView::focusInEvent(event);
}

std::optional<CommandState> CVekListView::QueryCommand(CommandId id) {
    if (const std::optional<UpdateCode> radix = RadixOfCommand(id))
        return CommandState::Check(true, radix_ == *radix);
    switch (id) {
    case CommandId::RegisterTree:
        return CommandState::Enabled();
    case CommandId::RegisterList:
        return CommandState::Disabled();
    default:
        return ReadOnlyTextView::QueryCommand(id);
    }
}

void CVekListView::RunCommand(CommandId id) {
    if (const std::optional<UpdateCode> radix = RadixOfCommand(id)) {
        radix_ = *radix;
        return;
    }
    if (id == CommandId::RegisterTree) {
        showTree_();
        return;
    }
    ReadOnlyTextView::RunCommand(id);
}

} // namespace vek
