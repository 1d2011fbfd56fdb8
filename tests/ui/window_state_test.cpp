// What a Linux desktop program does between runs and in its Help menu: the main window comes
// back where it was, as large, maximized or not, with its toolbars (a damaged profile or a
// window off every screen is mended); Ctrl+Q quits; F1 opens the user guide; the desktop entry
// names the window's class.
#include "ui_test_support.h"

#include "ui/app/window_state.h"
#include "ui/commands/command_table.h"
#include "ui/dialogs/user_guide.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/vek_tool_bar.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

namespace vek {

namespace {

QString ProfileText(const test::AppFixture& fixture) {
    QFile file(fixture.ProfileFolder() + QStringLiteral("/vek32.ini"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The profile the program leaves when its main window is closed.
QString ClosedProfile(const test::AppFixture& fixture) {
    fixture.Frame().close();
    return ProfileText(fixture);
}

QRect Screen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QSize DefaultSize() {
    return {Screen().width() * 2 / 3, Screen().height() * 2 / 3};
}

} // namespace

class WindowStateTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowComesBackAsItWas() {
        const QRect place(Screen().x() + 40, Screen().y() + 50, 520, 380);
        QString profile;
        {
            test::AppFixture fixture;
            fixture.Frame().setGeometry(place);
            QVERIFY(fixture.Run(CommandId::ViewToolbar));
            profile = ClosedProfile(fixture);
        }
        QVERIFY2(profile.contains(QStringLiteral("[Window]")), qPrintable(profile));
        {
            test::AppFixture fixture(QString(), {}, profile);
            QCOMPARE(fixture.Frame().geometry(), place);
            QVERIFY(fixture.Frame().MainToolBar().isHidden());
            // The script toolbar still waits for the first register tree window.
            QVERIFY(fixture.Frame().ScriptToolBar().isHidden());
            QVERIFY(fixture.Run(CommandId::ViewToolbar));
            fixture.Frame().showMaximized();
            QTRY_VERIFY(fixture.Frame().isMaximized());
            profile = ClosedProfile(fixture);
        }
        test::AppFixture fixture(QString(), {}, profile);
        QTRY_VERIFY(fixture.Frame().isMaximized());
        QVERIFY(!fixture.Frame().MainToolBar().isHidden());
        // Restored, it goes back to its place.
        fixture.Frame().showNormal();
        QTRY_COMPARE(fixture.Frame().geometry(), place);
    }

    void aDamagedOrForeignProfileIsIgnored() {
        const QString damaged = QStringLiteral(
            "[Window]\nLeft=abc\nTop=10\nWidth=-5\nHeight=99999999999999999999\nMaximized=yes\n"
            "Toolbars=%1\n");
        // Not base64; a toolbar state cut short.
        for (const QString& toolbars :
             {QStringLiteral("@@not base64@@"), QStringLiteral("AAAA/wAAAAD9AAAAAAAAAAAAAAAA")}) {
            test::AppFixture fixture(QString(), {}, damaged.arg(toolbars));
            QCOMPARE(fixture.Frame().geometry().size(), DefaultSize());
            QVERIFY(!fixture.Frame().isMaximized());
            QVERIFY(!fixture.Frame().MainToolBar().isHidden());
        }
        // Off every screen: moved back onto one, as large as before.
        test::AppFixture fixture(
            QString(), {},
            QStringLiteral("[Window]\nLeft=9000\nTop=-4000\nWidth=400\nHeight=300\n"));
        QCOMPARE(fixture.Frame().geometry().size(), QSize(400, 300));
        QVERIFY(Screen().contains(fixture.Frame().geometry()));
    }

    void aPlaceIsKeptWhileItsTitleCanBeGrabbed() {
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        const QRect acrossTheEdge(1800, 200, 800, 600);
        QCOMPARE(OntoScreens(acrossTheEdge, screens), acrossTheEdge);
        // Its title bar above the screens; a sliver at the right edge; larger than the screen.
        QCOMPARE(OntoScreens(QRect(100, -500, 800, 600), screens), QRect(0, 0, 800, 600));
        QCOMPARE(OntoScreens(QRect(3150, 10, 800, 600), screens), QRect(0, 0, 800, 600));
        QCOMPARE(OntoScreens(QRect(-5000, 0, 4000, 3000), screens), QRect(0, 0, 1920, 1080));
    }

    void f1ShowsTheUserGuideAndControlQQuits() {
        test::AppFixture fixture;
        QTest::keyClick(&fixture.Frame(), Qt::Key_F1);
        CUserGuide* guide = nullptr;
        QTRY_VERIFY((guide = fixture.Frame().findChild<CUserGuide*>()) != nullptr &&
                    guide->isVisible());
        // Not installed: the copy built into the program.
        QVERIFY(guide->Browser().toPlainText().startsWith(
            QStringLiteral("vek32, the desktop program")));
        QVERIFY(guide->Browser().toPlainText().contains(QStringLiteral("Ctrl+Q")));
        guide->close();
        const QList<QKeySequence> exitKeys = Shortcuts(FindCommand(CommandId::AppExit));
        for (const QKeySequence& quit : QKeySequence::keyBindings(QKeySequence::Quit))
            QVERIFY2(exitKeys.contains(quit), qPrintable(quit.toString()));
        QTest::keyClick(&fixture.Frame(), Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(!fixture.Frame().isVisible());
        QVERIFY(ProfileText(fixture).contains(QStringLiteral("[Window]")));

        // Installed, the page beside the program as the installation lays them out.
        QTemporaryDir prefix;
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("lib/tarvel")));
        QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/doc/tarvel")));
        QFile page(prefix.filePath(QStringLiteral("share/doc/tarvel/vek32.md")));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("# The installed guide\n");
        page.close();
        const QString program = prefix.filePath(QStringLiteral("lib/tarvel"));
        QCOMPARE(CUserGuide::InstalledPath(program), page.fileName());
        QCOMPARE(CUserGuide(program, nullptr).Browser().toPlainText(),
                 QStringLiteral("The installed guide"));
        QCOMPARE(CUserGuide::InstalledPath(prefix.path()), QString());
    }

    void theDesktopEntryNamesTheWindowsClass() {
        CVekApp::SetIdentity();
        QFile entry(test::SourcePath(QStringLiteral("ui/install/tarvel-vek32.desktop")));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("StartupWMClass=") +
                               QCoreApplication::applicationName()));
        QCOMPARE(QFileInfo(entry).completeBaseName(), QGuiApplication::desktopFileName());
    }
};

} // namespace vek

QTEST_MAIN(vek::WindowStateTest)
#include "window_state_test.moc"
