#include "ui/tree/value_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QValidator>

namespace vek {

namespace {

EditorKey KeyOf(int key) {
    switch (key) {
    case Qt::Key_Home:
        return EditorKey::Home;
    case Qt::Key_Left:
        return EditorKey::Left;
    case Qt::Key_Up:
        return EditorKey::Up;
    case Qt::Key_Right:
        return EditorKey::Right;
    case Qt::Key_Down:
        return EditorKey::Down;
    default:
        return EditorKey::Other;
    }
}

bool IsEditorsOwnKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Backspace || SwallowsKey(KeyOf(key));
}

// Keeps whatever reaches the text other than by typing (a middle-click paste, a drop, undo)
// within the characters and the length the radix allows.
class ValueTextValidator : public QValidator {
public:
    ValueTextValidator(const ValueFormat& format, QObject* parent)
        : QValidator(parent), format_(format) {}

    State validate(QString& input, int&) const override {
        const std::string text = input.toStdString();
        if (static_cast<int>(text.size()) > TextLimitFor(format_, text))
            return Invalid;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (!AcceptsCharacter(format_, c))
                return Invalid;
            if (format_.SignedDecimal() && (c == '+' || c == '-') && i > 0)
                return Invalid;
        }
        return Acceptable;
    }

private:
    const ValueFormat& format_;
};

} // namespace

CValueEdit::CValueEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("ValueEdit"));
    setAlignment(Qt::AlignRight);
    setValidator(new ValueTextValidator(format_, this));
}

void CValueEdit::Open(const ValueFormat& format, const QString& cellText) {
    format_ = format;
    setText(cellText);
    selectAll();
}

void CValueEdit::OpenWithCharacter(const ValueFormat& format, QChar typed) {
    format_ = format;
    const std::optional<EditorText> started =
        typed.unicode() < 0x80 ? TypeCharacter(format_, {}, static_cast<char>(typed.unicode()))
                               : std::nullopt;
    Show(started.value_or(EditorText{}));
}

int CValueEdit::TextLimit() const {
    return TextLimitFor(format_, text().toStdString());
}

bool CValueEdit::Commit() {
    const CommitOutcome outcome = CommitText(format_, text().toStdString());
    switch (outcome.kind) {
    case CommitOutcome::Kind::Value:
        Q_EMIT Committed(outcome.value);
        return true;
    case CommitOutcome::Kind::Empty:
        // Nothing was entered: the item keeps its value, as after a cancel.
        Q_EMIT Cancelled();
        return true;
    case CommitOutcome::Kind::OutOfRange:
        break;
    }
    QApplication::beep();
    selectAll();
    Q_EMIT Refused();
    return false;
}

void CValueEdit::Cancel() {
    Q_EMIT Cancelled();
}

bool CValueEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        IsEditorsOwnKey(static_cast<QKeyEvent*>(event)->key())) {
        event->accept();
        return true;
    }
    return QLineEdit::event(event);
}

void CValueEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Commit();
    } else if (key == Qt::Key_Escape) {
        Cancel();
    } else if (key == Qt::Key_Backspace) {
        Show(TypeBackspace(format_, State()));
    } else if (SwallowsKey(KeyOf(key))) {
        // The caret stays where typing put it.
    } else if (event->matches(QKeySequence::Paste)) {
        Type(QApplication::clipboard()->text());
    } else if (const QString typed = event->text();
               !typed.isEmpty() && typed.front().isPrint() &&
               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        Type(typed);
    } else {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

EditorText CValueEdit::State() const {
    EditorText editor;
    editor.text = text().toStdString();
    editor.cursor = cursorPosition();
    if (hasSelectedText()) {
        editor.selectionStart = selectionStart();
        editor.selectionLength = static_cast<int>(selectedText().size());
    }
    return editor;
}

void CValueEdit::Show(const EditorText& editor) {
    setText(QString::fromStdString(editor.text));
    if (editor.selectionLength > 0)
        setSelection(editor.selectionStart, editor.selectionLength);
    else
        setCursorPosition(editor.cursor);
}

void CValueEdit::Type(const QString& typed) {
    for (const QChar c : typed) {
        if (c.unicode() >= 0x80)
            continue;
        if (std::optional<EditorText> after =
                TypeCharacter(format_, State(), static_cast<char>(c.unicode())))
            Show(*after);
    }
}

} // namespace vek
