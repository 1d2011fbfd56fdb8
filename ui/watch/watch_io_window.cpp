#include "ui/watch/watch_io_window.h"

#include "model/transfer_csv.h"
#include "model/transfer_log.h"
#include "platform/file_replacement.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/host/text_conversion.h"
#include "ui/watch/transfer_list_model.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace vek {

CWatchIoWindow::CWatchIoWindow(TransferLog& log, FileDialogs& dialogs, QWidget* parent)
    : QDialog(parent), log_(log), dialogs_(dialogs), model_(new TransferListModel(log, this)),
      list_(new QTableView(this)), reads_(new QCheckBox(QStringLiteral("&Read"), this)),
      writes_(new QCheckBox(QStringLiteral("&Write"), this)), dropped_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Watch I/O"));
    setObjectName(QStringLiteral("watchIo"));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->hide();
    // Rows of one height: the view need not measure 100,000 of them.
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 4);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setColumnHidden(TransferListModel::kDriver, true);

    auto* radix = new QGroupBox(QStringLiteral("Radix"), this);
    auto* radixLayout = new QHBoxLayout(radix);
    auto* radixButtons = new QButtonGroup(this);
    const std::pair<const char*, int> kRadixes[] = {{"&HEX", 16}, {"&DEC", 10}, {"&BIN", 2}};
    for (const auto& [text, value] : kRadixes) {
        auto* button = new QRadioButton(QString::fromLatin1(text), radix);
        button->setChecked(value == 16);
        radixButtons->addButton(button, value);
        radixLayout->addWidget(button);
    }
    connect(radixButtons, &QButtonGroup::idClicked, this,
            [this](int value) { model_->SetRadix(value); });

    auto* filter = new QGroupBox(QStringLiteral("Reg"), this);
    auto* filterLayout = new QHBoxLayout(filter);
    for (QCheckBox* box : {reads_, writes_}) {
        box->setParent(filter);
        box->setChecked(true);
        filterLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &CWatchIoWindow::UpdateFilter);
    }
    auto* driverNames = new QCheckBox(QStringLiteral("&Show Driver names"), this);
    connect(driverNames, &QCheckBox::toggled, this, &CWatchIoWindow::ShowDriverNames);

    auto* clear = new QPushButton(QStringLiteral("&Clear"), this);
    auto* saveAs = new QPushButton(QStringLiteral("Save &As..."), this);
    auto* close = new QPushButton(QStringLiteral("C&lose"), this);
    connect(clear, &QPushButton::clicked, this, &CWatchIoWindow::Clear);
    connect(saveAs, &QPushButton::clicked, this, &CWatchIoWindow::SaveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);

    auto* controls = new QHBoxLayout;
    controls->addWidget(radix);
    controls->addWidget(filter);
    controls->addWidget(driverNames);
    controls->addStretch();
    controls->addWidget(clear);
    controls->addWidget(saveAs);
    controls->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(dropped_);
    layout->addLayout(controls);
    dropped_->hide();
    resize(760, 420);

    sync_.setInterval(kSyncMilliseconds);
    connect(&sync_, &QTimer::timeout, this, &CWatchIoWindow::Sync);
}

void CWatchIoWindow::Open() {
    log_.Start();
    show();
    raise();
    activateWindow();
}

void CWatchIoWindow::Sync() {
    QScrollBar* bar = list_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    model_->Sync();
    // A list the user scrolled back in stays where it is; one at its end follows the new rows.
    if (atEnd)
        list_->scrollToBottom();
    if (log_.Dropped() == 0) {
        dropped_->hide();
        return;
    }
    dropped_->setText(QStringLiteral("The oldest %1 transfers were dropped; the list keeps the "
                                     "last %2.")
                          .arg(log_.Dropped())
                          .arg(kTransferLogCapacity));
    dropped_->show();
}

void CWatchIoWindow::showEvent(QShowEvent* event) {
    Sync();
    sync_.start();
    QDialog::showEvent(event);
}

void CWatchIoWindow::hideEvent(QHideEvent* event) {
    sync_.stop();
    QDialog::hideEvent(event);
}

void CWatchIoWindow::Clear() {
    log_.Clear();
    Sync();
}

void CWatchIoWindow::SaveAs() {
    Sync();
    const std::optional<QString> path = dialogs_.SaveCsv(this, QStringLiteral("transfers.csv"));
    if (!path)
        return;
    const Result<void> saved =
        ReplaceFile(ToStdString(*path), TransferCsv(log_, model_->Sequences(), model_->Radix()));
    if (!saved)
        QMessageBox::warning(this, windowTitle(), ToQString(saved.Error().text));
}

void CWatchIoWindow::UpdateFilter() {
    model_->SetFilter(reads_->isChecked(), writes_->isChecked());
}

void CWatchIoWindow::ShowDriverNames(bool shown) {
    list_->setColumnHidden(TransferListModel::kDriver, !shown);
}

} // namespace vek
