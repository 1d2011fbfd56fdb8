// The keyboard in the register tree as a user meets it: the tree has the focus whenever its
// window becomes the active one, the numeric pad steps values where stepping is allowed and
// opens rows elsewhere, and Collapse Tree keeps a selection in sight.
#include "tree_test_support.h"

#include "ui/frame/fixed_frame.h"
#include "ui/frame/window_list.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QStyle>
#include <QTest>

namespace vek {

class TreeKeyboardTest : public QObject {
    Q_OBJECT

private:
    // A key as the user presses it: to whichever widget has the focus.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus != nullptr);
        QTest::keyClick(focus, key, modifiers);
    }
    static QString Caret(const test::TreeWindow& tw) {
        return QString::fromStdString(
            tw.tree->GetCellText(tw.tree->GetCaretRow(), TreeColumn::Description));
    }
    static void ClickRow(const test::TreeWindow& tw, const QString& row) {
        tw.tree->ShowRow(tw.Row(row));
        const QRect rect = tw.tree->visualRect(tw.tree->Model().IndexOf(tw.Row(row)));
        QTest::mouseClick(tw.tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCOMPARE(Caret(tw), row);
    }

private Q_SLOTS:
    void theTreeHasTheFocusWheneverItsWindowIsActivated() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow first(fixture);
        QCOMPARE(QApplication::focusWidget(), first.tree);
        Press(Qt::Key_Right);
        Press(Qt::Key_Down);
        QCOMPARE(Caret(first), QStringLiteral("CTRL REG"));

        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("second.vek"), 2));
        const test::TreeWindow second(fixture);
        QCOMPARE(QApplication::focusWidget(), second.tree);

        // Back to the first through the Window menu: the keys go on where it was left.
        QMenu& menu = *fixture.Frame().Menu(MenuId::Window);
        menu.actions().at(WindowList::kFixedEntries + 1)->trigger();
        QCOMPARE(fixture.Frame().ActiveChild(), first.window);
        QCOMPARE(QApplication::focusWidget(), first.tree);
        Press(Qt::Key_Down);
        QCOMPARE(Caret(first), QStringLiteral("WIDE")); // past CTRL REG's closed bit field

        // A click on the other window's title bar.
        const int title = second.window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        QTest::mouseClick(second.window, Qt::LeftButton, Qt::NoModifier,
                          QPoint(second.window->width() / 2, title / 2));
        QCOMPARE(fixture.Frame().ActiveChild(), second.window);
        QCOMPARE(QApplication::focusWidget(), second.tree);
        Press(Qt::Key_Right);
        Press(Qt::Key_Down);
        QCOMPARE(Caret(second), QStringLiteral("R0"));
    }

    void numericPadStepsWhereSteppingIsAllowed() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        tw.tree->setFocus();
        Press(Qt::Key_Right);
        // Clicked and stepped at once, before the window had a moment to bring its menus up to
        // date: CTRL REG has a child row, yet "+" steps its value.
        ClickRow(tw, QStringLiteral("CTRL REG"));
        Press(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(driver.Writes(0x1a), std::vector<uint32_t>{0x13});
        QVERIFY(!tw.tree->IsRowExpanded(tw.Row(QStringLiteral("CTRL REG"))));
        Press(Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(driver.Writes(0x1a), (std::vector<uint32_t>{0x13, 0x12}));

        // The main keyboard's "+" and "-" open and close the row, and write nothing.
        Press(Qt::Key_Plus, Qt::ShiftModifier);
        QVERIFY(tw.tree->IsRowExpanded(tw.Row(QStringLiteral("CTRL REG"))));
        Press(Qt::Key_Minus);
        QVERIFY(!tw.tree->IsRowExpanded(tw.Row(QStringLiteral("CTRL REG"))));
        QCOMPARE(driver.Writes(0x1a).size(), std::size_t{2});

        // Where stepping is not allowed (a device) the pad's keys open and close the row.
        ClickRow(tw, QStringLiteral("CHIP"));
        Press(Qt::Key_Minus, Qt::KeypadModifier);
        QVERIFY(!tw.tree->IsRowExpanded(0));
        Press(Qt::Key_Plus, Qt::KeypadModifier);
        QVERIFY(tw.tree->IsRowExpanded(0));

        // In the filter field the pad's "+" is a character like any other.
        ClickRow(tw, QStringLiteral("CTRL REG"));
        tw.view->FilterField().setFocus();
        Press(Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(tw.view->FilterField().text(), QStringLiteral("+"));
        QCOMPARE(driver.Writes(0x1a).size(), std::size_t{2});
    }

    void collapseTreeSelectsTheRowThatStaysInSight() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(fixture.Run(CommandId::ExpandTree));
        ClickRow(tw, QStringLiteral("INNER REG"));
        QVERIFY(fixture.Run(CommandId::CollapseTree));
        QVERIFY(tw.tree->hasFocus());
        QCOMPARE(Caret(tw), QStringLiteral("CHIP"));
        QCOMPARE(tw.tree->GetSelectedRow(), 0);
        QVERIFY(tw.tree->selectionModel()->isRowSelected(0, QModelIndex()));
        // The keys go on from there.
        Press(Qt::Key_Right);
        Press(Qt::Key_Down);
        QCOMPARE(Caret(tw), QStringLiteral("CTRL REG"));
    }
};

} // namespace vek

QTEST_MAIN(vek::TreeKeyboardTest)
#include "tree_keyboard_test.moc"
