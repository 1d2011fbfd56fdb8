#include "ui/dialogs/qt_file_dialogs.h"

#include "scripting/script_editor_settings.h"
#include "ui/dialogs/values_file_dialog.h"

namespace vek {

namespace {

std::optional<QString> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

// A file to save in: `filter` first, then all files, the suffix of `name` added when none is
// given.
std::optional<QString> SaveAs(QWidget* parent, const QString& filter, const QString& name) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({filter, QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(name.section(QLatin1Char('.'), -1));
    dialog.selectFile(name);
    return Chosen(dialog);
}

// "VEK Basic File (*.vkm *.bas)", then all files.
QStringList ScriptFilters() {
    const QString extension = QString::fromUtf8(kMacroViewSettings.defaultExtension).toLower();
    return {QStringLiteral("%1 (*.%2 *.bas)")
                .arg(QString::fromUtf8(kMacroViewSettings.fileTypeText), extension),
            QStringLiteral("All Files (*)")};
}

// Vendors' register maps open as descriptions: they are imported on the way.
const QString kRegisterMapFilter = QStringLiteral("Register Maps (*.svd *.xml)");

} // namespace

std::optional<QString> QtFileDialogs::OpenDescription(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setNameFilters({QStringLiteral("VEK Files (*.vek)"), kRegisterMapFilter});
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<QString> QtFileDialogs::OpenValuesOrDescription(QWidget* parent) {
    CValuesFileDialog dialog(parent, QFileDialog::AcceptOpen);
    dialog.setNameFilters({QStringLiteral("Register Files (*.vkg)"),
                           QStringLiteral("VEK Source Files (*.vek)"), kRegisterMapFilter});
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
    return SaveAs(parent, QStringLiteral("Text Files (*.txt)"), QStringLiteral("output.txt"));
}

std::optional<QString> QtFileDialogs::SaveCsv(QWidget* parent, const QString& suggested) {
    return SaveAs(parent, QStringLiteral("CSV Files (*.csv)"), suggested);
}

std::optional<QString> QtFileDialogs::SavePng(QWidget* parent) {
    return SaveAs(parent, QStringLiteral("PNG Images (*.png)"), QStringLiteral("plot.png"));
}

std::optional<QString> QtFileDialogs::OpenScript(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setNameFilters(ScriptFilters());
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<QString> QtFileDialogs::SaveScript(QWidget* parent, const QString& suggested) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(ScriptFilters());
    dialog.setDefaultSuffix(QString::fromUtf8(kMacroViewSettings.defaultExtension).toLower());
    dialog.selectFile(suggested);
    return Chosen(dialog);
}

} // namespace vek
