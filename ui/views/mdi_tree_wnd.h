#pragma once

#include "ui/frame/child_frame.h"

#include <functional>

class QSplitter;
class QToolBar;

namespace vek {

class CLedStatusBar;
class CMacro;
class CMacroView;
class CSliderBar;
class CVekDoc;
class WindowList;

// The register tree window of a description: the macro bar along the top, a splitter with the
// register tree above and the script pane below, and the slider bar along the right edge. It
// puts its document's title into the Window menu's list on its first activation and takes it
// out when it closes.
class CMDITreeWnd : public CChildFrame {
    Q_OBJECT

public:
    // What the window needs from the main frame and the application.
    struct Services {
        WindowList& windows;
        CLedStatusBar& statusBar;
        QToolBar& scriptToolBar;
        std::function<void(CMacro&)> runMacro;
        std::function<void()> showList;
    };

    CMDITreeWnd(CVekDoc& document, const QString& title, CommandTarget* documentTarget,
                Services services);
    ~CMDITreeWnd() override;

    CVekDoc& Document() const { return document_; }
    CMacroBar* MacroBar() override { return macroBar_; }
    // The slider bar on the right edge.
    CSliderBar& SliderBar() const { return *sliderBar_; }
    QSplitter& Splitter() const { return *splitter_; }
    // The tree view and the script pane take their places in the splitter; each gets the
    // commands while it has the focus, and the script pane its run commands from anywhere in
    // the window.
    void SetTreeView(QWidget* view, CommandTarget* target);
    void SetScriptPane(CMacroView* pane);
    CMacroView* ScriptPane() const { return scriptPane_; }
    // A script of this window runs (or stands paused).
    bool ScriptBusy() const;
    // Caption: the document's title, "  :  " and the text.
    void SetCaptionSuffix(const QString& text);
    // The register macros and script macros that ask for the bar, in that order.
    void FillMacroBar();

    QString MenuTitle() const override { return title_; }
    CommandTarget* ActiveView() override;
    void OnActivated(bool active) override;
    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

Q_SIGNALS:
    void Activated(bool active);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ReplacePane(int index, QWidget* widget);
    void FocusPane(int step);
    QWidget* Placeholder(const QString& text);

    CVekDoc& document_;
    QString title_;
    Services services_;
    CMacroBar* macroBar_;
    QSplitter* splitter_;
    CSliderBar* sliderBar_;
    CommandTarget* treeTarget_ = nullptr;
    CMacroView* scriptPane_ = nullptr;
    bool closeRetry_ = false;
    bool firstActivation_ = true;
    bool listed_ = false;
};

} // namespace vek
