#pragma once

#include "ui/script/qscintilla.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vek {

class BasicLexer;
struct ScriptEditorSettings;

// The editor of one Basic module in the script pane: the dialect coloured, line numbers, a
// breakpoint margin (a click sets or clears a breakpoint) and the markers of the statement a
// paused script stands at and of the line of an error. Lines are counted from 1, as the engine
// counts them.
class ModuleEditor : public QsciScintilla {
    Q_OBJECT

public:
    // `module` is the engine's name of the module; `path` its file, empty for a module that has
    // none yet or never will (the constants module).
    ModuleEditor(const QString& module, const QString& path, const ScriptEditorSettings& settings,
                 QWidget* parent = nullptr);

    const QString& Module() const { return module_; }
    const QString& Path() const { return path_; }
    // Saving under a new name renames the module too.
    void SetPath(const QString& path);
    // The tab's text: the file name, or the module name, with "*" while changed.
    QString TabTitle() const;
    // A generated module (the constants) is never edited, saved or run from; the others are
    // read-only only while a script runs.
    bool IsGenerated() const { return generated_; }
    void SetGenerated(bool generated);
    // The text of a generated module, taken once the editor has first been painted and filled in
    // while the event loop runs: the constants of a large description are as large as the
    // description, and the window must not wait for them.
    void SetTextWhenShown(std::function<const std::string&()> text);
    // Whether text given to SetTextWhenShown is still to come.
    bool IsFilling() const { return static_cast<bool>(pendingText_); }
    void SetScriptRunning(bool running);

    bool HasBreakpoint(int line) const;
    void SetBreakpoint(int line, bool on);
    std::vector<int> Breakpoints() const;
    // The statement a paused script stands at (0: none); the view follows it.
    void ShowCurrentLine(int line);
    void MarkError(int line);
    void ClearRunMarks();
    // The line of the caret.
    int CaretLine() const;
    // What a watch takes: the selection, or the word at the caret.
    QString WatchText() const;

Q_SIGNALS:
    void BreakpointToggled(int line, bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void StartFilling();
    void FillPiece();
    void OnMarginClicked(int margin, int line, Qt::KeyboardModifiers state);
    void FitLineNumberMargin();

    QString module_;
    QString path_;
    BasicLexer* lexer_;
    bool generated_ = false;
    std::function<const std::string&()> pendingText_;
    bool fillStarted_ = false;
    std::size_t filled_ = 0; // bytes of the pending text in the editor
};

} // namespace vek
