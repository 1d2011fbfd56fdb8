#pragma once

#include "ui/dialogs/file_dialogs.h"

namespace vek {

// The file dialogs of the desktop: Qt's own dialogs, the register-values ones with a comment
// field and the chosen file's date.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> OpenDescription(QWidget* parent) override;
    std::optional<QString> OpenValuesOrDescription(QWidget* parent) override;
    std::optional<ValuesFile> SaveValues(QWidget* parent) override;
    std::optional<QString> SaveText(QWidget* parent) override;
    std::optional<QString> SaveCsv(QWidget* parent, const QString& suggested) override;
    std::optional<QString> SavePng(QWidget* parent) override;
    std::optional<QString> OpenScript(QWidget* parent) override;
    std::optional<QString> SaveScript(QWidget* parent, const QString& suggested) override;
};

} // namespace vek
