#pragma once

#include <QDialog>
#include <QTimer>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QTableView;

namespace vek {

class FileDialogs;
class TransferListModel;
class TransferLog;

// The Watch I/O window: a live list of every transfer that reaches a driver, from any source,
// with the value in the radix chosen, the Read and Write filters, the driver's name shown or not,
// Clear, Save As (comma-separated values) and Close, which only hides it. The log starts when the
// window first opens; the list follows it a few times a second, so that a script writing a
// million registers keeps the window answering.
class CWatchIoWindow : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSyncMilliseconds = 100;

    CWatchIoWindow(TransferLog& log, FileDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the window (starting the log the first time) and brings it to the front.
    void Open();
    // Takes what the log holds now; the timer does this while the window is shown.
    void Sync();
    TransferListModel& Model() const { return *model_; }
    QTableView& List() const { return *list_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Clear();
    void SaveAs();
    void UpdateFilter();
    void ShowDriverNames(bool shown);

    TransferLog& log_;
    FileDialogs& dialogs_;
    TransferListModel* model_;
    QTableView* list_;
    QCheckBox* reads_;
    QCheckBox* writes_;
    QLabel* dropped_;
    QTimer sync_;
};

} // namespace vek
