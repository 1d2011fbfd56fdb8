// The Find dialog, the small Find Next dialog and the find box's history, driven by real clicks
// and keys.
#include "ui_test_support.h"

#include "platform/profile_file.h"
#include "ui/find/find_box.h"
#include "ui/find/find_dialog.h"
#include "ui/find/find_next_dialog.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/vek_tool_bar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace vek {

namespace {

template <class Widget>
Widget* Child(QWidget& parent, const char* name) {
    Widget* child = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (child == nullptr)
        qFatal("no child %s", name);
    return child;
}

void Click(QWidget& parent, const char* button) {
    QTest::mouseClick(Child<QPushButton>(parent, button), Qt::LeftButton);
}

} // namespace

class FindTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findDialogShowsItsTextsAndStartsDownward() {
        CFindDialog dialog;
        dialog.Prepare({QStringLiteral("newest"), QStringLiteral("older")}, QStringLiteral("CTRL"));
        QCOMPARE(dialog.findChild<QLabel*>()->text(), QStringLiteral("Fi&nd What:"));
        QCOMPARE(Child<QCheckBox>(dialog, "WholeWord")->text(),
                 QStringLiteral("Match &Whole Word Only"));
        QCOMPARE(Child<QCheckBox>(dialog, "MatchCase")->text(), QStringLiteral("Match &Case"));
        QCOMPARE(Child<QCheckBox>(dialog, "RegularExpression")->text(),
                 QStringLiteral("Regular &Expression"));
        QVERIFY(!Child<QCheckBox>(dialog, "RegularExpression")->isEnabled());
        QCOMPARE(dialog.findChild<QGroupBox*>()->title(), QStringLiteral("Direction"));
        QCOMPARE(Child<QRadioButton>(dialog, "Up")->text(), QStringLiteral("&Up"));
        QCOMPARE(Child<QRadioButton>(dialog, "Down")->text(), QStringLiteral("&Down"));
        QCOMPARE(Child<QPushButton>(dialog, "FindNext")->text(), QStringLiteral("Find Next"));
        QCOMPARE(Child<QPushButton>(dialog, "Cancel")->text(), QStringLiteral("Cancel"));
        QCOMPARE(Child<QPushButton>(dialog, "SetBookmarks")->text(),
                 QStringLiteral("&Set Bookmarks on All"));
        // The find box's items in their order, its edit text, and the starting settings.
        auto* findWhat = Child<QComboBox>(dialog, "FindWhat");
        QCOMPARE(findWhat->count(), 2);
        QCOMPARE(findWhat->itemText(0), QStringLiteral("newest"));
        QCOMPARE(findWhat->currentText(), QStringLiteral("CTRL"));
        QVERIFY(Child<QRadioButton>(dialog, "Down")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "WholeWord")->isChecked());
        QVERIFY(!Child<QCheckBox>(dialog, "MatchCase")->isChecked());
    }

    void findNextAsksTheViewAndClosesOnlyWhenFound() {
        CFindDialog dialog;
        QSignalSpy requests(&dialog, &CFindDialog::FindNextRequested);
        bool found = false;
        connect(&dialog, &CFindDialog::FindNextRequested, &dialog, [&](const FindRequest&) {
            if (found)
                dialog.CloseFound();
        });
        dialog.Prepare({}, QString());
        dialog.show();
        Click(dialog, "FindNext"); // no text: nothing to ask
        QCOMPARE(requests.size(), 0);
        QTest::keyClicks(Child<QComboBox>(dialog, "FindWhat"), QStringLiteral("REG"));
        QTest::mouseClick(Child<QCheckBox>(dialog, "WholeWord"), Qt::LeftButton);
        QTest::mouseClick(Child<QRadioButton>(dialog, "Up"), Qt::LeftButton);
        Click(dialog, "FindNext");
        QCOMPARE(requests.size(), 1);
        const auto request = requests.at(0).at(0).value<FindRequest>();
        QCOMPARE(request.text, QStringLiteral("REG"));
        QCOMPARE(request.options, (FindOptions{false, true, FindDirection::Up}));
        QVERIFY(dialog.isVisible()); // not found: the dialog stays
        found = true;
        QTest::keyClick(Child<QComboBox>(dialog, "FindWhat"), Qt::Key_Return);
        QCOMPARE(requests.size(), 2);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), CFindDialog::kFindNextResult);
    }

    void cancelKeepsTheSettingsOfTheLastSearch() {
        CFindDialog dialog;
        dialog.Prepare({}, QStringLiteral("ctrl"));
        dialog.show();
        QTest::mouseClick(Child<QCheckBox>(dialog, "MatchCase"), Qt::LeftButton);
        Click(dialog, "SetBookmarks");
        QCOMPARE(dialog.result(), CFindDialog::kSetBookmarksResult);
        QCOMPARE(dialog.Request().text, QStringLiteral("ctrl"));
        QVERIFY(dialog.Request().options.matchCase);

        dialog.Prepare({}, QStringLiteral("other"));
        QVERIFY(Child<QCheckBox>(dialog, "MatchCase")->isChecked());
        dialog.show();
        QTest::mouseClick(Child<QCheckBox>(dialog, "WholeWord"), Qt::LeftButton);
        Click(dialog, "Cancel");
        QCOMPARE(dialog.result(), CFindDialog::kCancelResult);
        QCOMPARE(dialog.Request().text, QStringLiteral("ctrl"));
        QVERIFY(!dialog.Request().options.wholeWord);
        dialog.Prepare({}, QString());
        QVERIFY(!Child<QCheckBox>(dialog, "WholeWord")->isChecked());
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), CFindDialog::kCancelResult);
    }

    void findNextDialogForwardsItsButtons() {
        CFindNextDialog dialog;
        QSignalSpy findNext(&dialog, &CFindNextDialog::FindNextRequested);
        QSignalSpy bookmarks(&dialog, &CFindNextDialog::SetBookmarksRequested);
        dialog.show();
        QCOMPARE(Child<QPushButton>(dialog, "FindNext")->text(), QStringLiteral("&Find Next"));
        QCOMPARE(Child<QPushButton>(dialog, "Cancel")->text(), QStringLiteral("Cancel"));
        QCOMPARE(Child<QPushButton>(dialog, "SetBookmarks")->text(),
                 QStringLiteral("&Set Bookmarks on All"));
        Click(dialog, "FindNext");
        Click(dialog, "SetBookmarks");
        QCOMPARE(findNext.size(), 1);
        QCOMPARE(bookmarks.size(), 1);
        QVERIFY(dialog.isVisible());
        Click(dialog, "Cancel");
        QVERIFY(!dialog.isVisible());
    }

    void findBoxKeepsTwentyStringsTheNewestFirst() {
        test::AppFixture fixture;
        CVekToolBar& bar = fixture.Frame().MainToolBar();
        QComboBox& box = *bar.FindBox();
        box.clear();
        // Empty box, empty history: nothing to search.
        QCOMPARE(TakeFindBoxText(box, CVekToolBar::kFindHistorySize), QString());
        for (int i = 1; i <= 21; ++i) {
            box.lineEdit()->clear();
            QTest::keyClicks(box.lineEdit(), QStringLiteral("text %1").arg(i));
            QCOMPARE(TakeFindBoxText(box, CVekToolBar::kFindHistorySize),
                     QStringLiteral("text %1").arg(i));
            QCOMPARE(box.currentText(), QStringLiteral("text %1").arg(i));
        }
        QCOMPARE(box.count(), 20);
        QCOMPARE(box.itemText(0), QStringLiteral("text 21"));
        QCOMPARE(box.itemText(19), QStringLiteral("text 2")); // text 1 was pushed out
        // A listed string keeps its place.
        box.setEditText(QStringLiteral("text 5"));
        QCOMPARE(TakeFindBoxText(box, CVekToolBar::kFindHistorySize), QStringLiteral("text 5"));
        QCOMPARE(box.itemText(0), QStringLiteral("text 21"));
        // An empty edit field searches the newest string and shows it.
        box.setEditText(QString());
        QCOMPARE(TakeFindBoxText(box, CVekToolBar::kFindHistorySize), QStringLiteral("text 21"));
        QCOMPARE(box.currentText(), QStringLiteral("text 21"));
        QCOMPARE(box.count(), 20);
        // The profile keeps the oldest under Find1.
        ProfileFile profile(fixture.Files().Path(QStringLiteral("find.ini")).toStdString());
        bar.SaveFindHistory(profile);
        QCOMPARE(profile.GetString("Find", "Find1", "", 80), std::string("text 2"));
        QCOMPARE(profile.GetString("Find", "Find20", "", 80), std::string("text 21"));
    }
};

} // namespace vek

QTEST_MAIN(vek::FindTest)
#include "find_test.moc"
