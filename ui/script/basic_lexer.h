#pragma once

#include "ui/script/qscintilla.h"

#include <QSet>
#include <QString>

namespace vek {

// Colours the Basic dialect of the script editor: the engine's keywords and built-in functions
// and constants, the extra words the editor is configured with (the extension's methods and the
// utility functions), strings, numbers, date literals and comments. Basic has no construct that
// spans lines, so every line is coloured on its own.
class BasicLexer : public QsciLexerCustom {
    Q_OBJECT

public:
    enum Style { Default, Comment, String, Number, Keyword, Function, Extra };

    explicit BasicLexer(QObject* parent = nullptr);

    // The "|"-framed, blank-separated word list of the editor settings.
    void SetExtraKeywords(const QString& list);
    // The style of one word as this lexer colours it.
    Style WordStyle(const QByteArray& word) const;

    const char* language() const override { return "Vek Basic"; }
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

private:
    void StyleLine(const QByteArray& line);

    QSet<QByteArray> extra_; // lower case
};

} // namespace vek
