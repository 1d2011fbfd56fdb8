#pragma once

#include "ui/views/read_only_text_view.h"

#include <functional>

namespace vek {

class CVekDoc;

// The register list window's view: one line per shadow register of the document with its
// address text, rebuilt whenever the view gets the focus.
class CVekListView : public ReadOnlyTextView {
    Q_OBJECT

public:
    // The radix flags; the list keeps one for the radix commands, which do not change the text.
    static constexpr int kHex = 0x0080;
    static constexpr int kBinary = 0x0100;
    static constexpr int kDecimal = 0x0200;

    CVekListView(CVekDoc& document, std::function<void()> showTree, QWidget* parent);

    void Rebuild();
    int Radix() const { return radix_; }

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    CVekDoc& document_;
    std::function<void()> showTree_;
    int radix_ = kHex;
};

} // namespace vek
