#include "ui/script/basic_lexer.h"

#include "scripting/basic/builtins.h"
#include "scripting/basic/scanner.h"
#include "scripting/script_editor_settings.h"

#include "ui/script/qscintilla.h"

#include <QFontDatabase>

namespace vek {

namespace {

bool IsWordStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsWordChar(char c) {
    return IsWordStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

} // namespace

BasicLexer::BasicLexer(const ScriptEditorSettings& settings, QObject* parent)
    : QsciLexerCustom(parent), language_(settings.languageName) {
    // "|ReadReg WriteReg ...|"
    QString words = QString::fromUtf8(settings.extraKeywords);
    words.replace(QLatin1Char('|'), QLatin1Char(' '));
    for (const QString& word : words.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        extra_.insert(word.toLower().toUtf8());
}

BasicLexer::Style BasicLexer::WordStyle(const QByteArray& word) const {
    const std::string_view text(word.constData(), static_cast<std::size_t>(word.size()));
    if (basic::LookupKeyword(text) != basic::Keyword::None)
        return Keyword;
    if (extra_.contains(word.toLower()))
        return Extra;
    int id = 0;
    basic::Variant constant;
    if (basic::FindBuiltin(text, id) != nullptr || basic::FindBuiltinConstant(text, constant))
        return Function;
    return Default;
}

QString BasicLexer::description(int style) const {
    switch (style) {
    case Default:
        return QStringLiteral("Default");
    case Comment:
        return QStringLiteral("Comment");
    case String:
        return QStringLiteral("String");
    case Number:
        return QStringLiteral("Number");
    case Keyword:
        return QStringLiteral("Keyword");
    case Function:
        return QStringLiteral("Function");
    case Extra:
        return QStringLiteral("Extension");
    default:
        return {};
    }
}

QColor BasicLexer::defaultColor(int style) const {
    switch (style) {
    case Comment:
        return QColor(0x00, 0x80, 0x00);
    case String:
        return QColor(0xA3, 0x15, 0x15);
    case Number:
        return QColor(0x09, 0x86, 0x58);
    case Keyword:
        return QColor(0x00, 0x00, 0xC0);
    case Function:
        return QColor(0x79, 0x5E, 0x26);
    case Extra:
        return QColor(0x80, 0x00, 0x80);
    default:
        return QColor(Qt::black);
    }
}

QFont BasicLexer::defaultFont(int style) const {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (style == Keyword || style == Extra)
        font.setBold(true);
    return font;
}

void BasicLexer::styleText(int start, int end) {
    QsciScintilla* text = editor();
    if (text == nullptr || start >= end)
        return;
    // Whole lines: a change inside a string or a comment changes the rest of its line.
    int line = 0;
    int index = 0;
    text->lineIndexFromPosition(start, &line, &index);
    start = text->positionFromLineIndex(line, 0);
    // bytes() adds the terminating NUL of the range.
    const QByteArray bytes = text->bytes(start, end).left(end - start);
    startStyling(start);
    qsizetype from = 0;
    while (from < bytes.size()) {
        qsizetype to = bytes.indexOf('\n', from);
        to = to < 0 ? bytes.size() : to + 1;
        StyleLine(bytes.mid(from, to - from));
        from = to;
    }
}

void BasicLexer::StyleLine(const QByteArray& line) {
    const qsizetype n = line.size();
    qsizetype i = 0;
    auto styleUpTo = [this, &i](qsizetype end, Style style) {
        setStyling(static_cast<int>(end - i), style);
        i = end;
    };
    while (i < n) {
        const char c = line[i];
        qsizetype j = i + 1;
        if (c == '\'') {
            styleUpTo(n, Comment);
        } else if (c == '"') {
            // "" inside a string is one quote.
            while (j < n && line[j] != '\n') {
                if (line[j] == '"' && !(j + 1 < n && line[j + 1] == '"'))
                    break;
                j += line[j] == '"' ? 2 : 1;
            }
            styleUpTo(j < n && line[j] == '"' ? j + 1 : j, String);
        } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(line[i + 1]))) {
            while (j < n && (IsDigit(line[j]) || line[j] == '.' || line[j] == 'E' ||
                             line[j] == 'e' || line[j] == '#' || line[j] == '!' || line[j] == '@' ||
                             line[j] == '&' || line[j] == '%'))
                ++j;
            styleUpTo(j, Number);
        } else if (c == '&' && i + 1 < n &&
                   (line[i + 1] == 'H' || line[i + 1] == 'h' || line[i + 1] == 'O' ||
                    line[i + 1] == 'o')) {
            j = i + 2;
            while (j < n && (IsHexDigit(line[j]) || line[j] == '&'))
                ++j;
            styleUpTo(j, Number);
        } else if (c == '#' && i + 1 < n && (IsDigit(line[i + 1]))) {
            // A date literal, #2026-01-08# or #10:30#; a file number (#1,) has no second #.
            const qsizetype close = line.indexOf('#', i + 1);
            const qsizetype comma = line.indexOf(',', i + 1);
            if (close > 0 && (comma < 0 || close < comma))
                styleUpTo(close + 1, Number);
            else
                styleUpTo(i + 1, Default);
        } else if (IsWordStart(c)) {
            while (j < n && IsWordChar(line[j]))
                ++j;
            const QByteArray word = line.mid(i, j - i);
            if (word.compare("rem", Qt::CaseInsensitive) == 0 && (j >= n || !IsWordChar(line[j]))) {
                styleUpTo(n, Comment);
            } else {
                // A type suffix belongs to the word: Left$.
                if (j < n && (line[j] == '$' || line[j] == '%' || line[j] == '&'))
                    ++j;
                styleUpTo(j, WordStyle(word));
            }
        } else {
            styleUpTo(j, Default);
        }
    }
}

} // namespace vek
