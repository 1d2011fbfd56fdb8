#pragma once

#include "ui/script/qscintilla.h"

#include <QSet>
#include <QString>

namespace vek {

struct ScriptEditorSettings;

// Colours the Basic dialect of the script editor: the engine's keywords and built-in functions
// and constants, the extra words the editor is configured with (the extension's methods and the
// utility functions), strings, numbers, date literals and comments. Basic has no construct that
// spans lines, so every line is coloured on its own.
class BasicLexer : public QsciLexerCustom {
    Q_OBJECT

public:
    enum Style { Default, Comment, String, Number, Keyword, Function, Extra };

    // The language's name and the extra words as the editor settings give them.
    BasicLexer(const ScriptEditorSettings& settings, QObject* parent);
    // The style of one word as this lexer colours it.
    Style WordStyle(const QByteArray& word) const;

    const char* language() const override { return language_; }
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

private:
    void StyleLine(const QByteArray& line);

    const char* language_;
    QSet<QByteArray> extra_; // lower case
};

} // namespace vek
