#pragma once

#include "ui/app/vek_app.h"
#include "ui/dialogs/file_dialogs.h"

#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

namespace vek::test {

// File dialogs that give prepared answers, in order; nothing (cancel) when none is left.
class FakeFileDialogs : public FileDialogs {
public:
    std::optional<QString> OpenDescription(QWidget*) override { return Next(); }
    std::optional<QString> OpenValuesOrDescription(QWidget*) override { return Next(); }
    std::optional<ValuesFile> SaveValues(QWidget*) override;
    std::optional<QString> SaveText(QWidget*) override { return Next(); }
    std::optional<QString> SaveCsv(QWidget*, const QString&) override { return Next(); }
    std::optional<QString> SavePng(QWidget*) override { return Next(); }
    std::optional<QString> OpenScript(QWidget*) override { return Next(); }
    std::optional<QString> SaveScript(QWidget*, const QString&) override { return Next(); }

    std::deque<QString> answers;
    QString comment;
    int asked = 0;

private:
    std::optional<QString> Next();
};

// Clicks a button of the next message box that opens, with a real mouse click, and remembers
// its caption and text.
class MessageBoxAnswer : public QObject {
    Q_OBJECT

public:
    explicit MessageBoxAnswer(QMessageBox::StandardButton button);

    bool Answered() const { return answered_; }
    const QString& Title() const { return title_; }
    const QString& Text() const { return text_; }

private:
    void Poll();

    QMessageBox::StandardButton button_;
    bool answered_ = false;
    QString title_;
    QString text_;
    int polls_ = 0;
};

// Clicks a button of every message box that opens while it lives, once each, and remembers
// their texts in order; `beforeAnswer` runs while a box is shown, before it is answered.
class EveryMessageBox : public QObject {
    Q_OBJECT

public:
    explicit EveryMessageBox(QMessageBox::StandardButton button);

    QStringList texts;
    std::function<void()> beforeAnswer;

private:
    void Poll();

    QMessageBox::StandardButton button_;
    QPointer<QMessageBox> answered_;
};

// A temporary folder for descriptions and values files; their test driver is the one in the
// program's folder.
class Workspace {
public:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Writes a file and returns its path.
    QString Write(const QString& name, const QString& text) const;
    // A small description of one device on the test driver, with `registers` one-byte registers.
    QString Board(const QString& name, int registers = 3) const;

private:
    QTemporaryDir dir_;
};

// vek32's application started on a profile of its own with fake file dialogs and a clock the
// test moves.
class AppFixture {
public:
    // `files` are the command line's files, `driverFolders` stand for its --driver-path;
    // `profile` is the text of the profile the program finds when it starts.
    explicit AppFixture(const QStringList& files = {}, const QStringList& driverFolders = {},
                        const QString& profile = {});
    // Started with one file, or none when it is empty.
    explicit AppFixture(const QString& file, const QStringList& driverFolders = {},
                        const QString& profile = {});
    ~AppFixture();

    CVekApp& App() const { return *app_; }
    CFixedFrame& Frame() const;
    FakeFileDialogs& Dialogs() const { return *dialogs_; }
    Workspace& Files() { return files_; }
    QString ProfileFolder() const { return profile_.path(); }
    // The states the route gives a command now.
    bool Enabled(CommandId id) const;
    bool Checked(CommandId id) const;
    bool Run(CommandId id) const;

    std::uint32_t now = 1000;

private:
    QTemporaryDir profile_;
    Workspace files_;
    FakeFileDialogs* dialogs_;
    std::unique_ptr<CVekApp> app_;
};

// A file's permission bits for its owner, group and others (not what this user may do with it,
// which for the superuser is everything).
QFile::Permissions ModeBits(const QString& path);

// The path of a file of the source tree.
QString SourcePath(const QString& relative);

} // namespace vek::test
