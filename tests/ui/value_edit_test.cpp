// The in-place value editor driven by real key events: the radix rules, the swallowed keys,
// the signed decimal limits and what Return and Escape give.
#include "ui/tree/value_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

namespace vek {

namespace {

const ValueFormat kHex8{16, 8, false};
const ValueFormat kSignedDec8{10, 8, true};

} // namespace

class ValueEditTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        edit_ = std::make_unique<CValueEdit>();
        edit_->show();
        edit_->setFocus();
        committed_ = std::make_unique<QSignalSpy>(edit_.get(), &CValueEdit::Committed);
        cancelled_ = std::make_unique<QSignalSpy>(edit_.get(), &CValueEdit::Cancelled);
        refused_ = std::make_unique<QSignalSpy>(edit_.get(), &CValueEdit::Refused);
    }

    void cleanup() {
        committed_.reset();
        cancelled_.reset();
        refused_.reset();
        edit_.reset();
    }

    void typingSevenOnAnEightBitHexRegister() {
        edit_->OpenWithCharacter(kHex8, QLatin1Char('7'));
        QCOMPARE(edit_->text(), QStringLiteral("7"));
        QCOMPARE(edit_->cursorPosition(), 1);
        QCOMPARE(edit_->TextLimit(), 2);
        QTest::keyClicks(edit_.get(), QStringLiteral("fA0"));
        QCOMPARE(edit_->text(), QStringLiteral("7f"));
        QTest::keyClick(edit_.get(), Qt::Key_Return);
        QCOMPARE(committed_->size(), 1);
        QCOMPARE(committed_->at(0).at(0).value<std::uint32_t>(), 0x7fu);
    }

    void characterTheRadixRefusesOpensAnEmptyEditor() {
        edit_->OpenWithCharacter({2, 8, false}, QLatin1Char('7'));
        QCOMPARE(edit_->text(), QString());
        QTest::keyClicks(edit_.get(), QStringLiteral("1a0"));
        QCOMPARE(edit_->text(), QStringLiteral("10"));
    }

    void upperCaseHexIsRefusedLowerCaseTaken() {
        edit_->Open(kHex8, QStringLiteral("12"));
        QCOMPARE(edit_->selectedText(), QStringLiteral("12"));
        QTest::keyClick(edit_.get(), 'A');
        QCOMPARE(edit_->text(), QStringLiteral("12"));
        QTest::keyClick(edit_.get(), 'a');
        QCOMPARE(edit_->text(), QStringLiteral("a"));
    }

    void navigationKeysAreSwallowed() {
        edit_->Open(kHex8, QStringLiteral("3f"));
        for (const Qt::Key key :
             {Qt::Key_Home, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(edit_.get(), key);
            QCOMPARE(edit_->selectedText(), QStringLiteral("3f"));
        }
        QTest::keyClick(edit_.get(), Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(edit_->selectedText(), QStringLiteral("3f"));
        // End and Delete work as in any line.
        QTest::keyClick(edit_.get(), Qt::Key_End);
        QCOMPARE(edit_->cursorPosition(), 2);
        edit_->setCursorPosition(0);
        QTest::keyClick(edit_.get(), Qt::Key_Delete);
        QCOMPARE(edit_->text(), QStringLiteral("f"));
    }

    void signedDecimalLimitsAndCommits() {
        edit_->Open(kSignedDec8, QStringLiteral("+12"));
        QCOMPARE(edit_->TextLimit(), 4);
        QTest::keyClick(edit_.get(), '1'); // replaces the selection
        QCOMPARE(edit_->TextLimit(), 3);
        QTest::keyClicks(edit_.get(), QStringLiteral("299"));
        QCOMPARE(edit_->text(), QStringLiteral("129"));
        QTest::keyClick(edit_.get(), '-');
        QCOMPARE(edit_->text(), QStringLiteral("-129"));
        QCOMPARE(edit_->TextLimit(), 4);
        QCOMPARE(edit_->cursorPosition(), 4);
        QTest::keyClick(edit_.get(), Qt::Key_Return);
        // Out of range: no value, the text selected, the editor still open.
        QCOMPARE(committed_->size(), 0);
        QCOMPARE(refused_->size(), 1);
        QCOMPARE(edit_->selectedText(), QStringLiteral("-129"));
        QVERIFY(edit_->isVisible());
        QTest::keyClick(edit_.get(), Qt::Key_Backspace);
        QCOMPARE(edit_->text(), QString());
        QTest::keyClicks(edit_.get(), QStringLiteral("-0128"));
        QCOMPARE(edit_->text(), QStringLiteral("-128"));
        QTest::keyClick(edit_.get(), Qt::Key_Enter);
        QCOMPARE(committed_->size(), 1);
        QCOMPARE(committed_->at(0).at(0).value<std::uint32_t>(), 0x80u);
    }

    void signedDecimalBackspaceFallsBackToZero() {
        edit_->OpenWithCharacter(kSignedDec8, QLatin1Char('5'));
        QTest::keyClick(edit_.get(), '+');
        QCOMPARE(edit_->text(), QStringLiteral("+5"));
        QTest::keyClick(edit_.get(), Qt::Key_Backspace);
        QCOMPARE(edit_->text(), QStringLiteral("0"));
        QTest::keyClick(edit_.get(), '7');
        QCOMPARE(edit_->text(), QStringLiteral("7"));
    }

    void escapeAndAnEmptyTextCancel() {
        edit_->Open(kHex8, QStringLiteral("12"));
        QTest::keyClick(edit_.get(), Qt::Key_Escape);
        QCOMPARE(cancelled_->size(), 1);
        edit_->Open(kHex8, QStringLiteral("12"));
        QTest::keyClick(edit_.get(), Qt::Key_Backspace);
        QVERIFY(edit_->Commit());
        QCOMPARE(cancelled_->size(), 2);
        QCOMPARE(committed_->size(), 0);
    }

    void windowShortcutsDoNotTakeTheEditorsKeys() {
        QWidget window;
        auto* shortcut = new QAction(&window);
        shortcut->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::Key_Return),
                                QKeySequence(Qt::Key_Left), QKeySequence(Qt::Key_F5)});
        window.addAction(shortcut);
        QSignalSpy triggered(shortcut, &QAction::triggered);
        edit_->setParent(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit_->setFocus();
        edit_->Open(kHex8, QStringLiteral("12"));
        QTest::keyClick(edit_.get(), Qt::Key_F5); // other keys still reach the window
        QCOMPARE(triggered.size(), 1);
        QTest::keyClick(edit_.get(), Qt::Key_Left);
        QTest::keyClick(edit_.get(), Qt::Key_Return);
        QTest::keyClick(edit_.get(), Qt::Key_Escape);
        QCOMPARE(triggered.size(), 1);
        QCOMPARE(committed_->size(), 1);
        QCOMPARE(cancelled_->size(), 1);
        edit_->setParent(nullptr);
    }

    void pastedTextFollowsTheTypingRules() {
        QApplication::clipboard()->setText(QStringLiteral("0X1F2"));
        edit_->Open(kHex8, QStringLiteral("12"));
        QTest::keyClick(edit_.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit_->text(), QStringLiteral("01"));
        // What reaches the text by other ways (a drop, a middle-click paste) is checked whole.
        edit_->Open(kHex8, QString());
        edit_->insert(QStringLiteral("zz"));
        QCOMPARE(edit_->text(), QString());
        edit_->insert(QStringLiteral("abc"));
        QCOMPARE(edit_->text(), QString());
        edit_->insert(QStringLiteral("ab"));
        QCOMPARE(edit_->text(), QStringLiteral("ab"));
    }

    void placeholderTextOfAnUnknownValueIsRefused() {
        edit_->Open(kHex8, QStringLiteral("XX"));
        QTest::keyClick(edit_.get(), Qt::Key_Return);
        QCOMPARE(refused_->size(), 1);
        QCOMPARE(committed_->size(), 0);
    }

private:
    std::unique_ptr<CValueEdit> edit_;
    std::unique_ptr<QSignalSpy> committed_;
    std::unique_ptr<QSignalSpy> cancelled_;
    std::unique_ptr<QSignalSpy> refused_;
};

} // namespace vek

QTEST_MAIN(vek::ValueEditTest)
#include "value_edit_test.moc"
