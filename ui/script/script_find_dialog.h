#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vek {

class ModuleEditor;

// Find and Replace in the script pane's current module: one dialog that stays open while the
// user goes on editing; Replace shows the replace row. Repeat finds the last text again.
class ScriptFindDialog : public QDialog {
    Q_OBJECT

public:
    using EditorSource = std::function<ModuleEditor*()>;

    ScriptFindDialog(EditorSource editor, QWidget* parent);

    void ShowFind(const QString& text);
    void ShowReplace(const QString& text);
    // Finds the next match after the caret; false (with a beep) when there is none.
    bool FindNext();
    void ReplaceOne();
    // Replaces every match in the module as one undo step; the number replaced.
    int ReplaceAll();
    bool HasSearch() const;

private:
    void Open(const QString& text, bool replace);
    bool FindFrom(ModuleEditor& editor, bool wrap);

    EditorSource editor_;
    QLineEdit* findText_;
    QLineEdit* replaceText_;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QPushButton* replaceButton_;
    QPushButton* replaceAllButton_;
};

} // namespace vek
