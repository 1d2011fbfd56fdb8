#include "ui/app/vek_app.h"

#include "document/values_file.h"
#include "document/vek_doc.h"
#include "platform/clock.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "scripting/script_host.h"
#include "ui/app/app_profile.h"
#include "ui/app/description_watch.h"
#include "ui/app/document_entry.h"
#include "ui/app/single_instance.h"
#include "ui/app/window_state.h"
#include "ui/commands/command_router.h"
#include "ui/commands/ui_strings.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/qt_file_dialogs.h"
#include "ui/dialogs/user_guide.h"
#include "ui/frame/fixed_frame.h"
#include "ui/frame/menu_bars.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/frame/window_list.h"
#include "ui/host/event_pump.h"
#include "ui/host/qt_host.h"
#include "ui/host/text_conversion.h"
#include "ui/plot/plot_window.h"
#include "ui/views/mdi_out_wnd.h"
#include "ui/views/mdi_tree_wnd.h"
#include "ui/views/source_view.h"
#include "ui/views/vek_out_view.h"
#include "ui/watch/live_refresh_bar.h"
#include "ui/watch/watch_io_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>
#include <utility>

static void InitVekResources() {
    Q_INIT_RESOURCE(vek32);
}

namespace vek {

namespace {

QString Caption() {
    return QString::fromUtf8(UiString(UiStringId::AppTitle));
}

QString Text(UiStringId id) {
    return QString::fromUtf8(UiString(id));
}

// Why a file cannot be opened for reading, empty when it can. Only a regular file is opened:
// a FIFO would hold the window until something writes to it.
QString ReadFailure(const QString& path) {
    const Result<void> checked = CheckRegularFile(ToStdString(path));
    return checked ? QString() : ToQString(checked.Error().text);
}

// The profile's list of driver folders, colon-separated as VEK_DRIVER_PATH.
constexpr const char* kDriversSection = "Drivers";
constexpr const char* kDriverPathKey = "Path";
constexpr std::size_t kDriverPathLength = 4096;

} // namespace

void CVekApp::SetIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("vek32"));
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvel-vek32"));
}

CVekApp::CVekApp(Settings settings)
    : settings_(std::move(settings)), dialogs_(std::move(settings_.dialogs)) {
    InitVekResources();
    if (dialogs_ == nullptr)
        dialogs_ = std::make_unique<QtFileDialogs>();
    if (!settings_.clock)
        settings_.clock = [] { return TickCount(); };
    if (settings_.programFolder.isEmpty())
        settings_.programFolder = QCoreApplication::applicationDirPath();
}

CVekApp::~CVekApp() {
    closing_ = true;
    // The documents' windows first, so that no view outlives its document; then the documents,
    // whose drivers may still write to the output window as they close; then the frame.
    for (const auto& entry : documents_) {
        const std::vector<CChildFrame*> windows = entry->Windows();
        for (CChildFrame* window : windows)
            delete window;
    }
    documents_.clear();
    frame_.reset();
}

CVekOutView& CVekApp::OutputView() const {
    return static_cast<CVekOutView&>(output_->View());
}

QWidget* CVekApp::DialogParent() {
    return frame_.get();
}

