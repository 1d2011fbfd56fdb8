#pragma once

#include "model/transfer_log.h"
#include "platform/dynamic_library.h"
#include "ui/app/app_services.h"
#include "ui/app/window_templates.h"
#include "ui/commands/command_target.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/frame/child_frame.h"
#include "ui/frame/led_indicator.h"
#include "ui/views/diagnostic_link.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>
#include <vector>

namespace vek {

class AppProfile;
class CFixedFrame;
class CMDIOutWnd;
class CMDITreeWnd;
class CUserGuide;
class CVekOutView;
class CWatchIoWindow;
class DescriptionWatch;
class CPlotWindow;
class DocumentEntry;
class EventPump;
class QtHost;
class SingleInstance;

// The application vek32: its start-up and shut-down, the open descriptions and their windows,
// and the commands no window handles (open, exit, about, the user guide, the output window, the
// driver reset of every document). It keeps the main window's place in the profile, and offers
// to reload a description that changes on disk.
class CVekApp : public QObject, public AppServices, public CommandTarget {
    Q_OBJECT

public:
    struct Settings {
        QString profileFolder;                // where vek32.ini lives
        LedIndicator::Clock clock;            // the LED's millisecond clock
        std::unique_ptr<FileDialogs> dialogs; // the file dialogs; Qt's when null
        QStringList driverFolders;            // --driver-path, in the order given
        QString programFolder;                // where the program lies; its own when empty
    };

    // The names the desktop knows vek32 by: the application's name is the window's class (the
    // desktop entry's StartupWMClass), the desktop entry's name its application id.
    static void SetIdentity();

    explicit CVekApp(Settings settings);
    ~CVekApp() override;

    // Start-up: hands the files to a running vek32 and returns false when there is one;
    // otherwise builds the frame and the hidden output window, shows the frame, opens each file
    // in turn, and accepts dropped files.
    // The drivers are looked for in the settings' folders, those of VEK_DRIVER_PATH, those of the
    // profile's [Drivers] Path, then the program's own folder.
    bool InitInstance(const QStringList& files);

    CFixedFrame& Frame() const { return *frame_; }
    QtHost& GetHost() const { return *host_; }
    EventPump& Pump() const { return *pump_; }
    AppProfile& Profile() const { return *profile_; }
    CMDIOutWnd& OutputWindow() const { return *output_; }
    // The Watch I/O window, once Window > Watch has opened it.
    CWatchIoWindow* WatchIoWindow() const { return watchIo_; }
    // The Plot dock, once Window > Plot or Plot Value has opened it.
    CPlotWindow* PlotWindow() const { return plot_; }
    CVekOutView& OutputView() const;
    const std::vector<std::unique_ptr<DocumentEntry>>& Documents() const { return documents_; }
    bool IsBusy() const { return busy_ > 0; }
    // A script of some window runs or stands paused.
    bool ScriptsActive() const;
    // The desktop session asks whether it may end: not while a script runs (the user is told
    // so); true when it may.
    bool QueryEndSession();

    // Shows the output window where it was and, unless told otherwise, makes it the active one.
    void ShowOutput(bool activate = true);
    // Activates the document's window of that kind, opening one when it has none.
    void ActivateViewOfClass(DocumentEntry& entry, WindowKind kind);
    // Shows a description read-only with the line marked.
    void OpenSource(const SourceLocation& location);

    // AppServices. A register-values file opens the description it was saved with (when that
    // is not open yet) and loads its values there.
    void OpenDocumentFile(const QString& path) override;
    void CloseDocument(DocumentEntry& entry) override;
    void RunBusy(const std::function<void()>& work) override;
    FileDialogs& Dialogs() override { return *dialogs_; }
    QWidget* DialogParent() override;

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

private:
    // Keeps a new window with its document; the document goes with its last window.
    void Adopt(CChildFrame* window, DocumentEntry* entry);
    WindowTemplates::ShowKind ViewActivator(WindowKind kind);
    void OnWindowDestroyed(CChildFrame* window);
    DocumentEntry* FindDocument(const QString& path) const;
    std::unique_ptr<DocumentEntry> NewDocument();
    // The Plot dock, made when first asked for and shown.
    CPlotWindow& ShowPlot();
    // Keeps the document, opens it with `open` as long work, and opens its register tree window.
    CMDITreeWnd* ShowDocument(std::unique_ptr<DocumentEntry> document,
                              const std::function<void(DocumentEntry&)>& open);
    static bool ScriptBusy(const DocumentEntry& entry);
    // Asks once whether to reload a description that changed on disk.
    void OnDescriptionChanged(const QString& path);
    // Compiles the description again into a new copy that takes the place of the old one, with
    // the values of the registers that are still there.
    void ReloadDocument(DocumentEntry& old);
    void OpenValuesFile(const QString& path);
    void OnInstanceRequest(const QStringList& paths);
    void ActivateListedWindow(int index);
    void OpenRecentFile(int index);
    void UpdateRecentFiles();
    bool QueryClose();
    void RunPending();

    Settings settings_;
    std::unique_ptr<FileDialogs> dialogs_;
    // Every transfer of every document, once the Watch I/O window has opened; it outlives the
    // window and the documents.
    TransferLog transfers_;
    std::unique_ptr<AppProfile> profile_;
    std::unique_ptr<EventPump> pump_;
    std::unique_ptr<CFixedFrame> frame_;
    std::unique_ptr<QtHost> host_;
    std::unique_ptr<WindowTemplates> templates_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<DescriptionWatch> watch_;
    QPointer<CUserGuide> guide_;
    CWatchIoWindow* watchIo_ = nullptr; // made when first opened, a child of the frame
    CPlotWindow* plot_ = nullptr;       // the same
    bool asking_ = false;               // the question whether to reload is shown
    DriverFolders driverFolders_;
    CMDIOutWnd* output_ = nullptr;
    bool outputPlaced_ = false;
    std::vector<std::unique_ptr<DocumentEntry>> documents_;
    int busy_ = 0;
    bool closing_ = false;
    QStringList pendingFiles_;
    bool pendingClose_ = false;
    bool closeRetry_ = false;
};

} // namespace vek
