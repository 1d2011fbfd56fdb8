#pragma once

#include "model/register_codes.h"
#include "ui/views/read_only_text_view.h"

#include <functional>

namespace vek {

class CVekDoc;

// The register list window's view: one line per shadow register of the document with its
// address text, rebuilt whenever the view gets the focus.
class CVekListView : public ReadOnlyTextView {
    Q_OBJECT

public:
    CVekListView(CVekDoc& document, std::function<void()> showTree, QWidget* parent);

    void Rebuild();
    // The radix the list keeps for the radix commands, which do not change its text.
    UpdateCode Radix() const { return radix_; }

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    CVekDoc& document_;
    std::function<void()> showTree_;
    UpdateCode radix_ = UpdateCode::Hex;
};

} // namespace vek