bool CVekApp::InitInstance(const QStringList& files) {
    const QString folder =
        settings_.profileFolder.isEmpty() ? AppProfile::DefaultFolder() : settings_.profileFolder;
    instance_ = std::make_unique<SingleInstance>(folder);
    // The running instance has another current folder.
    QStringList paths;
    for (const QString& file : files)
        paths.append(QFileInfo(file).absoluteFilePath());
    if (instance_->HandOver(paths))
        return false;
    QString error;
    if (!instance_->Listen(error))
        std::fprintf(stderr, "vek32: %s\n", error.toLocal8Bit().constData());
    connect(instance_.get(), &SingleInstance::Requested, this, &CVekApp::OnInstanceRequest);

    profile_ = std::make_unique<AppProfile>(folder);
    for (const QString& driverFolder : settings_.driverFolders)
        driverFolders_.commandLine.push_back(ToStdString(driverFolder));
    driverFolders_.setting = SplitFolderList(
        profile_->File().GetString(kDriversSection, kDriverPathKey, "", kDriverPathLength));
    pump_ = std::make_unique<EventPump>();
    frame_ = std::make_unique<CFixedFrame>(settings_.clock);
    frame_->SetApplicationTarget(this);
    frame_->SetCloseQuery([this] { return QueryClose(); });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!QueryEndSession())
            manager.cancel();
    });
    frame_->MainToolBar().LoadFindHistory(profile_->File());
    frame_->RefreshBar().Load(profile_->File());
    host_ = std::make_unique<QtHost>(frame_->StatusBar(), frame_.get(), *pump_);
    connect(&frame_->Menus(), &MenuBars::RecentFileChosen, this, &CVekApp::OpenRecentFile);
    connect(&frame_->Windows(), &WindowList::EntryChosen, this, &CVekApp::ActivateListedWindow);
    connect(frame_.get(), &CFixedFrame::FilesDropped, this, [this](const QStringList& dropped) {
        for (const QString& file : dropped)
            OpenDocumentFile(file);
    });
    UpdateRecentFiles();

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    frame_->setGeometry(screen.x(), screen.y(), screen.width() * 2 / 3, screen.height() * 2 / 3);
    QList<QRect> screens{screen};
    for (const QScreen* other : QGuiApplication::screens())
        screens.append(other->availableGeometry());
    const bool maximized = RestoreWindowState(*frame_, profile_->File(), screens);
    // The script toolbar keeps its place but shows with the first register tree window.
    frame_->ScriptToolBar().hide();
    watch_ = std::make_unique<DescriptionWatch>();
    connect(watch_.get(), &DescriptionWatch::Changed, this, &CVekApp::OnDescriptionChanged);
    templates_ = std::make_unique<WindowTemplates>(
        *frame_, [this](CChildFrame* window, DocumentEntry* entry) { Adopt(window, entry); },
        [this](const CVarItem& item, const CVekDoc& document) {
            ShowPlot().Plot(item, &document);
        });
    output_ = templates_->CreateOutput(*dialogs_);
    connect(&OutputView(), &CVekOutView::SourceRequested, this, &CVekApp::OpenSource);
    host_->SetOutput(&OutputView(), [this] { ShowOutput(); });
    frame_->Windows().RebuildWindowMenu(false,
                                        QString::fromUtf8(UiString(UiStringId::OutputTitle)));
    if (maximized)
        frame_->showMaximized();
    else
        frame_->show();
    frame_->MdiArea().setFocus();
    for (const QString& path : paths)
        OpenDocumentFile(path);
    frame_->setAcceptDrops(true);
    frame_->RequestIdleUpdate();
    return true;
}

void CVekApp::ShowOutput(bool activate) {
    if (!outputPlaced_ && output_->isHidden()) {
        outputPlaced_ = true;
        output_->setGeometry(templates_->OutputPlacement());
    }
    output_->ShowAtPlacement();
    if (activate)
        frame_->MdiArea().setActiveSubWindow(output_);
}

void CVekApp::Adopt(CChildFrame* window, DocumentEntry* entry) {
    if (entry != nullptr)
        entry->AddWindow(window);
    connect(window, &QObject::destroyed, this, [this, window] { OnWindowDestroyed(window); });
}

void CVekApp::OnWindowDestroyed(CChildFrame* window) {
    if (closing_)
        return;
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        DocumentEntry& entry = **it;
        const auto& windows = entry.Windows();
        if (std::find(windows.begin(), windows.end(), window) == windows.end())
            continue;
        entry.RemoveWindow(window);
        // A document lives as long as one of its windows.
        if (entry.Windows().empty()) {
            watch_->Forget(entry.Path());
            if (plot_ != nullptr)
                plot_->Forget(&entry.Document());
            documents_.erase(it);
        }
        break;
    }
    frame_->RequestIdleUpdate();
}

void CVekApp::ActivateViewOfClass(DocumentEntry& entry, WindowKind kind) {
    for (CChildFrame* window : entry.Windows()) {
        if (window->Kind() == kind) {
            frame_->MdiArea().setActiveSubWindow(window);
            return;
        }
    }
    if (kind == WindowKind::Tree)
        templates_->CreateTree(entry, ViewActivator(WindowKind::List));
    else
        templates_->CreateList(entry, ViewActivator(WindowKind::Tree));
}

