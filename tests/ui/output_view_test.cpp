// The output window's view: the 60,000-character cap, saving whole lines under the rule of every
// save, a text without a caret, and double clicks on compiler diagnostics.
#include "ui_test_support.h"

#include "ui/views/diagnostic_link.h"
#include "ui/views/vek_out_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

namespace vek {

class OutputViewTest : public QObject {
    Q_OBJECT

private:
    test::FakeFileDialogs dialogs_;
    test::Workspace files_;

private Q_SLOTS:
    void aLineThatFindsMoreThanTheCapEmptiesTheWindowFirst() {
        CVekOutView view(dialogs_, nullptr);
        view.AppendLine(QString(59999, QLatin1Char('x'))); // 60001 with its CR LF
        QCOMPARE(view.BufferSize(), 60001);
        view.AppendLine(QStringLiteral("new line"));
        QCOMPARE(view.Lines(), QStringList{QStringLiteral("new line")});
        QCOMPARE(view.BufferSize(), 10);
    }

    void exactlyTheCapIsKept() {
        CVekOutView view(dialogs_, nullptr);
        view.AppendLine(QString(59998, QLatin1Char('x'))); // 60000
        view.AppendLine(QStringLiteral("kept"));
        QCOMPARE(view.Lines().size(), 2);
        view.ClearText();
        QCOMPARE(view.Lines(), QStringList());
        QCOMPARE(view.BufferSize(), 0);
    }

    void savingWritesWholeLines() {
        CVekOutView view(dialogs_, nullptr);
        const QString longLine = QStringLiteral("driver error D05: cannot write to address ") +
                                 QString(108, QLatin1Char('9'));
        QCOMPARE(longLine.size(), 150);
        view.AppendLine(QStringLiteral("Parsing..."));
        view.AppendLine(longLine);
        dialogs_.answers = {files_.Path(QStringLiteral("output.txt"))};
        view.RunCommand(CommandId::FileSaveAs);
        QFile saved(files_.Path(QStringLiteral("output.txt")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(),
                 (QStringLiteral("Parsing...\r\n") + longLine + QStringLiteral("\r\n")).toUtf8());
        // Saving leaves the window's text alone.
        QCOMPARE(view.Lines().size(), 2);
    }

    void aFileThatCannotBeWrittenIsReported() {
        CVekOutView view(dialogs_, nullptr);
        view.AppendLine(QStringLiteral("text"));
        dialogs_.answers = {files_.Path(QStringLiteral("no/such/folder/output.txt"))};
        test::MessageBoxAnswer answer(QMessageBox::Ok);
        view.RunCommand(CommandId::FileSaveAs);
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("VEK"));
        QVERIFY(answer.Text().startsWith(files_.Path(QStringLiteral("no/such/folder/output.txt"))));
    }

    void saveAsRefusesAReadOnlyFileAndWritesThroughALink() {
        CVekOutView view(dialogs_, nullptr);
        view.AppendLine(QStringLiteral("new text"));
        const QString target = files_.Write(QStringLiteral("log.txt"), QStringLiteral("old"));
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(target, readOnly));
        dialogs_.answers = {target};
        {
            test::MessageBoxAnswer answer(QMessageBox::Ok);
            view.RunCommand(CommandId::FileSaveAs);
            QVERIFY(answer.Answered());
            QCOMPARE(answer.Text(),
                     target + QStringLiteral(": read-only file; nothing was written"));
        }
        QFile old(target);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("old"));
        QCOMPARE(test::ModeBits(target), readOnly);

        // Through a link to its target, which keeps its permissions.
        const QFile::Permissions shared = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(target, shared));
        const QString link = files_.Path(QStringLiteral("link.txt"));
        QVERIFY(QFile::link(target, link));
        dialogs_.answers = {link};
        view.RunCommand(CommandId::FileSaveAs);
        QVERIFY(QFileInfo(link).isSymLink());
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("new text\r\n"));
        QCOMPARE(test::ModeBits(target), shared);
    }

    void diagnosticsPointIntoTheirDescription() {
        const QStringList lines = {
            QStringLiteral("Parsing..."),
            QStringLiteral("/boards/a.vek"),
            QStringLiteral("Line 4 : error B05: no matching hierarchy label is found"),
            QStringLiteral("Line 12: error P02: wrong syntax 'x'"),
            QStringLiteral("a.vek - 2 error(s)"),
            QStringLiteral("Line 0: not a place")};
        const auto at = [&lines](int i) { return lines[i]; };
        const std::optional<SourceLocation> first = DiagnosticAt(2, at);
        QVERIFY(first.has_value());
        QCOMPARE(first->path, QStringLiteral("/boards/a.vek"));
        QCOMPARE(first->line, 4);
        QCOMPARE(DiagnosticAt(3, at)->line, 12);
        QVERIFY(!DiagnosticAt(4, at).has_value());
        QVERIFY(!DiagnosticAt(5, at).has_value());
        // Without its compile's header above it a line points nowhere.
        const QStringList headless = {QStringLiteral("Line 3: error P01: open comment ")};
        QVERIFY(!DiagnosticAt(0, [&headless](int i) { return headless[i]; }).has_value());
    }

    void theTextShowsNoCaretAndCopiesWhatTheMouseSelects() {
        CVekOutView view(dialogs_, nullptr);
        view.resize(400, 200);
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.AppendLine(QStringLiteral("Parsing..."));
        view.AppendLine(QStringLiteral("board.vek - 0 error(s)"));
        // A click past the end of a line puts the caret there, where no text is drawn.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(380, 5));
        QVERIFY(view.hasFocus());
        const QRect caret = view.cursorRect().adjusted(-1, 0, 1, 0);
        const QImage shot = view.viewport()->grab().toImage();
        const QRgb base = view.palette().color(QPalette::Base).rgb();
        for (int y = caret.top(); y <= caret.bottom(); ++y) {
            for (int x = caret.left(); x <= caret.right(); ++x)
                QCOMPARE(shot.pixel(x, y), base);
        }
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(12, 5));
        QCOMPARE(view.textCursor().selectedText(), QStringLiteral("Parsing"));
        QVERIFY(view.QueryCommand(CommandId::EditCopy)->enabled);
        view.RunCommand(CommandId::EditCopy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Parsing"));
    }

    void doubleClickOnADiagnosticAsksForItsSource() {
        CVekOutView view(dialogs_, nullptr);
        view.resize(600, 300);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.AppendLine(QStringLiteral("Parsing..."));
        view.AppendLine(QStringLiteral("/boards/a.vek"));
        view.AppendLine(QStringLiteral("Line 7: error P02: wrong syntax ';'"));
        QSignalSpy requested(&view, &CVekOutView::SourceRequested);
        const auto clickLine = [&view](int line) {
            QTextCursor cursor(view.document()->findBlockByNumber(line));
            QTest::mouseDClick(view.viewport(), Qt::LeftButton, {},
                               view.cursorRect(cursor).center() + QPoint(4, 0));
        };
        clickLine(1);
        QCOMPARE(requested.count(), 0);
        clickLine(2);
        QCOMPARE(requested.count(), 1);
        const auto location = requested.at(0).at(0).value<SourceLocation>();
        QCOMPARE(location.path, QStringLiteral("/boards/a.vek"));
        QCOMPARE(location.line, 7);
    }
};

} // namespace vek

QTEST_MAIN(vek::OutputViewTest)
#include "output_view_test.moc"
