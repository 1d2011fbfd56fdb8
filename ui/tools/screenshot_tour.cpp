// Takes the screenshots of docs/images: runs vek32's own application object on a real display
// (Xvfb in scripts/screenshots.sh), opens the demo board, and photographs the main window with
// its output, an open menu, the register list, a diagnostic shown in its source, the progress
// bar of a large compile and the About box.
//
// usage: vek32_screenshots OUTPUT_FOLDER DEMO.vek FAULTY.vek
#include "description_generator.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/menu_bars.h"
#include "ui/frame/progress_pane.h"
#include "ui/views/vek_out_view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Shoot(QWidget& window, const QString& file) {
    // The frame with its open menus and dialogs.
    QRect area = window.frameGeometry();
    for (QWidget* popup : QApplication::topLevelWidgets()) {
        if (popup != &window && popup->isVisible() &&
            (qobject_cast<QMenu*>(popup) != nullptr || qobject_cast<QDialog*>(popup) != nullptr))
            area = area.united(popup->frameGeometry());
    }
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
        0, area.x(), area.y(), area.width(), area.height());
    if (!picture.save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// Answers the next message box (the simulation question of a driver that is not there).
void AnswerNextBox() {
    QTimer::singleShot(200, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: vek32_screenshots OUTPUT_FOLDER DEMO.vek FAULTY.vek\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir profile;
    // 100,000 registers in ten devices.
    const QString large = profile.filePath(QStringLiteral("large.vek"));
    QFile file(large);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QByteArray::fromStdString(vek::bench::GenerateDescription(10, 10000, 0))) < 0)
        return 1;
    file.close();
    vek::CVekApp::Settings settings;
    settings.profileFolder = profile.path();
    vek::CVekApp app(std::move(settings));
    if (!app.InitInstance(QString::fromLocal8Bit(argv[2])))
        return 1;
    vek::CFixedFrame& frame = app.Frame();
    bool ok = true;
    Wait(800);
    ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-demo.png")));

    QMenu* options = frame.Menu(vek::MenuId::Options);
    options->popup(
        frame.mapToGlobal(frame.menuBar()->actionGeometry(options->menuAction()).bottomLeft() +
                          frame.menuBar()->pos()));
    Wait(400);
    ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-options-menu.png")));
    options->hide();

    frame.Router().Execute(vek::CommandId::RegisterList);
    frame.Router().Execute(vek::CommandId::WindowTile);
    Wait(400);
    ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-register-list.png")));

    app.OpenDocumentFile(QString::fromLocal8Bit(argv[3]));
    Wait(300);
    const QStringList lines = app.OutputView().Lines();
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto location = vek::DiagnosticAt(i, [&lines](int k) { return lines[k]; })) {
            app.OpenSource(*location);
            break;
        }
    }
    frame.Router().Execute(vek::CommandId::WindowTile);
    Wait(400);
    ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-diagnostic.png")));

    // The progress bar is photographed once the large description's compile is a third done.
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, [&] {
        const vek::ProgressPane& pane = frame.StatusBar().Progress();
        if (pane.Position() * 3 > pane.Maximum()) {
            progress.stop();
            ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-progress.png")));
        }
    });
    progress.start(20);
    AnswerNextBox();
    app.OpenDocumentFile(large);
    Wait(300);

    QTimer::singleShot(300, [&] {
        ok &= Shoot(frame, out.filePath(QStringLiteral("vek32-about.png")));
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    frame.Router().Execute(vek::CommandId::AppAbout);
    return ok ? 0 : 1;
}