WindowTemplates::ShowKind CVekApp::ViewActivator(WindowKind kind) {
    return [this, kind](DocumentEntry& entry) { ActivateViewOfClass(entry, kind); };
}

void CVekApp::OpenSource(const SourceLocation& location) {
    const QString path = QFileInfo(location.path).absoluteFilePath();
    CSourceView* view = templates_->FindSource(path);
    const bool created = view == nullptr;
    if (created)
        view = new CSourceView(nullptr);
    QString error;
    if (!view->ShowFile(path, location.line, error)) {
        if (created)
            delete view;
        QMessageBox::warning(frame_.get(), Caption(), path + QStringLiteral(": ") + error);
        return;
    }
    if (created)
        templates_->CreateSource(view);
    else
        frame_->MdiArea().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
}

DocumentEntry* CVekApp::FindDocument(const QString& path) const {
    for (const auto& entry : documents_) {
        if (entry->Path() == path)
            return entry.get();
    }
    return nullptr;
}

void CVekApp::OpenDocumentFile(const QString& given) {
    if (IsBusy()) {
        pendingFiles_.append(given);
        return;
    }
    const QString path = QFileInfo(given).absoluteFilePath();
    if (DocumentEntry* open = FindDocument(path)) {
        ActivateViewOfClass(*open, WindowKind::Tree);
        return;
    }
    if (const QString failure = ReadFailure(path); !failure.isEmpty()) {
        profile_->RecentFiles().Remove(
            static_cast<int>(profile_->RecentFiles().Files().indexOf(path)));
        UpdateRecentFiles();
        QMessageBox::warning(frame_.get(), Caption(), path + QStringLiteral(": ") + failure);
        return;
    }
    if (HasValuesEnding(ToStdString(path))) {
        OpenValuesFile(path);
        return;
    }
    profile_->RecentFiles().Add(path);
    UpdateRecentFiles();
    frame_->raise();
    ShowDocument(NewDocument(), [&path](DocumentEntry& entry) { entry.Open(path); });
}

std::unique_ptr<DocumentEntry> CVekApp::NewDocument() {
    auto entry = std::make_unique<DocumentEntry>(*host_, *this);
    entry->Document().SetDriverFolders(driverFolders_);
    entry->Document().Context().transferred = [this](const CShadowReg& reg, UpdateCode direction,
                                                     bool done) {
        transfers_.Add(reg, direction, done);
        if (plot_ != nullptr && done && direction == UpdateCode::Read)
            plot_->NoteRead(reg);
    };
    return entry;
}

CPlotWindow& CVekApp::ShowPlot() {
    if (plot_ == nullptr) {
        plot_ = new CPlotWindow(*dialogs_, frame_.get());
        frame_->addDockWidget(Qt::BottomDockWidgetArea, plot_);
    }
    plot_->show();
    plot_->raise();
    return *plot_;
}

CMDITreeWnd* CVekApp::ShowDocument(std::unique_ptr<DocumentEntry> document,
                                   const std::function<void(DocumentEntry&)>& open) {
    documents_.push_back(std::move(document));
    DocumentEntry& entry = *documents_.back();
    RunBusy([&entry, &open] { open(entry); });
    watch_->Watch(entry.Path());
    // The compile and driver lines stay in view below the new window.
    ShowOutput(false);
    return templates_->CreateTree(entry, ViewActivator(WindowKind::List));
}

bool CVekApp::ScriptBusy(const DocumentEntry& entry) {
    return std::any_of(entry.Windows().begin(), entry.Windows().end(), [](CChildFrame* window) {
        const auto* tree = qobject_cast<const CMDITreeWnd*>(window);
        return tree != nullptr && tree->ScriptBusy();
    });
}

