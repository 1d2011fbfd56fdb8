// One vek32 per profile, with two real processes: a second start hands its file to the running
// one and ends at once; the running one opens the file.
#include "ui_test_support.h"

#include "platform/profile_file.h"
#include "ui/app/single_instance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

namespace vek {

class SingleInstanceTest : public QObject {
    Q_OBJECT

private:
    static QProcess* Start(const QString& configHome, const QStringList& arguments) {
        auto* process = new QProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(VEK_BIN_DIR "/vek32"), arguments);
        return process;
    }

    static std::string RecentFile(const QString& configHome) {
        ProfileFile profile((configHome + QStringLiteral("/tarvel/vek32.ini")).toStdString());
        profile.Load();
        return profile.GetString("Recent File List", "File1", "", 4096);
    }

private Q_SLOTS:
    void secondStartHandsItsFileToTheRunningOne() {
        test::Workspace files;
        const QString board = files.Board(QStringLiteral("board.vek"));
        QTemporaryDir configHome;
        std::unique_ptr<QProcess> first(Start(configHome.path(), {}));
        QVERIFY(first->waitForStarted());
        // The running instance writes its profile once it is up.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(configHome.filePath(QStringLiteral("tarvel/vek32.ini"))), 20000);

        std::unique_ptr<QProcess> second(Start(configHome.path(), {board}));
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(RecentFile(configHome.path()), board.toStdString(), 20000);
        QCOMPARE(first->state(), QProcess::Running);

        first->terminate();
        QVERIFY(first->waitForFinished(20000));
    }

    void aSocketLeftBehindIsTakenOver() {
        QTemporaryDir folder;
        // What an instance that crashed leaves: the socket's file, with no one behind it.
        QFile stale(QDir::tempPath() + QLatin1Char('/') +
                    SingleInstance::ServerName(folder.path()));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance instance(folder.path());
        QVERIFY(!instance.HandOver(QStringLiteral("/nowhere.vek")));
        QString error;
        QVERIFY2(instance.Listen(error), qPrintable(error));
        SingleInstance later(folder.path());
        QSignalSpy requested(&instance, &SingleInstance::Requested);
        QVERIFY(later.HandOver(QStringLiteral("/boards/a.vek")));
        QTRY_COMPARE(requested.count(), 1);
        QCOMPARE(requested.at(0).at(0).toString(), QStringLiteral("/boards/a.vek"));
    }
};

} // namespace vek

QTEST_MAIN(vek::SingleInstanceTest)
#include "single_instance_test.moc"
