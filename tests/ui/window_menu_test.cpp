// The Window menu: its fixed entries, the list of register tree windows with its limit of
// twenty, the check marks that follow the active window, and choosing an entry.
#include "ui_test_support.h"

#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/window_list.h"
#include "ui/views/mdi_out_wnd.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QTest>

namespace vek {

namespace {

QStringList EntryTexts(const QMenu& menu) {
    QStringList texts;
    for (const QAction* action : menu.actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class WindowMenuTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listFollowsAdditionsRemovalsAndTheCheckedTitle() {
        QMenu menu;
        for (int i = 0; i < WindowList::kFixedEntries; ++i)
            menu.addAction(QStringLiteral("fixed %1").arg(i));
        WindowList list(menu, nullptr);
        QVERIFY(list.AddWindowName(QStringLiteral("a.vek")));
        QVERIFY(list.AddWindowName(QStringLiteral("b.vek")));
        list.RebuildWindowMenu(true, QStringLiteral("b.vek"));
        QStringList texts = EntryTexts(menu);
        QCOMPARE(texts.size(), WindowList::kFixedEntries + 3);
        QCOMPARE(texts.mid(WindowList::kFixedEntries),
                 (QStringList{QStringLiteral("-"), QStringLiteral("&1 a.vek"),
                              QStringLiteral("&2 b.vek")}));
        // After the fixed entries and the separator: the first window, then the second.
        const int first = WindowList::kFixedEntries + 1;
        QVERIFY(!menu.actions().at(first)->isChecked());
        QVERIFY(menu.actions().at(first + 1)->isChecked());
        QCOMPARE(menu.actions().at(first + 1)->data().toInt(), 0xFF02);

        list.RebuildWindowMenu(true, QStringLiteral("Output"));
        QVERIFY(list.OutputChecked());
        QVERIFY(!menu.actions().at(first + 1)->isChecked());
        QVERIFY(list.RemoveWindowName(QStringLiteral("a.vek")));
        QVERIFY(!list.RemoveWindowName(QStringLiteral("a.vek")));
        list.RebuildWindowMenu(false, QStringLiteral("Output"));
        QVERIFY(!list.OutputChecked());
        QCOMPARE(EntryTexts(menu).mid(WindowList::kFixedEntries),
                 (QStringList{QStringLiteral("-"), QStringLiteral("&1 b.vek")}));
        QVERIFY(list.RemoveWindowName(QStringLiteral("b.vek")));
        list.Refresh();
        QCOMPARE(EntryTexts(menu).size(), WindowList::kFixedEntries);
    }

    void theTwentyFirstTreeWindowIsRefusedInTheMenu() {
        test::AppFixture fixture;
        for (int i = 1; i <= 20; ++i)
            fixture.App().OpenDocumentFile(
                fixture.Files().Board(QStringLiteral("board%1.vek").arg(i), 1));
        QMenu& menu = *fixture.Frame().Menu(MenuId::Window);
        QCOMPARE(fixture.Frame().Windows().Names().size(), 20);
        QCOMPARE(menu.actions().last()->text(), QStringLiteral("&20 board20.vek"));
        QVERIFY(menu.actions().last()->isChecked());

        test::MessageBoxAnswer answer(QMessageBox::Ok);
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board21.vek"), 1));
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("VEK"));
        QCOMPARE(answer.Text(),
                 QStringLiteral("The maximum number of open windows has been reached."));
        // The window opens all the same; the menu stays at twenty entries.
        QCOMPARE(fixture.Frame().ActiveChild()->windowTitle(), QStringLiteral("board21.vek"));
        QCOMPARE(fixture.Frame().Windows().Names().size(), 20);
        QCOMPARE(menu.actions().size(), WindowList::kFixedEntries + 1 + 20);

        // Closing a listed window frees its place and renumbers the rest.
        fixture.App().ActivateViewOfClass(*fixture.App().Documents().front(), WindowKind::Tree);
        fixture.Frame().ActiveChild()->close();
        QCOMPARE(fixture.Frame().Windows().Names().size(), 19);
        QCOMPARE(menu.actions().at(WindowList::kFixedEntries + 1)->text(),
                 QStringLiteral("&1 board2.vek"));
    }

    void choosingAnEntryActivatesItsWindow() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("first.vek"), 1));
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("second.vek"), 1));
        QMenu& menu = *fixture.Frame().Menu(MenuId::Window);
        QAction* first = menu.actions().at(WindowList::kFixedEntries + 1);
        QCOMPARE(first->text(), QStringLiteral("&1 first.vek"));
        first->trigger();
        QCOMPARE(fixture.Frame().ActiveChild()->windowTitle(), QStringLiteral("first.vek"));
        QVERIFY(menu.actions().at(WindowList::kFixedEntries + 1)->isChecked());
        QVERIFY(!menu.actions().at(WindowList::kFixedEntries + 2)->isChecked());
    }

    void outputEntryIsCheckedWhileTheOutputWindowIsActive() {
        test::AppFixture fixture;
        QVERIFY(!fixture.Checked(CommandId::WindowOutput));
        QVERIFY(fixture.Run(CommandId::WindowOutput));
        QVERIFY(fixture.Checked(CommandId::WindowOutput));
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board.vek"), 1));
        QVERIFY(!fixture.Checked(CommandId::WindowOutput));
        QCOMPARE(EntryTexts(*fixture.Frame().Menu(MenuId::Window)).mid(0, 8),
                 (QStringList{QStringLiteral("&Cascade"), QStringLiteral("&Tile"),
                              QStringLiteral("-"), QStringLiteral("Close &All"),
                              QStringLiteral("-"), QStringLiteral("&Watch"),
                              QStringLiteral("&Plot"), QStringLiteral("&Output")}));
    }
};

} // namespace vek

QTEST_MAIN(vek::WindowMenuTest)
#include "window_menu_test.moc"
