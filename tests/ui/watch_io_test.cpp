// The Watch I/O window as a user drives it: Window > Watch opens it, the transfers that reach the
// driver from the tree, the toolbar and Read Now come in order, and its buttons filter, change the
// radix, show the driver, clear and save the list.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/tree/sft_tree.h"
#include "ui/watch/transfer_list_model.h"
#include "ui/watch/watch_io_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace vek {

namespace {

using Column = TransferListModel::Column;

QString Cell(const CWatchIoWindow& window, int row, Column column) {
    const QAbstractItemModel& model = window.Model();
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

// "R CTRL_REG 0x1a 0x12 ok", a row as the user reads it.
QString RowText(const CWatchIoWindow& window, int row) {
    QStringList cells;
    for (const Column column :
         {Column::kDirection, Column::kRegister, Column::kAddress, Column::kValue, Column::kStatus})
        cells.append(Cell(window, row, column));
    return cells.join(QLatin1Char(' '));
}

template <typename Button>
Button* ButtonNamed(const CWatchIoWindow& window, const QString& text) {
    for (Button* button : window.findChildren<Button*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

void Click(QAbstractButton* button) {
    QVERIFY(button != nullptr);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

class WatchIoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void transfersFromEverySourceComeInOrder() {
        test::AppFixture fixture;
        QVERIFY(!fixture.Enabled(CommandId::WindowWatch));
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tree(fixture);
        QVERIFY(tree.IsValid());
        QVERIFY(fixture.Run(CommandId::WindowWatch));
        CWatchIoWindow* window = fixture.App().WatchIoWindow();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Watch I/O"));
        QCOMPARE(window->Model().rowCount(), 0);

        tree.Select(QStringLiteral("CTRL REG"));
        driver.SetRegister(0x1a, 0x12);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        tree.Item(QStringLiteral("CTRL REG"))->SetValue(0x34);
        QVERIFY(fixture.Run(CommandId::WriteRegister));
        driver.FailAddress(0x30);
        // Read Now from the main toolbar: every readable register, STAT refused. The click
        // brings the main window to the front first, as the window system does.
        fixture.Frame().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &fixture.Frame());
        QTRY_VERIFY(fixture.Frame().Router().Action(CommandId::ReadNow)->isEnabled());
        QToolButton* readNowButton = nullptr;
        for (QObject* user :
             fixture.Frame().Router().Action(CommandId::ReadNow)->associatedObjects())
            readNowButton =
                qobject_cast<QToolButton*>(user) ? qobject_cast<QToolButton*>(user) : readNowButton;
        Click(readNowButton);
        QTRY_VERIFY(window->Model().rowCount() > 3);

        QCOMPARE(RowText(*window, 0), QStringLiteral("R CTRL_REG 0x1a 0x12 ok"));
        QCOMPARE(RowText(*window, 1), QStringLiteral("W CTRL_REG 0x1a 0x34 ok"));
        // Read Now reads the registers in address order; STAT fails.
        QStringList readNow;
        for (int row = 2; row < window->Model().rowCount(); ++row) {
            if (Cell(*window, row, Column::kDirection) == QStringLiteral("R"))
                readNow.append(Cell(*window, row, Column::kRegister));
        }
        QCOMPARE(readNow, (QStringList{"CTRL_REG", "WIDE", "STAT", "INPUT", "TEMP", "BIG",
                                       "INNER_REG", "OTHER"}));
        int failed = -1;
        for (int row = 0; row < window->Model().rowCount(); ++row) {
            if (Cell(*window, row, Column::kRegister) == QStringLiteral("STAT"))
                failed = row;
        }
        QCOMPARE(Cell(*window, failed, Column::kValue), QStringLiteral("-"));
        QVERIFY(Cell(*window, failed, Column::kStatus).startsWith(QStringLiteral("driver error")));
        const QModelIndex status = window->Model().index(failed, Column::kStatus);
        QCOMPARE(window->Model().data(status, Qt::ForegroundRole).value<QBrush>().color(),
                 QColor(Qt::red));
        QCOMPARE(Cell(*window, failed - 1, Column::kDevice), QStringLiteral("CHIP"));
        QCOMPARE(Cell(*window, failed - 1, Column::kValue), QStringLiteral("0x0000"));
        const double first = Cell(*window, 0, Column::kTime).toDouble();
        QVERIFY(first >= 0 && first <= Cell(*window, failed, Column::kTime).toDouble());
    }

    void itsButtonsFilterChangeTheRadixShowTheDriverClearAndSave() {
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(test::TreeBoard(fixture.Files()));
        const test::TreeWindow tree(fixture);
        QVERIFY(fixture.Run(CommandId::WindowWatch));
        CWatchIoWindow& window = *fixture.App().WatchIoWindow();
        tree.Select(QStringLiteral("CTRL REG"));
        driver.SetRegister(0x1a, 0x05);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QVERIFY(fixture.Run(CommandId::WriteRegister));
        window.Sync();
        QCOMPARE(window.Model().rowCount(), 2);

        Click(ButtonNamed<QCheckBox>(window, QStringLiteral("&Read")));
        QCOMPARE(window.Model().rowCount(), 1);
        QCOMPARE(Cell(window, 0, Column::kDirection), QStringLiteral("W"));
        Click(ButtonNamed<QCheckBox>(window, QStringLiteral("&Write")));
        QCOMPARE(window.Model().rowCount(), 0);
        Click(ButtonNamed<QCheckBox>(window, QStringLiteral("&Read")));
        Click(ButtonNamed<QCheckBox>(window, QStringLiteral("&Write")));
        QCOMPARE(window.Model().rowCount(), 2);

        Click(ButtonNamed<QRadioButton>(window, QStringLiteral("&BIN")));
        QCOMPARE(Cell(window, 0, Column::kValue), QStringLiteral("00000101"));
        Click(ButtonNamed<QRadioButton>(window, QStringLiteral("&DEC")));
        QCOMPARE(Cell(window, 0, Column::kValue), QStringLiteral("5"));

        QVERIFY(window.List().isColumnHidden(Column::kDriver));
        Click(ButtonNamed<QCheckBox>(window, QStringLiteral("&Show Driver names")));
        QVERIFY(!window.List().isColumnHidden(Column::kDriver));
        QCOMPARE(Cell(window, 0, Column::kDriver), QStringLiteral("testdrv"));

        // Save As writes what the list shows, as it shows it.
        const QString csv = fixture.Files().Path(QStringLiteral("transfers.csv"));
        fixture.Dialogs().answers.push_back(csv);
        Click(ButtonNamed<QPushButton>(window, QStringLiteral("Save &As...")));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4); // heading, two rows, the last line's end
        QVERIFY(lines[1].endsWith(QStringLiteral(",testdrv,CHIP,CTRL_REG,0x1a,R,5,ok")));
        QVERIFY(lines[2].endsWith(QStringLiteral(",W,5,ok")));

        Click(ButtonNamed<QPushButton>(window, QStringLiteral("&Clear")));
        QCOMPARE(window.Model().rowCount(), 0);
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        window.Sync();
        QCOMPARE(window.Model().rowCount(), 1);

        Click(ButtonNamed<QPushButton>(window, QStringLiteral("C&lose")));
        QVERIFY(!window.isVisible());
        // Still logging while hidden; shown again with what came meanwhile.
        QVERIFY(fixture.Run(CommandId::ReadRegister));
        QVERIFY(fixture.Run(CommandId::WindowWatch));
        QVERIFY(window.isVisible());
        QCOMPARE(window.Model().rowCount(), 2);
    }

    void theOldestGiveWayAndTheWindowSaysSo() {
        // A long run keeps the last transfers; the note says how many went.
        test::AppFixture fixture;
        test::TestDriver driver;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("many.vek"), 250));
        QVERIFY(fixture.Run(CommandId::WindowWatch));
        CWatchIoWindow& window = *fixture.App().WatchIoWindow();
        test::TreeWindow(fixture).Select(QStringLiteral("CHIP"));
        const int reads = static_cast<int>(kTransferLogCapacity) / 250 + 1;
        for (int i = 0; i < reads; ++i)
            QVERIFY(fixture.Run(CommandId::ReadNow));
        window.Sync();
        QCOMPARE(window.Model().rowCount(), static_cast<int>(kTransferLogCapacity));
        QLabel* note = nullptr;
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->text().startsWith(QStringLiteral("The oldest 250 transfers")))
                note = label;
        }
        QVERIFY(note != nullptr && note->isVisible());
    }
};

} // namespace vek

QTEST_MAIN(vek::WatchIoTest)
#include "watch_io_test.moc"
