#pragma once

#include "ui/commands/command_target.h"

#include <QPlainTextEdit>

namespace vek {

// The read-only text of the output, list and source windows: fixed-pitch, unwrapped, with
// scroll bars both ways and no caret. Copy copies the selection made with the mouse.
class ReadOnlyTextView : public QPlainTextEdit, public CommandTarget {
    Q_OBJECT

public:
    explicit ReadOnlyTextView(QWidget* parent);

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;
};

} // namespace vek
