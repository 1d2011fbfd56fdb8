// The register tree view: its rows, the radix of the whole document, the status bar's report on
// the caret row, the commands on the selected item with their enable rules, and expanding and
// collapsing with the mouse, the keys and the commands.
#include "tree_test_support.h"

#include "document/vek_doc.h"
#include "model/line_item.h"
#include "ui/app/document_entry.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/tree/item_images.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_model.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_out_wnd.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/vek_out_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>

namespace vek {

class TreeViewTest : public QObject {
    Q_OBJECT

private:
    static QString Pane(const test::AppFixture& fixture, int pane) {
        fixture.Frame().RequestIdleUpdate();
        QCoreApplication::processEvents();
        return fixture.Frame().StatusBar().PaneText(pane);
    }
    static std::string Cell(const test::TreeWindow& tw, const QString& row, TreeColumn column) {
        return tw.tree->GetCellText(tw.Row(row), column);
    }
    // Clicks the node symbol of a row with the mouse.
    static void ClickNode(const test::TreeWindow& tw, int row) {
        const QRect rect = tw.tree->visualRect(tw.tree->Model().IndexOf(row));
        QTest::mouseClick(tw.tree->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(rect.left() - CSftTree::kIndentation / 2, rect.center().y()));
    }

private Q_SLOTS:
    void everyItemGetsARowWithItsTexts() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        QVERIFY2(tw.view->Document().IsCompiled(),
                 qPrintable(fixture.App().OutputView().Lines().join('\n')));
        QCOMPARE(tw.tree->GetRowCount(), 13);
        QCOMPARE(tw.view->HideableRows(), 12);
        QCOMPARE(tw.view->ShownRows(), 0);
        QCOMPARE(tw.tree->GetCaretRow(), 0);
        // "_" shows as a blank; sets and text lines keep their names.
        QVERIFY(tw.Row(QStringLiteral("CTRL REG")) > 0);
        QVERIFY(tw.Row(QStringLiteral("INNER REG")) > 0);
        QCOMPARE(Cell(tw, QStringLiteral("CTRL REG"), TreeColumn::Address), std::string("[1a]"));
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("XX"));
        QCOMPARE(tw.Data(QStringLiteral("WIDE")), QStringLiteral("X")); // 4 bits of mask 0x00f0
        QCOMPARE(tw.Data(QStringLiteral("V")), QStringLiteral("3"));
        QCOMPARE(tw.tree->GetParentRow(tw.Row(QStringLiteral("INNER REG"))),
                 tw.Row(QStringLiteral("Group")));
        QCOMPARE(tw.tree->GetChildCount(tw.Row(QStringLiteral("CTRL REG"))), 1);
        const QAbstractItemModel& model = *tw.tree->model();
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Description"));
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Address"));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Data"));
        QCOMPARE(tw.tree->GetColours()[3], QColor(0, 0, 128));
        // Each kind has its image; only the device shows while everything is collapsed.
        QCOMPARE(tw.tree->Model().At(0).image, item_icon::Device);
        QCOMPARE(tw.tree->Model().At(tw.Row(QStringLiteral("WIDE"))).image, item_icon::Register);
        QVERIFY(tw.tree->IsRowVisible(0));
        QVERIFY(!tw.tree->IsRowVisible(tw.Row(QStringLiteral("WIDE"))));
    }

    void aSelectedRowsNodeSymbolStandsOutOnTheSelection() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QCOMPARE(tw.tree->GetSelectedRow(), 0); // the device, with its rows closed
        const QRect name = tw.tree->visualRect(tw.tree->Model().IndexOf(0));
        const QRect node(name.left() - CSftTree::kIndentation, name.top(), CSftTree::kIndentation,
                         name.height());
        const QImage shot = tw.tree->viewport()->grab().toImage();
        int light = 0;
        for (int y = node.top(); y <= node.bottom(); ++y) {
            for (int x = node.left(); x <= node.right(); ++x)
                light += QColor(shot.pixel(x, y)).lightness() > 160 ? 1 : 0;
        }
        QVERIFY2(light > 0, "the node symbol is drawn in the selection's dark colour");
    }

    void radixChangesForTheWholeDocument() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        driver.SetRegister(0x1a, 0x12);
        driver.SetRegister(0x33, 0xFF);
        QVERIFY(fixture.Checked(CommandId::SetHex));
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("12"));
        QCOMPARE(tw.Data(QStringLiteral("MODE")), QStringLiteral("2"));

        QVERIFY(fixture.Run(CommandId::SetBin));
        QCOMPARE(Pane(fixture, 2), QStringLiteral("BIN"));
        QVERIFY(fixture.Checked(CommandId::SetBin));
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("10010"));
        QCOMPARE(tw.Data(QStringLiteral("MODE")), QStringLiteral("10"));
        QCOMPARE(tw.Data(QStringLiteral("V")), QStringLiteral("11"));

        QVERIFY(fixture.Run(CommandId::SetDec));
        QCOMPARE(Pane(fixture, 2), QStringLiteral("DEC"));
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("18"));
        QCOMPARE(tw.Data(QStringLiteral("TEMP")), QStringLiteral("-1"));
    }

    void statusBarReportsTheCaretRow() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        QCOMPARE(Pane(fixture, 0), QStringLiteral("CHIP"));
        QCOMPARE(Pane(fixture, 1), QString());
        QCOMPARE(Pane(fixture, 3), QStringLiteral("00000"));

        tw.Select(QStringLiteral("CTRL REG"));
        QCOMPARE(Pane(fixture, 0), QStringLiteral("[0x1a] &ff = XX"));
        QCOMPARE(Pane(fixture, 1), QStringLiteral("BOTH"));
        QCOMPARE(Pane(fixture, 3), QStringLiteral("00001"));
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QCOMPARE(Pane(fixture, 0), QStringLiteral("[0x1a] &ff = 0x12"));

        tw.Select(QStringLiteral("MODE"));
        QCOMPARE(Pane(fixture, 0), QStringLiteral("[0x1a] &0f = 0x02"));
        tw.Select(QStringLiteral("WIDE"));
        QCOMPARE(Pane(fixture, 0), QStringLiteral("[0x20] &00f0 = XXXX"));
        tw.Select(QStringLiteral("STAT"));
        QCOMPARE(Pane(fixture, 1), QStringLiteral("STATUS"));
        QCOMPARE(Pane(fixture, 3), QStringLiteral("00004"));
        tw.Select(QStringLiteral("TEMP"));
        QCOMPARE(Pane(fixture, 3), QStringLiteral("00007"));
        tw.Select(QStringLiteral("Group"));
        QCOMPARE(Pane(fixture, 0), QStringLiteral("Group"));
    }

    void commandsFollowTheSelectedItem() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        // The device row: the transfers over all registers, nothing for a single one.
        QVERIFY(fixture.Enabled(CommandId::ReadNow));
        QVERIFY(!fixture.Enabled(CommandId::ReadRegister));
        QVERIFY(!fixture.Enabled(CommandId::IncreaseValue));

        tw.Select(QStringLiteral("INPUT"));
        QVERIFY(fixture.Enabled(CommandId::ReadRegister));
        QVERIFY(!fixture.Enabled(CommandId::WriteRegister));
        driver.SetRegister(0x31, 5);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QVERIFY(!fixture.Enabled(CommandId::IncreaseValue)); // a READ register never steps
        QVERIFY(!fixture.Enabled(CommandId::WriteRegister));

        tw.Select(QStringLiteral("OUT"));
        QVERIFY(!fixture.Enabled(CommandId::ReadRegister));
        QVERIFY(!fixture.Enabled(CommandId::WriteRegister)); // no value yet
        QVERIFY(fixture.Run(CommandId::WriteDefault));
        QVERIFY(fixture.Enabled(CommandId::WriteRegister));
        QVERIFY(fixture.Enabled(CommandId::IncreaseValue));
        QVERIFY(!fixture.Enabled(CommandId::DecreaseValue)); // at 0

        // The signed register stops at +127 and at -128.
        tw.Select(QStringLiteral("TEMP"));
        driver.SetRegister(0x33, 0x7F);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QVERIFY(!fixture.Enabled(CommandId::IncreaseValue));
        QVERIFY(fixture.Enabled(CommandId::DecreaseValue));
        driver.SetRegister(0x33, 0x80);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QVERIFY(fixture.Enabled(CommandId::IncreaseValue));
        QVERIFY(!fixture.Enabled(CommandId::DecreaseValue));

        // A variable steps without a transfer.
        tw.Select(QStringLiteral("V"));
        QVERIFY(fixture.Run(CommandId::IncreaseValue));
        QCOMPARE(tw.Data(QStringLiteral("V")), QStringLiteral("4"));
    }

    void steppingWritesThroughTheDriver() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        driver.SetRegister(0x1a, 0x12);
        tw.Select(QStringLiteral("CTRL REG"));
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        fixture.Frame().Router().UpdateAll();
        // The numeric pad's "+" and "-" step the selected value.
        QTest::keyClick(tw.tree, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(driver.Register(0x1a), 0x13u);
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("13"));
        fixture.Frame().Router().UpdateAll();
        QTest::keyClick(tw.tree, Qt::Key_Minus, Qt::KeypadModifier);
        QTest::keyClick(tw.tree, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(driver.Writes(0x1a), (std::vector<uint32_t>{0x13, 0x12, 0x11}));
        QCOMPARE(tw.Data(QStringLiteral("MODE")), QStringLiteral("1"));
    }

    void failedTransfersGoToTheOutputWindow() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        tw.Select(QStringLiteral("CTRL REG"));
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        driver.FailAddress(0x1a);
        fixture.App().OutputView().ClearText();
        QVERIFY(fixture.Run(CommandId::WriteRegister));
        const QStringList lines = fixture.App().OutputView().Lines();
        QVERIFY2(lines.size() == 1 && lines[0].contains(QStringLiteral("0x1a : no acknowledge")),
                 qPrintable(lines.join('\n')));
        QVERIFY(!fixture.App().OutputWindow().isHidden());
        QCOMPARE(tw.Data(QStringLiteral("CTRL REG")), QStringLiteral("12"));
    }

    void aRegisterWhoseReadChangesTheChipIsMarkedAndReadNowPassesItOver() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(
            fixture.Files().Write(QStringLiteral("fifo.vek"),
                                  QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n"
                                                 "0: CHIP A1 D1;\n1: FIFO [0x01] = 0 r !;\n"
                                                 "1: PLAIN [0x02] = 0 r;\n#EndRegisterList\n")));
        const test::TreeWindow tw(fixture);
        QVERIFY(tw.IsValid());
        const QAbstractItemModel& model = *tw.tree->model();
        const QModelIndex fifo = tw.tree->Model().IndexOf(tw.Row(QStringLiteral("FIFO")));
        const QModelIndex plain = tw.tree->Model().IndexOf(tw.Row(QStringLiteral("PLAIN")));
        QCOMPARE(model.data(fifo, Qt::ToolTipRole).toString(),
                 QStringLiteral("read has side effects"));
        QVERIFY(model.data(plain, Qt::ToolTipRole).isNull());
        const auto iconKey = [&](const QModelIndex& index) {
            return model.data(index, Qt::DecorationRole).value<QIcon>().cacheKey();
        };
        QVERIFY(iconKey(fifo) != iconKey(plain));

        driver.SetRegister(0x01, 0x37);
        driver.SetRegister(0x02, 0x21);
        fixture.App().OutputView().ClearText();
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QCOMPARE(fixture.App().OutputView().Lines(),
                 QStringList{QStringLiteral(
                     "1 register with read side effects was not read; read it one by one")});
        QCOMPARE(tw.Data(QStringLiteral("PLAIN")), QStringLiteral("21"));
        QCOMPARE(tw.Data(QStringLiteral("FIFO")), QStringLiteral("XX"));
        tw.Select(QStringLiteral("FIFO"));
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QCOMPARE(tw.Data(QStringLiteral("FIFO")), QStringLiteral("37"));
    }

    void rowsOpenAndCloseByMouseKeysAndCommands() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        const int group = tw.Row(QStringLiteral("Group"));
        QVERIFY(fixture.Enabled(CommandId::ExpandTree));
        QVERIFY(!fixture.Enabled(CommandId::CollapseTree));

        ClickNode(tw, 0);
        QVERIFY(tw.tree->IsRowExpanded(0));
        QVERIFY(tw.tree->isExpanded(tw.tree->Model().IndexOf(0)));
        QVERIFY(tw.tree->IsRowVisible(group));
        QCOMPARE(tw.view->ShownRows(), tw.tree->GetChildCount(0));
        QVERIFY(fixture.Enabled(CommandId::CollapseTree));

        // Right opens a set and shows its open image; Left closes it again.
        tw.Select(QStringLiteral("Group"));
        QTest::keyClick(tw.tree, Qt::Key_Right);
        QVERIFY(tw.tree->IsRowExpanded(group));
        QCOMPARE(tw.tree->Model().At(group).image, item_icon::Set + 1);
        QTest::keyClick(tw.tree, Qt::Key_Left);
        QVERIFY(!tw.tree->IsRowExpanded(group));
        QCOMPARE(tw.tree->Model().At(group).image, item_icon::Set);

        // A double click on a name opens its row too.
        const QRect reg = tw.tree->visualRect(tw.tree->Model().IndexOf(tw.Row("CTRL REG")));
        QTest::mouseDClick(tw.tree->viewport(), Qt::LeftButton, Qt::NoModifier, reg.center());
        QVERIFY(tw.tree->IsRowExpanded(tw.Row(QStringLiteral("CTRL REG"))));

        QVERIFY(fixture.Run(CommandId::ExpandTree));
        QVERIFY(!fixture.Enabled(CommandId::ExpandTree));
        QVERIFY(tw.tree->IsRowVisible(tw.Row(QStringLiteral("INNER REG"))));
        QVERIFY(tw.tree->isExpanded(tw.tree->Model().IndexOf(group)));
        QVERIFY(fixture.Run(CommandId::CollapseTree));
        QCOMPARE(tw.view->ShownRows(), 0);
        QVERIFY(!tw.tree->IsRowVisible(tw.Row(QStringLiteral("INNER REG"))));
        QVERIFY(!tw.tree->isExpanded(tw.tree->Model().IndexOf(0)));
        QVERIFY(!fixture.Enabled(CommandId::CollapseTree));
    }

    void closingTheTreeKeepsTheDocumentWhole() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        DocumentEntry& entry = *fixture.App().Documents().front();
        fixture.App().ActivateViewOfClass(entry, WindowKind::List);
        const test::TreeWindow tw(fixture);
        QVERIFY(!tw.IsValid()); // the list window is the active one
        for (CChildFrame* window : entry.Windows()) {
            if (window->Kind() == WindowKind::Tree)
                window->close();
        }
        QTRY_COMPARE(entry.Windows().size(), std::size_t{1});
        // The items no longer have rows to show their values in, nor their changes.
        driver.SetRegister(0x1a, 0x11);
        QCOMPARE(entry.Document().ReadAll(), 0);
        driver.SetRegister(0x1a, 0x12);
        QCOMPARE(entry.Document().ReadAll(), 0);
        fixture.App().ActivateViewOfClass(entry, WindowKind::Tree);
        const test::TreeWindow again(fixture);
        QVERIFY(again.IsValid());
        QCOMPARE(again.tree->GetRowCount(), 13);
    }

    void aReadThatChangesAValueMarksItAndTheRowsAboveUntilTheNextRead() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        const TreeModel& model = tw.tree->Model();
        const auto changed = [&](const QString& row, int column) {
            return model.data(model.IndexOf(tw.Row(row), column), Qt::ForegroundRole).isValid();
        };
        tw.Select(QStringLiteral("CTRL REG"));
        // The first read shows values where none were: nothing changed.
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QVERIFY(!changed(QStringLiteral("CTRL REG"), 2));
        QVERIFY(!fixture.Enabled(CommandId::NextChange));

        driver.SetRegister(0x1a, 0x13);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QVERIFY(changed(QStringLiteral("CTRL REG"), 2));
        QVERIFY(changed(QStringLiteral("MODE"), 2)); // its bit field moved with it
        QVERIFY(!changed(QStringLiteral("WIDE"), 2));
        // A collapsed tree shows where: each row above a change.
        QVERIFY(changed(QStringLiteral("CHIP"), 0));
        QVERIFY(changed(QStringLiteral("CTRL REG"), 0));
        QVERIFY(!changed(QStringLiteral("WIDE"), 0));

        // F4 goes from change to change and round again.
        tw.Select(QStringLiteral("WIDE"));
        QTRY_VERIFY(fixture.Frame().Router().Action(CommandId::NextChange)->isEnabled());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        QCOMPARE(tw.tree->GetSelectedRow(), tw.Row(QStringLiteral("CTRL REG")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        QCOMPARE(tw.tree->GetSelectedRow(), tw.Row(QStringLiteral("MODE")));

        // A write leaves the marks; the next read that finds the same values clears them.
        QVERIFY(fixture.Run(CommandId::WriteRegister));
        QVERIFY(changed(QStringLiteral("MODE"), 2));
        driver.SetRegister(0x1a, 0x13);
        QVERIFY(fixture.Run(CommandId::ReadNow));
        QVERIFY(!changed(QStringLiteral("CTRL REG"), 2));
        QVERIFY(!changed(QStringLiteral("MODE"), 2));
        QVERIFY(!changed(QStringLiteral("CHIP"), 0));
        QVERIFY(!fixture.Enabled(CommandId::NextChange));
    }
};

} // namespace vek

QTEST_MAIN(vek::TreeViewTest)
#include "tree_view_test.moc"
