// A description that changes on disk while it is open: one question per change, and on Yes the
// description compiled again with the values of the registers that are still there; a copy that
// does not compile leaves the open one as it was.
#include "tree_test_support.h"

#include "document/vek_doc.h"
#include "model/line_item.h"
#include "ui/app/document_entry.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/vek_out_view.h"

#include <QMdiArea>
#include <QPointer>
#include <QTest>

#include <cstdio>

namespace vek {

namespace {

// The board with registers of these numbers, R<n> at address n.
QString BoardText(std::initializer_list<int> registers) {
    QString text =
        QStringLiteral("#BeginRegisterList \"testdrv.dll\"\n0: CHIP A2 D1 [0x10] << 1.1;\n");
    for (const int r : registers)
        text += QStringLiteral("1: R%1 [0x%2] = 0 b;\n").arg(r).arg(r, 2, 16, QLatin1Char('0'));
    return text + QStringLiteral("#EndRegisterList\n");
}

// Writes the file in place, as `echo text > file` does.
void WriteInPlace(const QString& path, const QString& text) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
}

// Saves the file as most editors do: a new file renamed over the old one.
void SaveByRename(const QString& path, const QString& text) {
    WriteInPlace(path + QStringLiteral(".new"), text);
    QCOMPARE(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                         QFile::encodeName(path).constData()),
             0);
}

QString Question(const QString& name) {
    return name + QStringLiteral(" has changed on disk.");
}

} // namespace

class ReloadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void yesCompilesItAgainAndKeepsTheValues() {
        test::Workspace files;
        const QString board = files.Write(QStringLiteral("board.vek"), BoardText({0, 1, 2}));
        test::AppFixture fixture(board);
        test::TreeWindow before(fixture);
        QVERIFY(before.IsValid());
        before.Item(QStringLiteral("R1"))->SetValue(0x55);
        before.Item(QStringLiteral("R2"))->SetValue(0x22);

        test::EveryMessageBox yes(QMessageBox::Yes);
        // R2 goes, R3 comes.
        SaveByRename(board, BoardText({0, 1, 3}));
        QTRY_COMPARE(yes.texts.size(), 1);
        QVERIFY2(yes.texts[0].startsWith(Question(QStringLiteral("board.vek"))),
                 qPrintable(yes.texts[0]));
        QTRY_VERIFY(test::TreeWindow(fixture).Row(QStringLiteral("R3")) >= 0);
        const test::TreeWindow after(fixture);
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
        QCOMPARE(after.Row(QStringLiteral("R2")), -1);
        QCOMPARE(after.Item(QStringLiteral("R1"))->GetValue(), 0x55u);
        QCOMPARE(after.Item(QStringLiteral("R3"))->GetValue(), 0u);
        // Said as a values file's load says it.
        QVERIFY(fixture.App().OutputView().Lines().contains(
            QStringLiteral("board.vek: 1 register(s) have no value in the file and keep theirs")));

        // The new copy is watched in turn, also after the rename.
        WriteInPlace(board, BoardText({0, 1}));
        QTRY_COMPARE(yes.texts.size(), 2);
        QTRY_COMPARE(test::TreeWindow(fixture).Row(QStringLiteral("R3")), -1);
        QCOMPARE(test::TreeWindow(fixture).Item(QStringLiteral("R1"))->GetValue(), 0x55u);
    }

    void oneQuestionPerChangeAndNoneWhileOneIsShown() {
        test::Workspace files;
        const QString board = files.Write(QStringLiteral("board.vek"), BoardText({0, 1, 2}));
        test::AppFixture fixture(board);
        const QPointer<CMDITreeWnd> window = test::TreeWindow(fixture).window;
        test::EveryMessageBox no(QMessageBox::No);
        // More writes while the question is shown belong to it.
        no.beforeAnswer = [&board] {
            WriteInPlace(board, BoardText({0}));
            SaveByRename(board, BoardText({0, 1}));
        };
        WriteInPlace(board, BoardText({0, 1, 2, 3}));
        QTRY_COMPARE(no.texts.size(), 1);
        QTest::qWait(1500);
        QCOMPARE(no.texts.size(), 1);
        // No leaves the open copy as it was.
        QCOMPARE(test::TreeWindow(fixture).window, window.data());
        QVERIFY(test::TreeWindow(fixture).Row(QStringLiteral("R2")) >= 0);

        // The next change asks again; a touch that changes nothing does not.
        no.beforeAnswer = nullptr;
        QVERIFY(QFile::setPermissions(board, QFile::permissions(board) | QFile::ExeOwner));
        SaveByRename(board, BoardText({5}));
        QTRY_COMPARE(no.texts.size(), 2);
        // A closed description is no longer watched.
        QVERIFY(fixture.Run(CommandId::FileClose));
        QTRY_VERIFY(fixture.App().Documents().empty());
        WriteInPlace(board, BoardText({6, 7}));
        QTest::qWait(1500);
        QCOMPARE(no.texts.size(), 2);
    }

    void aCopyThatDoesNotCompileLeavesTheOpenOne() {
        test::Workspace files;
        const QString board = files.Write(QStringLiteral("board.vek"), BoardText({0, 1}));
        test::AppFixture fixture(board);
        const QPointer<CMDITreeWnd> window = test::TreeWindow(fixture).window;
        test::TreeWindow(fixture).Item(QStringLiteral("R1"))->SetValue(0x21);

        test::EveryMessageBox yes(QMessageBox::Yes);
        WriteInPlace(board,
                     BoardText({0, 1}).replace(QStringLiteral("= 0 b;"), QStringLiteral("= b;")));
        QTRY_COMPARE(yes.texts.size(), 1);
        const QString failed =
            QStringLiteral("board.vek: not reloaded; the open copy stays as it was");
        QTRY_VERIFY(fixture.App().OutputView().Lines().contains(failed));
        const QStringList lines = fixture.App().OutputView().Lines();
        QVERIFY2(lines.join('\n').contains(QStringLiteral("error P")),
                 qPrintable(lines.join('\n')));
        QVERIFY(!window.isNull());
        fixture.Frame().MdiArea().setActiveSubWindow(window);
        QCOMPARE(test::TreeWindow(fixture).Item(QStringLiteral("R1"))->GetValue(), 0x21u);
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
        const CVekDoc& document = fixture.App().Documents().front()->Document();
        QVERIFY(document.IsCompiled());
        QVERIFY(document.DriverOpened());
    }
};

} // namespace vek

QTEST_MAIN(vek::ReloadTest)
#include "reload_test.moc"
