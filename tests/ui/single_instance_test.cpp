// One vek32 per profile, with two real processes: a second start hands its file to the running
// one and ends at once; the running one opens the file. The socket lies in a folder of the user's
// own, and neither end talks to another user's.
#include "ui_test_support.h"

#include "platform/profile_file.h"
#include "ui/app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <future>
#include <sys/stat.h>

namespace vek {

class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    static QProcess* Start(const QString& configHome, const QString& runtime,
                           const QStringList& arguments) {
        auto* process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(VEK_BIN_DIR "/vek32"), arguments);
        return process;
    }

    static std::string RecentFile(const QString& configHome, const char* key = "File1") {
        ProfileFile profile((configHome + QStringLiteral("/tarvel/vek32.ini")).toStdString());
        profile.Load();
        return profile.GetString("Recent File List", key, "", 4096);
    }

    static QString PathOf(const QString& profileFolder) {
        QString error;
        const QString path = SingleInstance::ServerPath(profileFolder, error);
        if (path.isEmpty())
            qWarning("no socket path: %s", qPrintable(error));
        return path;
    }

    // A hand-over from another thread, so that this one's event loop can answer it.
    static std::future<bool> HandOverLater(const SingleInstance& instance,
                                           const QStringList& paths) {
        return std::async(std::launch::async,
                          [&instance, paths] { return instance.HandOver(paths); });
    }

    QTemporaryDir runtime_;
    QByteArray savedRuntime_;

private Q_SLOTS:
    void init() {
        savedRuntime_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    }
    void cleanup() { qputenv("XDG_RUNTIME_DIR", savedRuntime_); }

    void secondStartHandsItsFilesToTheRunningOne() {
        test::Workspace files;
        const QString board = files.Board(QStringLiteral("board.vek"));
        const QString other = files.Board(QStringLiteral("other 100%.vek"));
        QTemporaryDir configHome;
        std::unique_ptr<QProcess> first(Start(configHome.path(), runtime_.path(), {}));
        QVERIFY(first->waitForStarted());
        // The running instance writes its profile once it is up.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(configHome.filePath(QStringLiteral("tarvel/vek32.ini"))), 20000);
        const QString socket = PathOf(configHome.filePath(QStringLiteral("tarvel")));
        QVERIFY(socket.startsWith(runtime_.path() + QLatin1Char('/')));
        QVERIFY(QFile::exists(socket));

        // Options and files; every file is handed over and opened, the last one last.
        std::unique_ptr<QProcess> second(Start(configHome.path(), runtime_.path(),
                                               {board, QStringLiteral("--driver-path"),
                                                files.Path(QStringLiteral("drivers")), other}));
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(RecentFile(configHome.path()), other.toStdString(), 20000);
        QCOMPARE(RecentFile(configHome.path(), "File2"), board.toStdString());
        QCOMPARE(first->state(), QProcess::Running);

        first->terminate();
        QVERIFY(first->waitForFinished(20000));
    }

    void aStartWhoseHandOverIsNotConfirmedOpensItsOwnWindow() {
        test::Workspace files;
        const QString board = files.Board(QStringLiteral("board.vek"));
        QTemporaryDir configHome;
        // Something listens at the socket but never answers.
        QLocalServer mute;
        QVERIFY(mute.listen(PathOf(configHome.filePath(QStringLiteral("tarvel")))));

        std::unique_ptr<QProcess> start(Start(configHome.path(), runtime_.path(), {board}));
        QVERIFY(start->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(RecentFile(configHome.path()), board.toStdString(), 20000);
        QCOMPARE(start->state(), QProcess::Running);
        start->terminate();
        QVERIFY(start->waitForFinished(20000));
    }

    void aListenerOfAnotherUserIsToldNothing() {
        QTemporaryDir folder;
        QLocalServer listener;
        QVERIFY(listener.listen(PathOf(folder.path())));
        // This process stands for the other user: the instance expects a peer of another id.
        const SingleInstance instance(folder.path(), nullptr, getuid() + 1);
        QVERIFY(!instance.HandOver({QStringLiteral("/boards/secret.vek")}));
        QTRY_VERIFY(listener.hasPendingConnections());
        QLocalSocket* connection = listener.nextPendingConnection();
        QTRY_VERIFY(connection->state() == QLocalSocket::UnconnectedState ||
                    connection->bytesAvailable() > 0);
        QCOMPARE(connection->readAll(), QByteArray());
    }

    void aStartOfAnotherUserIsNotHeard() {
        QTemporaryDir folder;
        SingleInstance running(folder.path(), nullptr, getuid() + 1);
        QString error;
        QVERIFY2(running.Listen(error), qPrintable(error));
        QSignalSpy requested(&running, &SingleInstance::Requested);
        const SingleInstance later(folder.path());
        std::future<bool> handedOver = HandOverLater(later, {QStringLiteral("/boards/a.vek")});
        QTRY_VERIFY(handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(!handedOver.get());
        QCOMPARE(requested.count(), 0);
    }

    void aSocketLeftBehindIsTakenOver() {
        QTemporaryDir folder;
        // What an instance that crashed leaves: the socket's file, with no one behind it.
        QFile stale(PathOf(folder.path()));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance instance(folder.path());
        QVERIFY(!instance.HandOver({QStringLiteral("/nowhere.vek")}));
        QString error;
        QVERIFY2(instance.Listen(error), qPrintable(error));
        const SingleInstance later(folder.path());
        QSignalSpy requested(&instance, &SingleInstance::Requested);
        std::future<bool> handedOver = HandOverLater(later, {QStringLiteral("/boards/a.vek")});
        QTRY_COMPARE(requested.count(), 1);
        QCOMPARE(requested.at(0).at(0).toStringList(),
                 QStringList{QStringLiteral("/boards/a.vek")});
        QTRY_VERIFY(handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(handedOver.get());
    }

    void theSocketsFolderIsPrivate() {
        QString error;
        QCOMPARE(SingleInstance::RuntimeFolder(error), runtime_.path());
        // A runtime folder others may enter is not used: the socket goes into a folder made for
        // it in the temporary folder, with no access for anyone else.
        QTemporaryDir open;
        QVERIFY(QFile::setPermissions(open.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(open.path()));
        QTemporaryDir temporary;
        const QByteArray savedTemporary = qgetenv("TMPDIR");
        qputenv("TMPDIR", QFile::encodeName(temporary.path()));
        const QString made = SingleInstance::RuntimeFolder(error);
        const QString expected =
            temporary.path() + QStringLiteral("/tarvel-vek32-%1").arg(getuid());
        QCOMPARE(made, expected);
        struct stat status {};
        QCOMPARE(::stat(QFile::encodeName(made).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0700u);

        // One that others may enter is refused, and no instance listens there.
        QCOMPARE(::chmod(QFile::encodeName(made).constData(), 0755), 0);
        QCOMPARE(SingleInstance::RuntimeFolder(error), QString());
        QVERIFY2(error.contains(QStringLiteral("not private")), qPrintable(error));
        SingleInstance instance(open.path());
        QVERIFY(!instance.HandOver({QStringLiteral("/boards/a.vek")}));
        QVERIFY(!instance.Listen(error));
        qputenv("TMPDIR", savedTemporary);
    }
};

} // namespace vek

QTEST_MAIN(vek::SingleInstanceTest)
#include "single_instance_test.moc"
