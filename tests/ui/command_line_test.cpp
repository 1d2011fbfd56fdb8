// vek32's command line as a user types it: help and version without a display, an unknown
// option, "--", several files (each opened, a missing one reported once). Handing several
// files to the running vek32 is the single-instance test's.
#include "ui_test_support.h"

#include "ui/app/command_line.h"
#include "ui/app/document_entry.h"
#include "ui/dialogs/about_dialog.h"

#include <QLabel>
#include <QProcess>
#include <QTest>

namespace vek {

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// vek32 with these arguments and environment changes (an empty value removes the variable),
// waited for to its end.
Run RunVek32(const QStringList& arguments, const QHash<QString, QString>& environment) {
    QProcess process;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (auto it = environment.begin(); it != environment.end(); ++it) {
        if (it.value().isEmpty())
            variables.remove(it.key());
        else
            variables.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(variables);
    process.start(QStringLiteral(VEK_BIN_DIR "/vek32"), arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// No display of any kind: a program that looked for one would end with Qt's error.
const QHash<QString, QString> kNoDisplay{{QStringLiteral("DISPLAY"), {}},
                                         {QStringLiteral("WAYLAND_DISPLAY"), {}},
                                         {QStringLiteral("QT_QPA_PLATFORM"), {}}};

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void helpAndVersionNeedNoDisplay() {
        for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
            const Run run = RunVek32({QStringLiteral("board.vek"), option}, kNoDisplay);
            QCOMPARE(run.status, 0);
            QVERIFY2(run.out.startsWith(QStringLiteral("Usage: vek32 [OPTION]... [FILE]...")),
                     qPrintable(run.out));
            for (const char* listed : {"--driver-path DIR", "--version", "--help", "  --  "})
                QVERIFY2(run.out.contains(QLatin1String(listed)), listed);
            QCOMPARE(run.err, QString());
        }
        // The version is the About box's.
        CAboutDlg about(nullptr);
        QString version;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            if (label->text().startsWith(QStringLiteral("Version ")))
                version = label->text().mid(8);
        }
        QVERIFY(!version.isEmpty());
        for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-V")}) {
            const Run run = RunVek32({option}, kNoDisplay);
            QCOMPARE(run.status, 0);
            QCOMPARE(run.out, QStringLiteral("vek32 (Tarvel) %1\n").arg(version));
        }
    }

    void anUnknownOptionIsAnErrorWithAHint() {
        QTemporaryDir runtime;
        const QHash<QString, QString> offscreen{
            {QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")},
            {QStringLiteral("XDG_RUNTIME_DIR"), runtime.path()}};
        Run run = RunVek32({QStringLiteral("--bogus"), QStringLiteral("board.vek")}, offscreen);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QStringLiteral("vek32: unknown option '--bogus'\n"
                                         "Try 'vek32 --help' for more information.\n"));
        run = RunVek32({QStringLiteral("--driver-path")}, offscreen);
        QCOMPARE(run.status, 2);
        QVERIFY2(
            run.err.startsWith(QStringLiteral("vek32: option '--driver-path' needs a folder\n")),
            qPrintable(run.err));
    }

    void everyArgumentIsAFileAndTwoDashesEndTheOptions() {
        CommandLine line = ParseCommandLine(
            {QStringLiteral("a b.vek"), QStringLiteral("--driver-path"), QStringLiteral("one"),
             QStringLiteral("--driver-path=two"), QStringLiteral("-"), QStringLiteral("--"),
             QStringLiteral("--help"), QStringLiteral("-V"), QStringLiteral("--driver-path")});
        QCOMPARE(line.action, CommandLine::Action::Run);
        QCOMPARE(line.files, (QStringList{"a b.vek", "-", "--help", "-V", "--driver-path"}));
        QCOMPARE(line.driverFolders, (QStringList{"one", "two"}));
        // Help wins over what follows it, an error over what follows it.
        line = ParseCommandLine({QStringLiteral("-h"), QStringLiteral("--bogus")});
        QCOMPARE(line.action, CommandLine::Action::Help);
        line = ParseCommandLine({QStringLiteral("-x"), QStringLiteral("--version")});
        QCOMPARE(line.action, CommandLine::Action::Error);
        QCOMPARE(line.error, QStringLiteral("unknown option '-x'"));
    }

    void everyFileIsOpenedAndEachMissingOneSaidOnce() {
        test::Workspace files;
        const QString first = files.Board(QStringLiteral("first board.vek"));
        const QString second = files.Board(QStringLiteral("second.vek"));
        const QString missing = files.Path(QStringLiteral("missing.vek"));
        const QString gone = files.Path(QStringLiteral("gone.vek"));
        test::EveryMessageBox boxes(QMessageBox::Ok);
        test::AppFixture fixture(QStringList{missing, first, gone, second});
        const auto& documents = fixture.App().Documents();
        QCOMPARE(documents.size(), std::size_t{2});
        QCOMPARE(documents[0]->Path(), first);
        QCOMPARE(documents[1]->Path(), second);
        QCOMPARE(boxes.texts.size(), 2);
        QVERIFY2(boxes.texts[0].startsWith(missing + QStringLiteral(": ")),
                 qPrintable(boxes.texts[0]));
        QVERIFY2(boxes.texts[1].startsWith(gone + QStringLiteral(": ")),
                 qPrintable(boxes.texts[1]));
    }
};

} // namespace vek

QTEST_MAIN(vek::CommandLineTest)
#include "command_line_test.moc"
