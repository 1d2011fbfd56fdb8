// Takes the screenshots of docs/images: runs vek32's own application object on a real display
// (Xvfb in scripts/screenshots.sh), opens the demo board and photographs the main window with
// the output window, the register tree in hexadecimal and binary with a bookmark, an open value
// editor and the slider bar, an open menu, the register list, a compile error shown in its source,
// the progress bar of a large compile, the Watch I/O window, a plot fed by a live refresh, a script
// paused at a breakpoint with a watch and the call stack, and the About box. With a file name as
// well, it photographs only the window as it starts with the demo open, under that name (the
// screen's size decides the window's).
//
// usage: vek32_screenshots OUTPUT_FOLDER DEMO.vek [START_UP_SHOT.png]
#include "description_generator.h"
#include "ui/app/document_entry.h"
#include "ui/app/vek_app.h"
#include "ui/commands/command_router.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/led_status_bar.h"
#include "ui/frame/progress_pane.h"
#include "ui/plot/plot_window.h"
#include "ui/script/debug_panels.h"
#include "ui/script/macro_view.h"
#include "ui/script/module_editor.h"
#include "ui/script/script_run_loop.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/slider_bar.h"
#include "ui/tree/vek_tree_view.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/vek_out_view.h"
#include "ui/watch/live_refresh_bar.h"
#include "ui/watch/watch_io_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

void Wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

class Tour {
public:
    Tour(vek::CVekApp& app, const QDir& out) : app_(app), frame_(app.Frame()), out_(out) {}

    bool Ok() const { return ok_; }

    // The frame with its open menus and dialogs.
    void Shoot(const char* name) {
        QRect area = frame_.frameGeometry();
        for (QWidget* popup : QApplication::topLevelWidgets()) {
            if (popup != &frame_ && popup->isVisible() &&
                (qobject_cast<QMenu*>(popup) != nullptr ||
                 qobject_cast<QDialog*>(popup) != nullptr))
                area = area.united(popup->frameGeometry());
        }
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(
            0, area.x(), area.y(), area.width(), area.height());
        const QString file = out_.filePath(QString::fromLatin1(name));
        if (!picture.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ok_ = false;
            return;
        }
        std::printf("%s\n", qPrintable(file));
    }

    void Run(vek::CommandId id) { ok_ = frame_.Router().Execute(id) && ok_; }

    void OpenMenu(vek::MenuId id) {
        QMenu* menu = frame_.Menu(id);
        QMenuBar* bar = frame_.menuBar();
        menu->popup(bar->mapToGlobal(bar->actionGeometry(menu->menuAction()).bottomLeft()));
    }

    // The Watch I/O window over the demo's tree after a Read Now and a Write Now.
    void ShootWatchIo() {
        Run(vek::CommandId::WindowWatch);
        vek::CWatchIoWindow* watch = app_.WatchIoWindow();
        if (watch == nullptr) {
            ok_ = false;
            return;
        }
        watch->move(frame_.frameGeometry().center() - QPoint(watch->width() / 2, 0));
        frame_.activateWindow();
        Wait(200);
        // Read first: a write of registers without a value brings the output window forward.
        Run(vek::CommandId::ReadNow);
        Run(vek::CommandId::WriteNow);
        Wait(400);
        watch->activateWindow();
        Wait(200);
        Shoot("vek32-watch-io.png");
        watch->hide();
        // Back to the tree, which the write's message put behind the output window.
        app_.ActivateViewOfClass(*app_.Documents().front(), vek::WindowKind::Tree);
        Wait(100);
    }

    // The sensor's temperature plotted while a live refresh reads it: the simulated bus's moving
    // temperature is switched on for this shot alone, and off again after it.
    void ShootPlot() {
        auto* window = qobject_cast<vek::CMDITreeWnd*>(frame_.ActiveChild());
        auto* view = window != nullptr
                         ? qobject_cast<vek::CVekTreeView*>(window->Splitter().widget(0))
                         : nullptr;
        const QString settings = qEnvironmentVariable("VEK_PCALH_IO");
        if (view == nullptr || settings.isEmpty() ||
            !WriteFile(settings, "[SimulatedBus]\nMovingTemperature=1\n")) {
            ok_ = false;
            return;
        }
        Run(vek::CommandId::ResetDriver);
        for (const char* name : {"DEGREES", "HALF"}) {
            view->RevealRow(RowNamed(*view, name));
            Run(vek::CommandId::PlotValue);
        }
        if (vek::CPlotWindow* plot = app_.PlotWindow())
            frame_.resizeDocks({plot}, {frame_.height() / 3}, Qt::Vertical);
        view->RevealRow(RowNamed(*view, "SENSOR"));
        frame_.RefreshBar().SetInterval(200);
        Run(vek::CommandId::LiveRefresh);
        Wait(9000);
        Shoot("vek32-plot.png");
        Run(vek::CommandId::LiveRefresh);
        if (vek::CPlotWindow* plot = app_.PlotWindow())
            plot->hide();
        QFile::remove(settings);
        Run(vek::CommandId::ResetDriver);
    }

