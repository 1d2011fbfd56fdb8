#include "ui_test_support.h"

#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

namespace vek::test {

std::optional<QString> FakeFileDialogs::Next() {
    ++asked;
    if (answers.empty())
        return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<FileDialogs::ValuesFile> FakeFileDialogs::SaveValues(QWidget*) {
    const std::optional<QString> path = Next();
    if (!path)
        return std::nullopt;
    return ValuesFile{*path, comment};
}

MessageBoxAnswer::MessageBoxAnswer(QMessageBox::StandardButton button) : button_(button) {
    QTimer::singleShot(10, this, &MessageBoxAnswer::Poll);
}

void MessageBoxAnswer::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QAbstractButton* button = box != nullptr ? box->button(button_) : nullptr;
    if (button == nullptr) {
        // Give up after ten seconds: the test then fails on Answered().
        if (++polls_ < 1000)
            QTimer::singleShot(10, this, &MessageBoxAnswer::Poll);
        return;
    }
    answered_ = true;
    title_ = box->windowTitle();
    text_ = box->text();
    QTest::mouseClick(button, Qt::LeftButton);
}

EveryMessageBox::EveryMessageBox(QMessageBox::StandardButton button) : button_(button) {
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &EveryMessageBox::Poll);
    poll->start(10);
}

void EveryMessageBox::Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QAbstractButton* button = box != nullptr ? box->button(button_) : nullptr;
    if (button == nullptr || box == answered_)
        return;
    answered_ = box;
    texts.append(box->text());
    if (beforeAnswer)
        beforeAnswer();
    QTest::mouseClick(button, Qt::LeftButton);
}

QString Workspace::Write(const QString& name, const QString& text) const {
    QFile file(Path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    return Path(name);
}

QString Workspace::Board(const QString& name, int registers) const {
    QString text =
        QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A2 D1 [0x10] << 1.1;\n");
    for (int r = 0; r < registers; ++r)
        text += QStringLiteral("1: R%1 [0x%2] = 0 b;\n").arg(r).arg(r, 2, 16, QLatin1Char('0'));
    text += QStringLiteral("#EndRegisterList\n");
    return Write(name, text);
}

AppFixture::AppFixture(const QString& file, const QStringList& driverFolders,
                       const QString& profile)
    : AppFixture(file.isEmpty() ? QStringList() : QStringList{file}, driverFolders, profile) {}

AppFixture::AppFixture(const QStringList& files, const QStringList& driverFolders,
                       const QString& profile) {
    if (!profile.isEmpty()) {
        QFile file(profile_.filePath(QStringLiteral("vek32.ini")));
        if (file.open(QIODevice::WriteOnly))
            file.write(profile.toUtf8());
    }
    CVekApp::Settings settings;
    settings.profileFolder = profile_.path();
    settings.driverFolders = driverFolders;
    settings.clock = [this] { return now; };
    auto dialogs = std::make_unique<FakeFileDialogs>();
    dialogs_ = dialogs.get();
    settings.dialogs = std::move(dialogs);
    app_ = std::make_unique<CVekApp>(std::move(settings));
    app_->InitInstance(files);
    // Keys and focus go to the active window only.
    Frame().activateWindow();
    if (!QTest::qWaitForWindowActive(&Frame()))
        qWarning("the main window did not become active");
}

AppFixture::~AppFixture() {
    app_.reset();
    // Windows closed by the test are deleted later; let that happen before the next test.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CFixedFrame& AppFixture::Frame() const {
    return app_->Frame();
}

bool AppFixture::Enabled(CommandId id) const {
    return Frame().Router().Query(id).enabled;
}

bool AppFixture::Checked(CommandId id) const {
    const CommandState state = Frame().Router().Query(id);
    return state.checkable && state.checked;
}

bool AppFixture::Run(CommandId id) const {
    return Frame().Router().Execute(id);
}

QFile::Permissions ModeBits(const QString& path) {
    return QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

QString SourcePath(const QString& relative) {
    return QStringLiteral(VEK_SOURCE_DIR "/") + relative;
}

} // namespace vek::test
