#pragma once

#include "ui/plot/plot_traces.h"

#include <QDockWidget>
#include <QElapsedTimer>
#include <QTimer>

class QListWidget;
class QPushButton;

namespace vek {

class CShadowReg;
class CVarItem;
class FileDialogs;
class PlotView;

// The Plot dock: registers and bit fields plotted against time as they are read, by a live
// refresh, a script, Read Now or a single read. Its buttons remove the trace chosen in the list,
// clear the points, pause and fit the view, and save the points as CSV or the picture as PNG.
// New points are drawn at most every kRepaintMs, so that a fast refresh does not wait on the
// drawing.
class CPlotWindow : public QDockWidget {
    Q_OBJECT

public:
    static constexpr int kRepaintMs = 50;

    CPlotWindow(FileDialogs& dialogs, QWidget* parent);

    // Adds the item's trace (the document owns it); a full plot or an item plotted already is
    // said in a message box.
    void Plot(const CVarItem& item, const void* document);
    // A read of the register ended.
    void NoteRead(const CShadowReg& reg);
    // The document's items are going: their traces go first.
    void Forget(const void* document);

    const PlotTraces& Traces() const { return traces_; }
    PlotView& View() const { return *view_; }
    QListWidget& TraceList() const { return *list_; }
    QPushButton& PauseButton() const { return *pause_; }

private:
    void FillList();
    void RemoveChosen();
    void SaveCsv();
    void SavePng();
    QPushButton* AddButton(const QString& text, const QString& name);

    FileDialogs& dialogs_;
    PlotTraces traces_;
    QElapsedTimer clock_;
    QTimer repaint_;
    PlotView* view_;
    QListWidget* list_;
    QPushButton* pause_ = nullptr;
    QWidget* buttons_;
};

} // namespace vek