    // Photographs the progress bar once the compile of `path` is a third done.
    void ShootProgress(const QString& path, const char* name) {
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            const vek::ProgressPane& pane = frame_.StatusBar().Progress();
            if (pane.Position() * 3 > pane.Maximum()) {
                watch.stop();
                Shoot(name);
            }
        });
        watch.start(20);
        app_.OpenDocumentFile(path);
    }

    // The register tree window of the demo, maximised, with its values read and every row open.
    // A vendor's register map opened as its tree; no debug server listens, so the box that
    // offers simulation is answered OK.
    void ShootMap(const QString& path, const char* name) {
        qputenv("VEK_GDB_REMOTE", "127.0.0.1:1");
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
            }
        });
        answer.start(100);
        app_.OpenDocumentFile(path);
        answer.stop();
        auto* window = qobject_cast<vek::CMDITreeWnd*>(frame_.ActiveChild());
        if (window == nullptr) {
            ok_ = false;
            return;
        }
        window->showMaximized();
        // Read Now in simulation, then the UART: its receive buffer marked '!' kept unread, and
        // the divisor latch that shares its address in the alternate device.
        Run(vek::CommandId::ReadNow);
        Run(vek::CommandId::ExpandTree);
        if (auto* view = qobject_cast<vek::CVekTreeView*>(window->Splitter().widget(0))) {
            view->RevealRow(RowNamed(*view, "UART ALT1"));
            view->RevealRow(RowNamed(*view, "UART"));
        }
        Wait(400);
        Shoot(name);
        Run(vek::CommandId::FileClose);
        qunsetenv("VEK_GDB_REMOTE");
    }

    // The tree row whose description is `name`, or the first row.
    static int RowNamed(vek::CVekTreeView& view, const char* name) {
        vek::CSftTree& tree = view.Tree();
        for (int r = 0; r < tree.GetRowCount(); ++r) {
            if (tree.GetCellText(r, vek::TreeColumn::Description) == name)
                return r;
        }
        return 0;
    }

    void ShootTree() {
        auto* window = qobject_cast<vek::CMDITreeWnd*>(frame_.ActiveChild());
        auto* view = window != nullptr
                         ? qobject_cast<vek::CVekTreeView*>(window->Splitter().widget(0))
                         : nullptr;
        if (view == nullptr) {
            ok_ = false;
            return;
        }
        window->showMaximized();
        Run(vek::CommandId::ReadNow);
        Run(vek::CommandId::ExpandTree);
        const auto row = [view](const char* name) { return RowNamed(*view, name); };
        view->RevealRow(row("GAIN TRIM"));
        Run(vek::CommandId::ToggleBookmark);
        view->RevealRow(row("TEMP"));
        Wait(300);
        Shoot("vek32-tree-hex.png");

        Run(vek::CommandId::SetBin);
        Wait(300);
        Shoot("vek32-tree-binary.png");
        Run(vek::CommandId::SetHex);

        // Two pages to the right on the first slider.
        QScrollBar* slider = window->SliderBar().Slider(0);
        slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        slider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        Wait(300);
        Shoot("vek32-slider-bar.png");

        // A value being typed over GAIN TRIM's cell.
        view->RevealRow(row("GAIN TRIM"));
        view->CellEdit().Start(QLatin1Char('4'));
        if (vek::CValueEdit* editor = view->CellEdit().Editor()) {
            editor->setText(QStringLiteral("42"));
            Wait(300);
            Shoot("vek32-tree-editor.png");
            editor->Cancel();
        }
        window->showNormal();
    }

    // The demo's polling script paused at a breakpoint in PrintTemperature, with a watch on the
    // temperature and the call stack open, the tree beside it.
    void ShootPausedScript(const QString& script) {
        auto* window = qobject_cast<vek::CMDITreeWnd*>(frame_.ActiveChild());
        vek::CMacroView* pane = window != nullptr ? window->ScriptPane() : nullptr;
        vek::ModuleEditor* editor = pane != nullptr ? pane->OpenModule(script) : nullptr;
        if (editor == nullptr) {
            ok_ = false;
            return;
        }
        window->showMaximized();
        window->Splitter().setSizes({260, 340});
        // The sensor's rows in view: the tree is still open from the shots before.
        if (auto* view = qobject_cast<vek::CVekTreeView*>(window->Splitter().widget(0))) {
            vek::CSftTree& tree = view->Tree();
            for (const char* name : {"READY", "SENSOR"}) {
                for (int r = 0; r < tree.GetRowCount(); ++r) {
                    if (tree.GetCellText(r, vek::TreeColumn::Description) == name)
                        view->RevealRow(r);
                }
            }
        }
        int breakLine = 0;
        for (int line = 0; line < editor->lines(); ++line) {
            if (editor->text(line).contains(QStringLiteral("If ReadReg(HALF)")))
                breakLine = line + 1;
        }
        editor->SetBreakpoint(breakLine, true);
        pane->Scripts().Engine().SetBreakpoint(editor->Module().toStdString(), breakLine, true);
        pane->Watches().AddWatch(QStringLiteral("celsius"));
        pane->Watches().AddWatch(QStringLiteral("ReadReg(DEGREES) * 2"));
        editor->setFocus();
        Run(vek::CommandId::ScriptRun);
        for (int i = 0; i < 100 && pane->RunLoop().State() != vek::basic::RunState::Paused; ++i)
            Wait(20);
        Wait(300);
        Shoot("vek32-script-paused.png");
        Run(vek::CommandId::ScriptEnd);
        window->showNormal();
    }

