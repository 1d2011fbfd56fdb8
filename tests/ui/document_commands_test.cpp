// The document's commands in a register tree window: saving and loading register values,
// opening from the File menu, the macro switches and the driver reset; and the About box.
#include "ui_test_support.h"

#include "document/vek_doc.h"
#include "platform/profile_file.h"
#include "ui/app/document_entry.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/frame/fixed_frame.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace vek {

class DocumentCommandsTest : public QObject {
    Q_OBJECT

private:
    static CVekDoc& Doc(const test::AppFixture& fixture) {
        return fixture.App().Documents().front()->Document();
    }

    // Opens a board and saves its values with Save Register; the values file's path.
    static QString OpenAndSave(test::AppFixture& fixture, const QString& name) {
        fixture.App().OpenDocumentFile(fixture.Files().Board(name + QStringLiteral(".vek")));
        const QString values = fixture.Files().Path(name + QStringLiteral(".vkg"));
        fixture.Dialogs().answers = {values};
        fixture.Run(CommandId::FileSaveAs);
        return values;
    }

private Q_SLOTS:
    void saveRegisterWritesOnlyVkgFiles() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board.vek")));
        const QString values = fixture.Files().Path(QStringLiteral("board.vkg"));
        const QString text = fixture.Files().Path(QStringLiteral("board.txt"));
        fixture.Dialogs().answers = {text, values};
        fixture.Dialogs().comment = QStringLiteral("after bring-up");
        QVERIFY(fixture.Run(CommandId::FileSaveAs));
        QVERIFY(!QFile::exists(text));
        QVERIFY(fixture.Run(CommandId::FileSaveAs));
        ProfileFile saved(values.toStdString());
        QVERIFY(saved.Load());
        QCOMPARE(saved.GetString("HEADER", "Comment", "", 200), std::string("after bring-up"));
        QCOMPARE(saved.GetString("HEADER", "VekFile", "", 256),
                 fixture.Files().Path(QStringLiteral("board.vek")).toStdString());
    }

    void openLoadsValuesOrOpensADescription() {
        test::AppFixture fixture;
        const QString values = OpenAndSave(fixture, QStringLiteral("board"));
        QVERIFY(QFile::exists(values));
        fixture.Dialogs().answers = {values};
        QVERIFY(fixture.Run(CommandId::FileOpen));
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
        // A description chosen in the same dialog opens as a document of its own.
        fixture.Dialogs().answers = {fixture.Files().Board(QStringLiteral("other.vek"))};
        QVERIFY(fixture.Run(CommandId::FileOpen));
        QCOMPARE(fixture.App().Documents().size(), std::size_t{2});
        QCOMPARE(fixture.Frame().ActiveChild()->windowTitle(), QStringLiteral("other.vek"));
    }

    void openingAValuesFileOpensItsDescription() {
        test::AppFixture fixture;
        const QString values = OpenAndSave(fixture, QStringLiteral("board"));
        const QString board = fixture.Files().Path(QStringLiteral("board.vek"));
        QVERIFY(fixture.Run(CommandId::FileClose));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(fixture.App().Documents().empty());
        // As a double click in the file manager or a dropped file does.
        fixture.App().OpenDocumentFile(values);
        QCOMPARE(fixture.App().Documents().size(), std::size_t{1});
        QCOMPARE(fixture.App().Documents().front()->Path(), board);
        // A values file that names no description says so.
        const QString empty = fixture.Files().Write(QStringLiteral("empty.vkg"), QString());
        test::MessageBoxAnswer answer(QMessageBox::Ok);
        fixture.App().OpenDocumentFile(empty);
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Text(), empty + QStringLiteral(": names no description"));
    }

    void valuesOfAnotherDescriptionAskFirst() {
        test::AppFixture fixture;
        const QString values = OpenAndSave(fixture, QStringLiteral("one"));
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("two.vek")));
        fixture.Dialogs().answers = {values};
        test::MessageBoxAnswer answer(QMessageBox::No);
        QVERIFY(fixture.Run(CommandId::FileOpen));
        QVERIFY(answer.Answered());
        QCOMPARE(answer.Title(), QStringLiteral("VEK"));
        QVERIFY(answer.Text().startsWith(QStringLiteral("WARNING: Different Vek Files!")));
    }

    void switchesOfTheDocument() {
        test::AppFixture fixture;
        fixture.App().OpenDocumentFile(fixture.Files().Board(QStringLiteral("board.vek")));
        CVekDoc& doc = Doc(fixture);
        QVERIFY(fixture.Checked(CommandId::ReadMacro));
        QVERIFY(fixture.Run(CommandId::ReadMacro));
        QVERIFY(!doc.GetFlags().Has(MacroFlag::ReadMacros));
        QVERIFY(!fixture.Checked(CommandId::ReadMacro));
        QVERIFY(fixture.Run(CommandId::WriteMacro));
        QVERIFY(!doc.GetFlags().Has(MacroFlag::WriteMacros));
        QVERIFY(fixture.Enabled(CommandId::ResetDriver));
        QVERIFY(fixture.Run(CommandId::ResetDriver));
        QVERIFY(fixture.Run(CommandId::Simulation));
        QVERIFY(doc.IsSimulation());
        // In simulation the document's own reset is off, and it answers for itself.
        QVERIFY(!fixture.Enabled(CommandId::ResetDriver));
    }

    void aboutBoxNamesTheProductAndItsBuildDate() {
        test::AppFixture fixture;
        QString title;
        QStringList texts;
        QTimer::singleShot(50, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            for (const QLabel* label : box->findChildren<QLabel*>())
                texts.append(label->text());
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(fixture.Run(CommandId::AppAbout));
        QCOMPARE(title, QStringLiteral("About Tarvel"));
        QVERIFY(texts.contains(QStringLiteral("Tarvel")));
        QVERIFY(texts.contains(QStringLiteral("Version 3.12")));
        const QRegularExpression compiled(
            QStringLiteral("^\\(Compiled [A-Z][a-z]{2} [ 1-3]\\d \\d{4}\\)$"));
        QVERIFY(compiled.match(CAboutDlg::CompiledText()).hasMatch());
        QVERIFY(texts.contains(CAboutDlg::CompiledText()));
    }
};

} // namespace vek

QTEST_MAIN(vek::DocumentCommandsTest)
#include "document_commands_test.moc"
