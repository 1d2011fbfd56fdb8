#include "ui/dialogs/qt_file_dialogs.h"

#include "ui/dialogs/values_file_dialog.h"

namespace vek {

namespace {

std::optional<QString> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace

std::optional<QString> QtFileDialogs::OpenDescription(QWidget* parent) {
    QFileDialog dialog(parent, QString(), QString(), QStringLiteral("VEK Files (*.vek)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<QString> QtFileDialogs::OpenValuesOrDescription(QWidget* parent) {
    CValuesFileDialog dialog(parent, QFileDialog::AcceptOpen);
    dialog.setNameFilters(
        {QStringLiteral("Register Files (*.vkg)"), QStringLiteral("VEK Source Files (*.vek)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<FileDialogs::ValuesFile> QtFileDialogs::SaveValues(QWidget* parent) {
    CValuesFileDialog dialog(parent, QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Register Files (*.vkg)"));
    dialog.setDefaultSuffix(QStringLiteral("vkg"));
    const std::optional<QString> path = Chosen(dialog);
    if (!path)
        return std::nullopt;
    return ValuesFile{*path, dialog.Comment()};
}

std::optional<QString> QtFileDialogs::SaveText(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.selectFile(QStringLiteral("output.txt"));
    return Chosen(dialog);
}

} // namespace vek