void CVekApp::OnDescriptionChanged(const QString& path) {
    DocumentEntry* entry = FindDocument(path);
    if (entry == nullptr || !watch_->HasChanged(path))
        return;
    // Not in the middle of other work, a script of the document or a question: asked once
    // that is over (unless the question was this one, which took the change).
    if (asking_ || IsBusy() || ScriptBusy(*entry) || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kCloseRetryMs, this, [this, path] { OnDescriptionChanged(path); });
        return;
    }
    asking_ = true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        frame_.get(), Caption(), Text(UiStringId::DescriptionChanged).arg(entry->Title()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    asking_ = false;
    // What changed while the question was shown is part of this change.
    watch_->Take(path);
    entry = FindDocument(path);
    if (answer == QMessageBox::Yes && entry != nullptr && !IsBusy() && !ScriptBusy(*entry))
        ReloadDocument(*entry);
}

void CVekApp::ReloadDocument(DocumentEntry& old) {
    const QString path = old.Path();
    const std::string name = ToStdString(old.Title());
    // The values as a values file would save them, loaded into the new copy as one is loaded.
    ProfileFile values;
    old.Document().StoreValues(values, {});
    const bool keepValues = !SavedValuesOf(values).registers.empty();
    // Compiled before the old copy goes, which stays open when the compile fails; its drivers
    // are bound only once the old copy's are closed.
    std::unique_ptr<DocumentEntry> fresh = NewDocument();
    bool compiled = false;
    RunBusy([&fresh, &path, &compiled] {
        compiled = fresh->Document().OpenWithoutDrivers(ToStdString(path));
    });
    const std::string failed = ToStdString(Text(UiStringId::ReloadFailed).arg(old.Title()));
    if (!compiled) {
        host_->Message(failed, true);
        return;
    }
    QRect place;
    const std::vector<CChildFrame*> windows = old.Windows();
    for (CChildFrame* window : windows) {
        if (window->Kind() == WindowKind::Tree)
            place = window->geometry();
        // A window that stays (a script pane whose user keeps an unsaved module) keeps the
        // old copy open.
        if (!window->close()) {
            host_->Message(failed, true);
            return;
        }
    }
    // Gone at once, and with the last of them the old copy and its drivers.
    for (CChildFrame* window : windows)
        delete window;
    CMDITreeWnd* tree =
        ShowDocument(std::move(fresh), [&values, &name, keepValues](DocumentEntry& entry) {
            if (entry.Document().BindDrivers() && keepValues)
                entry.Document().LoadValues(values, name);
        });
    if (place.isValid())
        tree->setGeometry(place);
}

void CVekApp::OpenValuesFile(const QString& path) {
    const Result<std::string> description = DescriptionNamedBy(ToStdString(path));
    if (!description) {
        QMessageBox::warning(frame_.get(), Caption(), ToQString(description.Error().text));
        return;
    }
    const QString descriptionPath = ToQString(description.Value());
    OpenDocumentFile(descriptionPath);
    DocumentEntry* entry = FindDocument(QFileInfo(descriptionPath).absoluteFilePath());
    if (entry == nullptr)
        return;
    const std::string file = ToStdString(path);
    RunBusy([entry, &file] { entry->Document().LoadValues(file); });
}

void CVekApp::CloseDocument(DocumentEntry& entry) {
    const std::vector<CChildFrame*> windows = entry.Windows();
    for (CChildFrame* window : windows)
        window->close();
}

void CVekApp::RunBusy(const std::function<void()>& work) {
    ++busy_;
    frame_->Router().SetBlocked(true);
    work();
    if (--busy_ > 0)
        return;
    frame_->Router().SetBlocked(false);
    frame_->RequestIdleUpdate();
    if (!pendingFiles_.isEmpty() || pendingClose_)
        QTimer::singleShot(0, this, &CVekApp::RunPending);
}

void CVekApp::RunPending() {
    if (IsBusy())
        return;
    // What arrived while the work ran: files from another start or dropped, a close request.
    const QStringList files = std::exchange(pendingFiles_, {});
    for (const QString& file : files)
        OpenDocumentFile(file);
    if (std::exchange(pendingClose_, false))
        frame_->close();
}

void CVekApp::UpdateRecentFiles() {
    profile_->Save();
    frame_->Menus().SetRecentFiles(profile_->RecentFiles().Files());
}

void CVekApp::OpenRecentFile(int index) {
    const QStringList& files = profile_->RecentFiles().Files();
    if (index >= 0 && index < files.size())
        OpenDocumentFile(files[index]);
}

