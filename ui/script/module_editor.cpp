#include "ui/script/module_editor.h"

#include "scripting/script_editor_settings.h"
#include "ui/script/basic_lexer.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QTimer>

#include <algorithm>

namespace vek {

namespace {

enum Margin { LineNumbers = 0, Symbols = 1 };
constexpr std::size_t kTextPieceBytes = std::size_t{4} << 20;
enum Marker { Breakpoint = 0, CurrentLine = 1, CurrentArrow = 2, ErrorLine = 3 };

// The settings' colours are 0x00BBGGRR.
QColor FromColourRef(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

} // namespace

ModuleEditor::ModuleEditor(const QString& module, const QString& path,
                           const ScriptEditorSettings& settings, QWidget* parent)
    : QsciScintilla(parent), module_(module), path_(path), lexer_(new BasicLexer(settings, this)) {
    setLexer(lexer_);
    setUtf8(true);
    setEolMode(EolUnix);
    setAutoIndent(true);
    setIndentationsUseTabs(false);
    setTabWidth(4);
    setCaretLineVisible(true);
    // See-through, so that the marks of the current statement and of an error show under it.
    setCaretLineBackgroundColor(QColor(0xC0, 0xC0, 0xD0));
    SendScintilla(SCI_SETCARETLINEBACKALPHA, 60);
    setBraceMatching(SloppyBraceMatch);

    setMarginType(LineNumbers, NumberMargin);
    setMarginsFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setMarginType(Symbols, SymbolMargin);
    setMarginWidth(Symbols, 16);
    setMarginSensitivity(Symbols, true);
    setMarginSensitivity(LineNumbers, true);
    setMarginMarkerMask(LineNumbers, 0);
    setMarginMarkerMask(Symbols, (1 << Breakpoint) | (1 << CurrentArrow));

    markerDefine(Circle, Breakpoint);
    setMarkerBackgroundColor(QColor(0xC0, 0x10, 0x10), Breakpoint);
    setMarkerForegroundColor(QColor(0x80, 0x00, 0x00), Breakpoint);
    markerDefine(Background, CurrentLine);
    setMarkerBackgroundColor(FromColourRef(settings.colour), CurrentLine);
    markerDefine(RightArrow, CurrentArrow);
    setMarkerBackgroundColor(QColor(0xF0, 0xD0, 0x00), CurrentArrow);
    markerDefine(Background, ErrorLine);
    setMarkerBackgroundColor(QColor(0xFF, 0xC0, 0xC0), ErrorLine);

    connect(this, &QsciScintilla::marginClicked, this, &ModuleEditor::OnMarginClicked);
    connect(this, &QsciScintilla::linesChanged, this, &ModuleEditor::FitLineNumberMargin);
    FitLineNumberMargin();
}

void ModuleEditor::SetPath(const QString& path) {
    path_ = path;
    module_ = path;
}

QString ModuleEditor::TabTitle() const {
    const QString name = path_.isEmpty() ? module_ : QFileInfo(path_).fileName();
    return isModified() ? name + QLatin1Char('*') : name;
}

void ModuleEditor::SetGenerated(bool generated) {
    generated_ = generated;
    setReadOnly(generated);
}

void ModuleEditor::SetTextWhenShown(std::function<const std::string&()> text) {
    pendingText_ = std::move(text);
    if (isVisible())
        viewport()->update();
}

// The text goes in once the editor has been painted empty: the window it opens with shows at
// once, and an editor nobody shows never holds its text.
void ModuleEditor::paintEvent(QPaintEvent* event) {
    QsciScintilla::paintEvent(event);
    if (pendingText_ && !fillStarted_)
        QTimer::singleShot(0, this, &ModuleEditor::StartFilling);
}

// The text goes in as the UTF-8 it is, without setText's copies in UTF-16 and back, into room
// reserved for it and without undo; a piece of whole lines at each turn of the event loop, so
// that the window paints and answers meanwhile. The editor takes time for each piece that grows
// with the text already in it: the pieces are few and large.
void ModuleEditor::StartFilling() {
    if (!pendingText_ || fillStarted_)
        return;
    fillStarted_ = true;
    setReadOnly(false);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    SendScintilla(SCI_CLEARALL);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(pendingText_().size() + 1));
    setReadOnly(generated_);
    QTimer::singleShot(0, this, &ModuleEditor::FillPiece);
}

void ModuleEditor::FillPiece() {
    if (!pendingText_)
        return;
    const std::string& all = pendingText_();
    const std::size_t start = filled_;
    std::size_t end = std::min(all.size(), start + kTextPieceBytes);
    if (const std::size_t lineEnd = all.rfind('\n', end - 1);
        end < all.size() && lineEnd != std::string::npos && lineEnd >= start)
        end = lineEnd + 1;
    const bool readOnly = isReadOnly();
    setReadOnly(false);
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(end - start), all.data() + start);
    setReadOnly(readOnly);
    filled_ = end;
    if (filled_ < all.size()) {
        QTimer::singleShot(0, this, &ModuleEditor::FillPiece);
        return;
    }
    pendingText_ = nullptr;
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    setModified(false);
}

void ModuleEditor::SetScriptRunning(bool running) {
    // While a script runs its lines must stay the lines it runs.
    setReadOnly(running || generated_);
}

void ModuleEditor::FitLineNumberMargin() {
    setMarginWidth(LineNumbers, QStringLiteral("0%1").arg(lines()));
}

void ModuleEditor::OnMarginClicked(int /*margin*/, int line, Qt::KeyboardModifiers /*state*/) {
    const bool on = !HasBreakpoint(line + 1);
    SetBreakpoint(line + 1, on);
    Q_EMIT BreakpointToggled(line + 1, on);
}

bool ModuleEditor::HasBreakpoint(int line) const {
    return line >= 1 && (markersAtLine(line - 1) & (1u << Breakpoint)) != 0;
}

void ModuleEditor::SetBreakpoint(int line, bool on) {
    if (line < 1 || line > lines() || HasBreakpoint(line) == on)
        return;
    if (on)
        markerAdd(line - 1, Breakpoint);
    else
        markerDelete(line - 1, Breakpoint);
}

std::vector<int> ModuleEditor::Breakpoints() const {
    std::vector<int> list;
    for (int line = markerFindNext(0, 1u << Breakpoint); line >= 0;
         line = markerFindNext(line + 1, 1u << Breakpoint))
        list.push_back(line + 1);
    return list;
}

void ModuleEditor::ShowCurrentLine(int line) {
    markerDeleteAll(CurrentLine);
    markerDeleteAll(CurrentArrow);
    if (line < 1)
        return;
    markerAdd(line - 1, CurrentLine);
    markerAdd(line - 1, CurrentArrow);
    ensureLineVisible(line - 1);
    setCursorPosition(line - 1, 0);
}

void ModuleEditor::MarkError(int line) {
    markerDeleteAll(ErrorLine);
    if (line < 1)
        return;
    markerAdd(line - 1, ErrorLine);
    ensureLineVisible(line - 1);
    setCursorPosition(line - 1, 0);
}

void ModuleEditor::ClearRunMarks() {
    markerDeleteAll(CurrentLine);
    markerDeleteAll(CurrentArrow);
    markerDeleteAll(ErrorLine);
}

int ModuleEditor::CaretLine() const {
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

QString ModuleEditor::WatchText() const {
    if (hasSelectedText())
        return selectedText().trimmed();
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    return wordAtLineIndex(line, index);
}

} // namespace vek
