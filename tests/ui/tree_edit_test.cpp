// Editing a value in place in the register tree: started by a typed character, a double click or
// Return on the Data cell, committed with its range check and one write through the driver,
// cancelled, refused on READ and STATUS registers, and blocking stepping and its slider meanwhile.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"
#include "ui/tree/value_edit.h"
#include "ui/tree/vek_tree_view.h"

#include <QTest>

namespace vek {

class TreeEditTest : public QObject {
    Q_OBJECT

private:
    struct Board {
        test::AppFixture fixture;
        test::TestDriver driver;
        test::TreeWindow tw{Open(fixture)};

        static const test::AppFixture& Open(test::AppFixture& fixture) {
            fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
            return fixture;
        }
        // Selects the row and types on the tree.
        void Type(const QString& row, const QString& keys) {
            tw.Select(row);
            QTest::keyClicks(tw.tree, keys);
        }
        CValueEdit* Editor() const { return tw.view->CellEdit().Editor(); }
    };

private Q_SLOTS:
    void typedCharacterStartsTheEditor() {
        Board board;
        board.Type(QStringLiteral("CTRL REG"), QStringLiteral("7"));
        CValueEdit* editor = board.Editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("7"));
        QCOMPARE(editor->cursorPosition(), 1);
        QCOMPARE(editor->TextLimit(), 2);
        QVERIFY(editor->hasFocus());
        QVERIFY(board.tw.Item(QStringLiteral("CTRL REG"))->HasFlags(ItemFlag::Editing));
        QCOMPARE(board.tw.tree->GetEditMode(), CSftTree::EditMode::Editing);
        const QRect cell =
            *board.tw.tree->GetCellRect(board.tw.tree->GetCaretRow(), TreeColumn::Data);
        QCOMPARE(editor->geometry(), cell);

        // Meanwhile the value does not step.
        board.fixture.Frame().Router().UpdateAll();
        QVERIFY(!board.fixture.Enabled(CommandId::IncreaseValue));

        QTest::keyClicks(editor, QStringLiteral("f"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(board.Editor() == nullptr);
        QCOMPARE(board.driver.Writes(0x1a), (std::vector<uint32_t>{0x7f}));
        QCOMPARE(board.tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("7f"));
        QVERIFY(!board.tw.Item(QStringLiteral("CTRL REG"))->HasFlags(ItemFlag::Editing));
        QCOMPARE(board.tw.tree->GetEditMode(), CSftTree::EditMode::Browse);
        QVERIFY(board.tw.tree->hasFocus());
    }

    void signedDecimalRangeOnCommit() {
        Board board;
        QVERIFY(board.fixture.Run(CommandId::SetDec));
        board.Type(QStringLiteral("TEMP"), QStringLiteral("1"));
        CValueEdit* editor = board.Editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->TextLimit(), 3);
        QTest::keyClicks(editor, QStringLiteral("-29"));
        QCOMPARE(editor->text(), QStringLiteral("-129"));
        QTest::keyClick(editor, Qt::Key_Return);
        // Out of range: the editor stays with its text selected, nothing is written.
        QCOMPARE(board.Editor(), editor);
        QCOMPARE(editor->selectedText(), QStringLiteral("-129"));
        QVERIFY(board.driver.Writes(0x33).empty());
        QVERIFY(board.tw.Item(QStringLiteral("TEMP"))->HasFlags(ItemFlag::Editing));

        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, QStringLiteral("-128"));
        QTest::keyClick(editor, Qt::Key_Return);
        QVERIFY(board.Editor() == nullptr);
        QCOMPARE(board.driver.Writes(0x33), (std::vector<uint32_t>{0x80}));
        QCOMPARE(board.tw.Data(QStringLiteral("TEMP")), QStringLiteral("-128"));
    }

    void dataCellEditsTheShownValue() {
        Board board;
        board.driver.SetRegister(0x1a, 0x12);
        QVERIFY(board.fixture.Run(CommandId::ReadNow));
        QVERIFY(board.fixture.Run(CommandId::ExpandTree));
        const int row = board.tw.Row(QStringLiteral("MODE"));
        const QRect data = board.tw.tree->visualRect(board.tw.tree->Model().IndexOf(row, 2));
        QTest::mouseDClick(board.tw.tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                           data.center());
        CValueEdit* editor = board.Editor();
        QVERIFY(editor != nullptr);
        QCOMPARE(editor->text(), QStringLiteral("2"));
        QCOMPARE(editor->selectedText(), QStringLiteral("2"));
        QTest::keyClicks(editor, QStringLiteral("9"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The field's bits go into its register, the other bits stay.
        QCOMPARE(board.driver.Register(0x1a), 0x19u);
        QCOMPARE(board.tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("19"));

        // Return on a Data cell clicked before starts editing as well; Escape leaves it.
        QTest::keyClick(board.tw.tree, Qt::Key_Return);
        QVERIFY(board.Editor() != nullptr);
        QTest::keyClick(board.Editor(), Qt::Key_Escape);
        QVERIFY(board.Editor() == nullptr);
        QCOMPARE(board.driver.Writes(0x1a).size(), std::size_t{1});
        QVERIFY(!board.tw.Item(QStringLiteral("MODE"))->HasFlags(ItemFlag::Editing));
    }

    void readAndStatusRegistersAreNotEdited() {
        Board board;
        board.Type(QStringLiteral("INPUT"), QStringLiteral("1"));
        QVERIFY(board.Editor() == nullptr);
        board.Type(QStringLiteral("STAT"), QStringLiteral("1"));
        QVERIFY(board.Editor() == nullptr);
        QCOMPARE(board.tw.tree->GetEditMode(), CSftTree::EditMode::Browse);
        // A set carries no value: Return opens it instead.
        board.tw.Select(QStringLiteral("Group"));
        QTest::keyClick(board.tw.tree, Qt::Key_Return);
        QVERIFY(board.Editor() == nullptr);
        QVERIFY(board.tw.tree->IsRowExpanded(board.tw.Row(QStringLiteral("Group"))));
    }

    void closingTheWindowWhileEditingLeavesNothingBehind() {
        Board board;
        board.Type(QStringLiteral("OUT"), QStringLiteral("5"));
        QVERIFY(board.Editor() != nullptr);
        // The window goes later than its document, which closes with it.
        QVERIFY(board.fixture.Run(CommandId::FileClose));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(board.fixture.App().Documents().empty());
        QVERIFY(board.driver.Writes(0x32).empty());
    }

    void anotherRowOrARadixEndsTheEdit() {
        Board board;
        board.Type(QStringLiteral("OUT"), QStringLiteral("5"));
        QVERIFY(board.Editor() != nullptr);
        board.tw.Select(QStringLiteral("CTRL REG"));
        QTRY_VERIFY(board.Editor() == nullptr);
        QVERIFY(!board.tw.Item(QStringLiteral("OUT"))->HasFlags(ItemFlag::Editing));
        QVERIFY(board.driver.Writes(0x32).empty());

        board.Type(QStringLiteral("V"), QStringLiteral("9"));
        QVERIFY(board.Editor() != nullptr);
        QVERIFY(board.fixture.Run(CommandId::SetBin));
        QVERIFY(board.Editor() == nullptr);
        QCOMPARE(board.tw.Data(QStringLiteral("V")), QStringLiteral("11"));
    }
};

} // namespace vek

QTEST_MAIN(vek::TreeEditTest)
#include "tree_edit_test.moc"
