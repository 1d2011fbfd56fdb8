#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace vek {

// The file dialogs vek32 shows. Each returns the chosen file, or nothing when the user
// cancelled. Tests put in their own answers.
class FileDialogs {
public:
    struct ValuesFile {
        QString path;
        QString comment;
    };

    virtual ~FileDialogs() = default;

    // A description to open ("VEK Files (*.vek)").
    virtual std::optional<QString> OpenDescription(QWidget* parent) = 0;
    // A register-values file to load, or a description to open.
    virtual std::optional<QString> OpenValuesOrDescription(QWidget* parent) = 0;
    // A register-values file to save, with the user's comment.
    virtual std::optional<ValuesFile> SaveValues(QWidget* parent) = 0;
    // A text file for the output window's lines.
    virtual std::optional<QString> SaveText(QWidget* parent) = 0;
    // A comma-separated values file (the Watch I/O window's list, a plot's points), `suggested`
    // offered first.
    virtual std::optional<QString> SaveCsv(QWidget* parent, const QString& suggested) = 0;
    // A PNG picture of a plot.
    virtual std::optional<QString> SavePng(QWidget* parent) = 0;
    // A Basic file to open as a module of the script pane, and the file to save a module in
    // (`suggested`: the name offered first).
    virtual std::optional<QString> OpenScript(QWidget* parent) = 0;
    virtual std::optional<QString> SaveScript(QWidget* parent, const QString& suggested) = 0;
};

} // namespace vek