private:
    vek::CVekApp& app_;
    vek::CFixedFrame& frame_;
    QDir out_;
    bool ok_ = true;
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "usage: vek32_screenshots OUTPUT_FOLDER DEMO.vek [START_UP_SHOT.png]\n");
        return 2;
    }
    QTemporaryDir scratch;
    // A description with a label error, and one of 100,000 registers in ten devices.
    const QString faulty = scratch.filePath(QStringLiteral("sensor_board.vek"));
    const QString large = scratch.filePath(QStringLiteral("large_board.vek"));
    if (!WriteFile(faulty, "#BeginRegisterList \"pardrv32.dll\"\n"
                           "0: SENSOR A2 [0x90] << 1.1;\n"
                           "1: TEMP [0x00] = 0 D2 O21 r;\n"
                           "3: LIMIT [0x04] = 0x5000 D2 O21;\n"
                           "#EndRegisterList\n") ||
        !WriteFile(large, QByteArray::fromStdString(vek::bench::GenerateDescription(10, 10000, 0))))
        return 1;

    vek::CVekApp::Settings settings;
    settings.profileFolder = scratch.filePath(QStringLiteral("profile"));
    vek::CVekApp app(std::move(settings));
    if (!app.InitInstance({QString::fromLocal8Bit(argv[2])}))
        return 1;
    Tour tour(app, QDir(QString::fromLocal8Bit(argv[1])));
    Wait(800);
    if (argc == 4) {
        tour.Shoot(argv[3]);
        return tour.Ok() ? 0 : 1;
    }
    tour.Shoot("vek32-demo.png");
    tour.ShootTree();
    tour.ShootPausedScript(QFileInfo(QString::fromLocal8Bit(argv[2]))
                               .dir()
                               .filePath(QStringLiteral("scripts/poll_sensor.bas")));

    tour.ShootWatchIo();
    tour.ShootPlot();

    tour.OpenMenu(vek::MenuId::Options);
    Wait(400);
    tour.Shoot("vek32-options-menu.png");
    app.Frame().Menu(vek::MenuId::Options)->hide();

    tour.Run(vek::CommandId::RegisterList);
    tour.Run(vek::CommandId::WindowTile);
    Wait(400);
    tour.Shoot("vek32-register-list.png");
    tour.Run(vek::CommandId::FileClose);

    app.OpenDocumentFile(faulty);
    const QStringList lines = app.OutputView().Lines();
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto location = vek::DiagnosticAt(i, [&lines](int k) { return lines[k]; })) {
            app.OpenSource(*location);
            break;
        }
    }
    tour.Run(vek::CommandId::WindowTile);
    Wait(400);
    tour.Shoot("vek32-diagnostic.png");
    tour.Run(vek::CommandId::FileClose); // the source view
    app.CloseDocument(*app.Documents().front());
    Wait(100);

    tour.ShootMap(QFileInfo(QString::fromLocal8Bit(argv[2]))
                      .dir()
                      .filePath(QStringLiteral("../tests/data/import/rules.svd")),
                  "vek32-svd.png");
    Wait(100);

    tour.ShootProgress(large, "vek32-progress.png");
    Wait(300);

    QTimer::singleShot(300, [&] {
        tour.Shoot("vek32-about.png");
        if (QWidget* box = QApplication::activeModalWidget())
            box->close();
    });
    tour.Run(vek::CommandId::AppAbout);
    return tour.Ok() ? 0 : 1;
}
