// Finding one's way in the register tree: bookmarks set with the keys and the mouse and walked
// through collapsed branches, the filter field, copying rows and the value tooltip.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/tree/item_images.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"
#include "ui/tree/vek_tree_view.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace vek {

class TreeNavigationTest : public QObject {
    Q_OBJECT

private:
    static void Key(const test::AppFixture& fixture, const test::TreeWindow& tw, Qt::Key key,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        fixture.Frame().Router().UpdateAll();
        QTest::keyClick(tw.tree, key, modifiers);
    }
    static bool Marked(const test::TreeWindow& tw, const QString& row) {
        const bool flag = tw.Item(row)->HasFlags(ItemFlag::Bookmark);
        const bool image = tw.tree->GetCellImage(tw.Row(row)) == ItemImages::kBookmark;
        return flag && image;
    }
    static QString Caret(const test::TreeWindow& tw) {
        return QString::fromStdString(
            tw.tree->GetCellText(tw.tree->GetCaretRow(), TreeColumn::Description));
    }

private Q_SLOTS:
    void bookmarksAreWalkedThroughCollapsedBranches() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        // Nothing moves while there are no bookmarks.
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(tw.tree->GetCaretRow(), 0);

        for (const char* name : {"CTRL REG", "OUT", "INNER REG"}) {
            tw.Select(QString::fromLatin1(name));
            Key(fixture, tw, Qt::Key_F2, Qt::ControlModifier);
            QVERIFY(Marked(tw, QString::fromLatin1(name)));
        }
        QVERIFY(fixture.Run(CommandId::CollapseTree));
        tw.tree->SelectRow(0);
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(Caret(tw), QStringLiteral("CTRL REG"));
        QVERIFY(tw.tree->IsRowVisible(tw.tree->GetCaretRow()));
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(Caret(tw), QStringLiteral("OUT"));
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(Caret(tw), QStringLiteral("INNER REG"));
        QVERIFY(tw.tree->IsRowVisible(tw.tree->GetCaretRow())); // its set was opened
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(Caret(tw), QStringLiteral("CTRL REG")); // wrapped
        Key(fixture, tw, Qt::Key_F2, Qt::ShiftModifier);
        QCOMPARE(Caret(tw), QStringLiteral("INNER REG")); // from the last row back

        // Toggling again removes the mark; a middle click marks a row.
        Key(fixture, tw, Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(!Marked(tw, QStringLiteral("INNER REG")));
        const QRect stat = tw.tree->visualRect(tw.tree->Model().IndexOf(tw.Row("STAT")));
        QTest::mouseClick(tw.tree->viewport(), Qt::MiddleButton, Qt::NoModifier, stat.center());
        QVERIFY(Marked(tw, QStringLiteral("STAT")));
        QVERIFY(fixture.Run(CommandId::ClearBookmarks));
        QVERIFY(!Marked(tw, QStringLiteral("STAT")));
        QVERIFY(!Marked(tw, QStringLiteral("CTRL REG")));
    }

    void filterHidesRowsThatDoNotMatch() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QLineEdit& filter = tw.view->FilterField();
        QTest::keyClicks(&filter, QStringLiteral("reg"));
        QVERIFY(tw.tree->IsRowVisible(tw.Row(QStringLiteral("CTRL REG"))));
        QVERIFY(tw.tree->IsRowVisible(tw.Row(QStringLiteral("INNER REG"))));
        QVERIFY(tw.tree->IsRowVisible(tw.Row(QStringLiteral("Group")))); // its ancestor
        QVERIFY(!tw.tree->IsRowVisible(tw.Row(QStringLiteral("STAT"))));
        QVERIFY(!tw.tree->IsRowVisible(tw.Row(QStringLiteral("OTHER"))));
        QCOMPARE(tw.tree->model()->rowCount(tw.tree->Model().IndexOf(0)), 2);
        QCOMPARE(tw.tree->GetRowCount(), 13); // rows keep their numbers

        // A bookmark on a hidden row is reached: the filter gives way.
        tw.view->Bookmarks().Set(*tw.Item(QStringLiteral("STAT")), true);
        tw.Select(QStringLiteral("CTRL REG"));
        Key(fixture, tw, Qt::Key_F2);
        QCOMPARE(Caret(tw), QStringLiteral("STAT"));
        QVERIFY(filter.text().isEmpty());
        QVERIFY(tw.tree->IsRowVisible(tw.Row(QStringLiteral("OTHER"))));
    }

    void copyPutsTheSelectedRowsOnTheClipboard() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QVERIFY(fixture.Run(CommandId::ExpandTree));
        tw.Select(QStringLiteral("CTRL REG"));
        Key(fixture, tw, Qt::Key_Down, Qt::ShiftModifier);
        Key(fixture, tw, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("CTRL REG\t1a\t12\nMODE\t1a\t2\n"));
    }

    void valueToolTipShowsAllRadices() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        const auto tip = [&tw](const char* row) {
            return tw.tree->model()
                ->data(tw.tree->Model().IndexOf(tw.Row(QString::fromLatin1(row)), 2),
                       Qt::ToolTipRole)
                .toString();
        };
        QVERIFY(tip("CTRL REG").startsWith(QStringLiteral("No value")));
        driver.SetRegister(0x1a, 0x12);
        driver.SetRegister(0x33, 0xFE);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QCOMPARE(tip("CTRL REG"), QStringLiteral("Hex: 0x12\nDec: 18\nBin: 0001 0010\nWidth: 8 "
                                                 "bits\nMask: 0xff\nDefault: 0x0\nAccess: BOTH"));
        QVERIFY(tip("TEMP").contains(QStringLiteral("Dec: 254 (-2)")));
        QVERIFY(tip("MODE").contains(QStringLiteral("Mask: 0xf\n")));
        QVERIFY(tip("CHIP").isEmpty());
    }
};

} // namespace vek

QTEST_MAIN(vek::TreeNavigationTest)
#include "tree_navigation_test.moc"
