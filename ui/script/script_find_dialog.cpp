#include "ui/script/script_find_dialog.h"

#include "ui/script/module_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace vek {

ScriptFindDialog::ScriptFindDialog(EditorSource editor, QWidget* parent)
    : QDialog(parent), editor_(std::move(editor)) {
    setModal(false);
    auto* form = new QFormLayout(this);
    findText_ = new QLineEdit(this);
    replaceText_ = new QLineEdit(this);
    matchCase_ = new QCheckBox(QStringLiteral("Match &case"), this);
    wholeWord_ = new QCheckBox(QStringLiteral("&Whole word"), this);
    form->addRow(QStringLiteral("Fi&nd what:"), findText_);
    form->addRow(QStringLiteral("Re&place with:"), replaceText_);
    form->addRow(matchCase_);
    form->addRow(wholeWord_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    next->setDefault(true);
    replaceButton_ = buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::ActionRole);
    replaceAllButton_ =
        buttons->addButton(QStringLiteral("Replace &All"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    connect(next, &QPushButton::clicked, this, &ScriptFindDialog::FindNext);
    connect(replaceButton_, &QPushButton::clicked, this, &ScriptFindDialog::ReplaceOne);
    connect(replaceAllButton_, &QPushButton::clicked, this, &ScriptFindDialog::ReplaceAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::hide);
    form->addRow(buttons);
}

void ScriptFindDialog::ShowFind(const QString& text) {
    Open(text, false);
}

void ScriptFindDialog::ShowReplace(const QString& text) {
    Open(text, true);
}

void ScriptFindDialog::Open(const QString& text, bool replace) {
    setWindowTitle(replace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    if (!text.isEmpty() && !text.contains(QLatin1Char('\n')))
        findText_->setText(text);
    replaceText_->setVisible(replace);
    static_cast<QFormLayout*>(layout())->setRowVisible(replaceText_, replace);
    replaceButton_->setVisible(replace);
    replaceAllButton_->setVisible(replace);
    show();
    raise();
    activateWindow();
    findText_->setFocus();
    findText_->selectAll();
}

bool ScriptFindDialog::HasSearch() const {
    return !findText_->text().isEmpty();
}

bool ScriptFindDialog::FindFrom(ModuleEditor& editor, bool wrap) {
    // From the end of the selection, so that a found match is not found again.
    int line = 0;
    int index = 0;
    int lineTo = 0;
    int indexTo = 0;
    editor.getSelection(&line, &index, &lineTo, &indexTo);
    if (line < 0)
        editor.getCursorPosition(&lineTo, &indexTo);
    return editor.findFirst(findText_->text(), false, matchCase_->isChecked(),
                            wholeWord_->isChecked(), wrap, true, lineTo, indexTo, true);
}

bool ScriptFindDialog::FindNext() {
    ModuleEditor* editor = editor_();
    if (editor == nullptr || !HasSearch())
        return false;
    if (FindFrom(*editor, true))
        return true;
    QApplication::beep();
    return false;
}

void ScriptFindDialog::ReplaceOne() {
    ModuleEditor* editor = editor_();
    if (editor == nullptr || editor->isReadOnly() || !HasSearch())
        return;
    const Qt::CaseSensitivity cs =
        matchCase_->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // The selection is a match when the last Find Next left it: replace it, then find on.
    if (editor->hasSelectedText() && editor->selectedText().compare(findText_->text(), cs) == 0)
        editor->replaceSelectedText(replaceText_->text());
    FindNext();
}

int ScriptFindDialog::ReplaceAll() {
    ModuleEditor* editor = editor_();
    if (editor == nullptr || editor->isReadOnly() || !HasSearch())
        return 0;
    int count = 0;
    editor->beginUndoAction();
    editor->setCursorPosition(0, 0);
    // No wrap: every match once, also when the replacement contains the text.
    while (editor->findFirst(findText_->text(), false, matchCase_->isChecked(),
                             wholeWord_->isChecked(), false, true, -1, -1, true)) {
        editor->replace(replaceText_->text());
        ++count;
    }
    editor->endUndoAction();
    return count;
}

} // namespace vek