void CVekApp::ActivateListedWindow(int index) {
    const QStringList& names = frame_->Windows().Names();
    if (index < 1 || index > names.size())
        return;
    for (QMdiSubWindow* sub : frame_->MdiArea().subWindowList()) {
        auto* window = qobject_cast<CChildFrame*>(sub);
        if (window != nullptr && window->Kind() == WindowKind::Tree &&
            window->MenuTitle() == names[index - 1]) {
            if (window->isMinimized())
                window->showNormal();
            frame_->MdiArea().setActiveSubWindow(window);
            return;
        }
    }
}

void CVekApp::OnInstanceRequest(const QStringList& paths) {
    if (frame_->isMinimized())
        frame_->showNormal();
    frame_->raise();
    frame_->activateWindow();
    if (QWidget* popup = QApplication::activeModalWidget())
        popup->raise();
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

bool CVekApp::ScriptsActive() const {
    return std::any_of(documents_.begin(), documents_.end(),
                       [](const auto& entry) { return ScriptBusy(*entry); });
}

bool CVekApp::QueryEndSession() {
    if (!ScriptsActive())
        return true;
    QMessageBox::warning(frame_.get(), Caption(),
                         QString::fromUtf8(UiString(UiStringId::MacroStillActive)));
    return false;
}

bool CVekApp::QueryClose() {
    if (IsBusy()) {
        pendingClose_ = true;
        return false;
    }
    if (ScriptsActive()) {
        // Quits once the scripts have ended.
        if (!std::exchange(closeRetry_, true))
            QTimer::singleShot(kCloseRetryMs, frame_.get(), [this] {
                closeRetry_ = false;
                frame_->close();
            });
        return false;
    }
    std::vector<CChildFrame*> windows;
    for (const auto& entry : documents_)
        windows.insert(windows.end(), entry->Windows().begin(), entry->Windows().end());
    for (CChildFrame* window : windows) {
        if (!window->close())
            return false;
    }
    frame_->MainToolBar().SaveFindHistory(profile_->File());
    frame_->RefreshBar().Save(profile_->File());
    SaveWindowState(*frame_, profile_->File());
    profile_->Save();
    return true;
}

std::optional<CommandState> CVekApp::QueryCommand(CommandId id) {
    switch (id) {
    case CommandId::FileNew:
        return CommandState::Disabled();
    case CommandId::FileOpen:
    case CommandId::AppExit:
    case CommandId::AppAbout:
    case CommandId::UserGuide:
        return CommandState::Enabled();
    case CommandId::WindowOutput:
        return CommandState::Check(true, frame_->Windows().OutputChecked());
    case CommandId::WindowWatch:
        return CommandState::Enabled(!documents_.empty());
    case CommandId::WindowPlot:
        return CommandState::Enabled();
    case CommandId::ResetDriver:
        return CommandState::Enabled(
            std::any_of(documents_.begin(), documents_.end(),
                        [](const auto& entry) { return entry->Document().DriverOpened(); }));
    default:
        return std::nullopt;
    }
}

void CVekApp::RunCommand(CommandId id) {
    switch (id) {
    case CommandId::FileOpen:
        if (const std::optional<QString> path = dialogs_->OpenDescription(frame_.get()))
            OpenDocumentFile(*path);
        break;
    case CommandId::AppExit:
        frame_->close();
        break;
    case CommandId::AppAbout:
        CAboutDlg(frame_.get()).exec();
        break;
    case CommandId::UserGuide:
        if (guide_ == nullptr) {
            guide_ = new CUserGuide(settings_.programFolder, frame_.get());
            guide_->setAttribute(Qt::WA_DeleteOnClose);
        }
        guide_->show();
        guide_->raise();
        guide_->activateWindow();
        break;
    case CommandId::WindowOutput:
        ShowOutput();
        break;
    case CommandId::WindowWatch:
        if (watchIo_ == nullptr)
            watchIo_ = new CWatchIoWindow(transfers_, *dialogs_, frame_.get());
        watchIo_->Open();
        break;
    case CommandId::WindowPlot:
        ShowPlot();
        break;
    case CommandId::ResetDriver:
        RunBusy([this] {
            for (const auto& entry : documents_)
                entry->Document().ResetDrivers();
        });
        break;
    default:
        break;
    }
}

} // namespace vek
