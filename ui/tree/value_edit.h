#pragma once

#include "ui/tree/value_edit_rules.h"

#include <QLineEdit>

#include <cstdint>

namespace vek {

// The in-place editor of a value cell. The tree view creates it over the cell (right-aligned, with
// the control's font), opens it on the item's radix, width and signedness, and reacts to its two
// outcomes: Committed with the value to set and write, Cancelled with nothing changed. Either way
// the tree view then closes the editor; a refused commit leaves it open with its text selected.
// Typing follows the editor's rules for the radix (value_edit_rules.h); Home, Left, Right, Up and
// Down are swallowed; Return commits and Escape cancels. While it has the focus these keys are its
// own, not shortcuts of the window around it.
class CValueEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CValueEdit(QWidget* parent = nullptr);

    // Opens on the cell's current text, all selected.
    void Open(const ValueFormat& format, const QString& cellText);
    // Opens on the character typed in the tree: the text is that character when the editor takes
    // it, else empty, with the caret after it.
    void OpenWithCharacter(const ValueFormat& format, QChar typed);

    const ValueFormat& Format() const { return format_; }
    // The number of characters the editor takes now.
    int TextLimit() const;

    // Emits Committed when the text is a value in range; with no text, Cancelled; out of range it
    // beeps, selects the whole text, emits Refused and stays open. Returns whether the editor is
    // done.
    bool Commit();
    void Cancel();

Q_SIGNALS:
    void Committed(std::uint32_t value);
    void Cancelled();
    void Refused();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    EditorText State() const;
    void Show(const EditorText& editor);
    void Type(const QString& typed);

    ValueFormat format_;
};

} // namespace vek
