// Finding rows of the register tree: Return in the find box, the Find dialog with whole word and
// the direction, its small Find Next dialog, Set Bookmarks on All and the "not found" box.
#include "tree_test_support.h"

#include "model/line_item.h"
#include "ui/commands/command_router.h"
#include "ui/find/find_dialog.h"
#include "ui/find/find_next_dialog.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/vek_tree_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace vek {

class TreeFindTest : public QObject {
    Q_OBJECT

private:
    static QString FindBoard(const test::Workspace& files) {
        return files.Write(QStringLiteral("find.vek"),
                           QStringLiteral(R"(#BeginRegisterList "testdrv.dll"
0: CHIP A1 D1;
1: MODE_REGA [0x01] = 0 b;
1: ctrl_reg [0x02] = 0 b;
1: "Block" b; 2:
   A_REG [0x03] = 0 b;
2: LAST [0x04] = 0 b;
#EndRegisterList
)"));
    }
    static QString Caret(const test::TreeWindow& tw) {
        return QString::fromStdString(
            tw.tree->GetCellText(tw.tree->GetCaretRow(), TreeColumn::Description));
    }
    // The main window is active again once a modal box has closed. (The offscreen platform
    // leaves a closed dialog the active window.)
    static void Reactivate(const test::AppFixture& fixture) {
        QApplication::setActiveWindow(&fixture.Frame());
        QVERIFY(QTest::qWaitForWindowActive(&fixture.Frame()));
    }
    // Types the text into the find box and presses Return there. The keys go to the box, which
    // has the focus and hands them to its edit field.
    static void SearchFromBox(const test::AppFixture& fixture, const QString& text) {
        Reactivate(fixture);
        QComboBox* box = fixture.Frame().MainToolBar().FindBox();
        box->lineEdit()->clear();
        box->setFocus();
        QTest::keyClicks(box, text);
        fixture.Frame().Router().UpdateAll();
        QTest::keyClick(box, Qt::Key_Return);
    }
    // Runs the Find dialog; `fill` works its controls once it shows.
    static void RunDialog(const test::AppFixture& fixture,
                          const std::function<void(CFindDialog&)>& fill) {
        QTimer::singleShot(0, [fill] {
            auto* dialog = qobject_cast<CFindDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            fill(*dialog);
        });
        QVERIFY(fixture.Run(CommandId::EditFind));
    }
    template <class Widget>
    static Widget* Control(CFindDialog& dialog, const char* name) {
        return dialog.findChild<Widget*>(QString::fromLatin1(name));
    }
    static void SetText(CFindDialog& dialog, const QString& text) {
        Control<QComboBox>(dialog, "FindWhat")->setEditText(text);
    }

private Q_SLOTS:
    void findBoxSearchesTheShownText() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(FindBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        // Case is ignored and the underscore is a blank, as the row shows it.
        SearchFromBox(fixture, QStringLiteral("CTRL"));
        QCOMPARE(Caret(tw), QStringLiteral("ctrl reg"));
        // A row in a collapsed set is opened up to; the find box keeps the focus.
        SearchFromBox(fixture, QStringLiteral("a reg"));
        QCOMPARE(Caret(tw), QStringLiteral("A REG"));
        QVERIFY(tw.tree->IsRowVisible(tw.tree->GetCaretRow()));
        QVERIFY(fixture.Frame().MainToolBar().FindBox()->lineEdit()->hasFocus());
        QCOMPARE(fixture.Frame().MainToolBar().FindBox()->itemText(0), QStringLiteral("a reg"));
        // The toolbar's Find String searches the same text again, wrapping around.
        QVERIFY(fixture.Run(CommandId::FindString));
        QCOMPARE(Caret(tw), QStringLiteral("A REG"));

        test::MessageBoxAnswer answer(QMessageBox::Ok);
        SearchFromBox(fixture, QStringLiteral("NOPE"));
        QTRY_VERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("VEK"));
        QCOMPARE(answer.Text(), QStringLiteral("The string 'NOPE' was not found."));
        Reactivate(fixture);
        QTRY_VERIFY(tw.tree->hasFocus());
    }

    void wholeWordTakesTheFirstOccurrenceOnly() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(FindBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        RunDialog(fixture, [](CFindDialog& dialog) {
            SetText(dialog, QStringLiteral("REG"));
            Control<QCheckBox>(dialog, "WholeWord")->setChecked(true);
            QTest::mouseClick(Control<QPushButton>(dialog, "FindNext"), Qt::LeftButton);
        });
        // MODE REGA has REG inside a word; ctrl reg has it whole (case ignored).
        QCOMPARE(Caret(tw), QStringLiteral("ctrl reg"));
        QVERIFY(tw.view->Find().Options().wholeWord);
        // The small dialog follows; its Find Next searches on from the find box.
        CFindNextDialog* next = tw.view->Find().NextDialog();
        QVERIFY(next != nullptr && next->isVisible());
        QPushButton* findNext = next->findChild<QPushButton*>(QStringLiteral("FindNext"));
        QTest::mouseClick(findNext, Qt::LeftButton);
        QCOMPARE(Caret(tw), QStringLiteral("A REG"));
        QTest::mouseClick(findNext, Qt::LeftButton);
        QCOMPARE(Caret(tw), QStringLiteral("ctrl reg")); // around the end, past MODE REGA
        next->findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
        QVERIFY(!next->isVisible());
    }

    void setBookmarksOnAllUpwardMarksEveryMatch() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(FindBoard(fixture.Files()));
        const test::TreeWindow tw(fixture);
        RunDialog(fixture, [](CFindDialog& dialog) {
            SetText(dialog, QStringLiteral("reg"));
            Control<QRadioButton>(dialog, "Up")->setChecked(true);
            QTest::mouseClick(Control<QPushButton>(dialog, "SetBookmarks"), Qt::LeftButton);
        });
        for (const char* row : {"MODE REGA", "ctrl reg", "A REG"})
            QVERIFY2(tw.Item(QString::fromLatin1(row))->HasFlags(ItemFlag::Bookmark), row);
        QVERIFY(!tw.Item(QStringLiteral("LAST"))->HasFlags(ItemFlag::Bookmark));
        QVERIFY(tw.view->Find().Options().direction == FindDirection::Up);

        // Upward from the last row the find box finds the nearest match above.
        tw.Select(QStringLiteral("LAST"));
        SearchFromBox(fixture, QStringLiteral("reg"));
        QCOMPARE(Caret(tw), QStringLiteral("A REG"));
    }
};

} // namespace vek

QTEST_MAIN(vek::TreeFindTest)
#include "tree_find_test.moc"
