// Live refresh as a user drives it: the toolbar's toggle and interval, the Register menu's choice
// of rows, the values that come in by themselves, the registers it must never read, the status
// bar's rate, and the stop when the driver keeps failing.
#include "tree_test_support.h"

#include "document/vek_doc.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/vek_out_view.h"
#include "ui/watch/live_refresh_bar.h"

#include <QComboBox>
#include <QTest>
#include <QToolButton>

namespace vek {

namespace {

QString RefreshBoard(test::Workspace& files) {
    return files.Write(QStringLiteral("live.vek"),
                       QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                      "0: CHIP A1 D1;\n"
                                      "1: CTRL [0x10] = 0 b;\n"
                                      "   MODE [0x10] & 0x0F;\n"
                                      "1: COUNT [0x11] = 0 r;\n"
                                      "1: FIFO [0x12] = 0 r !;\n"
                                      "1: CMD [0x13] = 0 w;\n"
                                      "1: \"Group\" b; 2:\n"
                                      "   INNER [0x14] = 0 b;\n"
                                      "#EndRegisterList\n"));
}

QToolButton* ToggleButton(const test::AppFixture& fixture) {
    return qobject_cast<QToolButton*>(fixture.Frame().RefreshBar().widgetForAction(
        fixture.Frame().Router().Action(CommandId::LiveRefresh)));
}

// Waits until the refresh has finished `more` rounds beyond those it had.
bool WaitRounds(LiveRefresh& refresh, int more) {
    const std::int64_t until = refresh.Rounds() + more;
    return QTest::qWaitFor([&] { return refresh.Rounds() >= until || !refresh.IsRunning(); },
                           10'000) &&
           refresh.Rounds() >= until;
}

} // namespace

class LiveRefreshTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theChosenRowsAreReadAgainByThemselves() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(RefreshBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        LiveRefresh& refresh = tw.view->Refresh();
        LiveRefreshBar& bar = fixture.Frame().RefreshBar();
        QVERIFY(bar.isVisible());
        QCOMPARE(bar.Settings().interval, 1000);
        QVERIFY(fixture.Checked(CommandId::RefreshSelected));

        // The shortest interval, chosen from the toolbar's box with the keyboard.
        bar.IntervalBox().setFocus();
        QTest::keyClick(&bar.IntervalBox(), Qt::Key_Home);
        QCOMPARE(bar.Settings().interval, 100);

        // The selected register: its value and its field's come in; its neighbour stays.
        tw.Select(QStringLiteral("CTRL"));
        driver.SetRegister(0x10, 0x25);
        driver.SetRegister(0x11, 0x07);
        QTRY_VERIFY(fixture.Frame().Router().Action(CommandId::LiveRefresh)->isEnabled());
        QTest::mouseClick(ToggleButton(fixture), Qt::LeftButton);
        QVERIFY(refresh.IsRunning());
        QVERIFY(fixture.Checked(CommandId::LiveRefresh));
        QTRY_COMPARE(tw.Data(QStringLiteral("CTRL")), QStringLiteral("25"));
        QCOMPARE(tw.Data(QStringLiteral("MODE")), QStringLiteral("5"));
        QCOMPARE(tw.Data(QStringLiteral("COUNT")), QStringLiteral("XX"));
        QCOMPARE(refresh.RegisterCount(), 1U);
        // A value that changes on the chip comes in at the next round, marked as changed.
        driver.SetRegister(0x10, 0x26);
        QTRY_COMPARE(tw.Data(QStringLiteral("CTRL")), QStringLiteral("26"));
        QVERIFY(tw.tree->Model().ChangedByRead(tw.Row(QStringLiteral("CTRL"))));
        QVERIFY(WaitRounds(refresh, 2));
        tw.view->OnActivated(true);
        QVERIFY(fixture.Frame().StatusBar().RefreshText().startsWith(QStringLiteral("Live ")));
        QVERIFY(
            fixture.Frame().StatusBar().RefreshText().endsWith(QStringLiteral(", 1 registers")));
        QVERIFY(refresh.Rate() > 0.0);

        // The device: every register but the one whose read pops a FIFO and the WRITE one.
        driver.SetRegister(0x12, 0x99);
        tw.Select(QStringLiteral("CHIP"));
        QVERIFY(WaitRounds(refresh, 2));
        QCOMPARE(tw.Data(QStringLiteral("COUNT")), QStringLiteral("7"));
        QCOMPARE(tw.Data(QStringLiteral("FIFO")), QStringLiteral("XX"));
        QCOMPARE(refresh.RegisterCount(), 3U);
        QCOMPARE(refresh.PassedOver(), 1);

        // A set: the registers below it only.
        driver.SetRegister(0x14, 0x44);
        driver.SetRegister(0x11, 0x09);
        tw.Select(QStringLiteral("Group"));
        QTRY_COMPARE(tw.Data(QStringLiteral("INNER")), QStringLiteral("44"));
        QVERIFY(WaitRounds(refresh, 2));
        QCOMPARE(refresh.RegisterCount(), 1U);
        QCOMPARE(tw.Data(QStringLiteral("COUNT")), QStringLiteral("7"));

        // Bookmarked rows, chosen in the Register menu, whatever is selected.
        QVERIFY(fixture.Run(CommandId::RefreshBookmarked));
        QVERIFY(fixture.Checked(CommandId::RefreshBookmarked));
        QVERIFY(!fixture.Checked(CommandId::RefreshSelected));
        tw.Select(QStringLiteral("COUNT"));
        QVERIFY(fixture.Run(CommandId::ToggleBookmark));
        tw.Select(QStringLiteral("CTRL"));
        driver.SetRegister(0x10, 0x31);
        driver.SetRegister(0x11, 0x08);
        QTRY_COMPARE(tw.Data(QStringLiteral("COUNT")), QStringLiteral("8"));
        QVERIFY(WaitRounds(refresh, 2));
        QCOMPARE(tw.Data(QStringLiteral("CTRL")), QStringLiteral("26"));

        // The rows in view: with the device collapsed no register shows, none is read.
        QVERIFY(fixture.Run(CommandId::RefreshVisible));
        QVERIFY(fixture.Run(CommandId::CollapseTree));
        QVERIFY(WaitRounds(refresh, 2));
        QCOMPARE(refresh.RegisterCount(), 0U);
        QVERIFY(fixture.Run(CommandId::ExpandTree));
        QTRY_COMPARE(tw.Data(QStringLiteral("CTRL")), QStringLiteral("31"));

        // Off from the toolbar again; the status bar's pane goes with it.
        QTest::mouseClick(ToggleButton(fixture), Qt::LeftButton);
        QVERIFY(!refresh.IsRunning());
        QVERIFY(!fixture.Checked(CommandId::LiveRefresh));
        QVERIFY(fixture.Frame().StatusBar().RefreshText().isEmpty());
        const std::int64_t rounds = refresh.Rounds();
        driver.SetRegister(0x10, 0x32);
        QTest::qWait(300);
        QCOMPARE(refresh.Rounds(), rounds);
        QCOMPARE(tw.Data(QStringLiteral("CTRL")), QStringLiteral("31"));
    }

