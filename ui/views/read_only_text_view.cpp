#include "ui/views/read_only_text_view.h"

#include <QFontDatabase>

namespace vek {

ReadOnlyTextView::ReadOnlyTextView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Selected with the mouse only: a text that cannot be changed shows no caret, and the keys
    // scroll it instead of moving one.
    setTextInteractionFlags(Qt::TextSelectableByMouse);
}

std::optional<CommandState> ReadOnlyTextView::QueryCommand(CommandId id) {
    if (id == CommandId::EditCopy)
        return CommandState::Enabled(textCursor().hasSelection());
    return std::nullopt;
}

void ReadOnlyTextView::RunCommand(CommandId id) {
    if (id == CommandId::EditCopy)
        copy();
}

} // namespace vek