    void aDriverThatKeepsFailingStopsTheRefreshWithAMessage() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(RefreshBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        fixture.Frame().RefreshBar().SetInterval(100);
        tw.Select(QStringLiteral("CHIP"));
        driver.FailAddress(0x11);
        fixture.App().OutputView().ClearText();
        QVERIFY(fixture.Run(CommandId::LiveRefresh));
        LiveRefresh& refresh = tw.view->Refresh();
        QTRY_VERIFY_WITH_TIMEOUT(!refresh.IsRunning(), 10'000);
        QCOMPARE(refresh.Rounds(), 3);
        const QStringList lines = fixture.App().OutputView().Lines();
        QVERIFY2(lines.size() == 1 &&
                     lines[0].startsWith(QStringLiteral(
                         "Live refresh stopped: reads failed in 3 rounds in a row (1 of 3 in "
                         "the last); ")) &&
                     lines[0].contains(QStringLiteral("0x11")),
                 qPrintable(lines.join('\n')));
        QVERIFY(!fixture.Checked(CommandId::LiveRefresh));
        // The good register was read all the same.
        QVERIFY(tw.Data(QStringLiteral("CTRL")) != QStringLiteral("XX"));
    }

    void theSettingsComeBackFromTheProfileAndDamagedOnesAreLeft() {
        {
            test::AppFixture fixture(QString(), {},
                                     QStringLiteral("[LiveRefresh]\nInterval=480\nScope=2\n"));
            QCOMPARE(fixture.Frame().RefreshBar().Settings().interval, 500);
            QCOMPARE(fixture.Frame().RefreshBar().IntervalBox().currentText(),
                     QStringLiteral("500 ms"));
            QVERIFY(fixture.Checked(CommandId::RefreshVisible));
        }
        test::AppFixture damaged(QString(), {},
                                 QStringLiteral("[LiveRefresh]\nInterval=-7\nScope=9\n"));
        QCOMPARE(damaged.Frame().RefreshBar().Settings().interval, 1000);
        QVERIFY(damaged.Checked(CommandId::RefreshSelected));
        QVERIFY(!damaged.Enabled(CommandId::LiveRefresh)); // no document open
    }
};

} // namespace vek

QTEST_MAIN(vek::LiveRefreshTest)
#include "live_refresh_test.moc"
