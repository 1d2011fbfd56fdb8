#include "ui/plot/plot_window.h"

#include "model/run_limits.h"
#include "platform/file_replacement.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/host/text_conversion.h"
#include "ui/plot/plot_view.h"

#include <QBuffer>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vek {

CPlotWindow::CPlotWindow(FileDialogs& dialogs, QWidget* parent)
    : QDockWidget(QStringLiteral("Plot"), parent), dialogs_(dialogs), traces_(kPlotTraceCapacity),
      view_(new PlotView(traces_)), list_(new QListWidget), buttons_(new QWidget) {
    setObjectName(QStringLiteral("PlotWindow"));
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(4, 4, 4, 4);
    auto* side = new QVBoxLayout;
    list_->setObjectName(QStringLiteral("PlotTraces"));
    list_->setMaximumWidth(200);
    side->addWidget(list_, 1);
    auto* column = new QVBoxLayout(buttons_);
    column->setContentsMargins(0, 0, 0, 0);
    side->addWidget(buttons_);
    row->addLayout(side);
    row->addWidget(view_, 1);
    setWidget(body);

    connect(AddButton(QStringLiteral("&Remove"), QStringLiteral("Remove")), &QPushButton::clicked,
            this, &CPlotWindow::RemoveChosen);
    connect(AddButton(QStringLiteral("C&lear"), QStringLiteral("Clear")), &QPushButton::clicked,
            this, [this] {
                traces_.ClearPoints();
                FillList();
                view_->update();
            });
    pause_ = AddButton(QStringLiteral("&Pause"), QStringLiteral("Pause"));
    pause_->setCheckable(true);
    connect(pause_, &QPushButton::toggled, this,
            [this](bool paused) { view_->SetFollowing(!paused); });
    connect(view_, &PlotView::Paused, this, [this] { pause_->setChecked(true); });
    connect(AddButton(QStringLiteral("&Fit"), QStringLiteral("Fit")), &QPushButton::clicked, this,
            [this] {
                view_->Fit();
                const QSignalBlocker quiet(pause_);
                pause_->setChecked(true);
            });
    connect(AddButton(QStringLiteral("Save &CSV..."), QStringLiteral("SaveCsv")),
            &QPushButton::clicked, this, &CPlotWindow::SaveCsv);
    connect(AddButton(QStringLiteral("Save P&NG..."), QStringLiteral("SavePng")),
            &QPushButton::clicked, this, &CPlotWindow::SavePng);

    clock_.start();
    repaint_.setSingleShot(true);
    repaint_.setInterval(kRepaintMs);
    connect(&repaint_, &QTimer::timeout, this, [this] {
        if (isVisible())
            view_->update();
    });
}

QPushButton* CPlotWindow::AddButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text, buttons_);
    button->setObjectName(name);
    buttons_->layout()->addWidget(button);
    return button;
}

void CPlotWindow::Plot(const CVarItem& item, const void* document) {
    switch (traces_.Add(item, document, PlotName(item))) {
    case PlotTraces::Added::Yes:
        FillList();
        view_->update();
        break;
    case PlotTraces::Added::AlreadyPlotted:
        QMessageBox::information(this, windowTitle(),
                                 ToQString(PlotName(item) + " is plotted already."));
        break;
    case PlotTraces::Added::Full:
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("A plot holds at most %1 traces; remove one first.")
                                 .arg(kMaxPlotTraces));
        break;
    }
}

void CPlotWindow::NoteRead(const CShadowReg& reg) {
    if (traces_.NoteRead(reg, static_cast<double>(clock_.nsecsElapsed()) / 1e9) &&
        !repaint_.isActive())
        repaint_.start();
}

void CPlotWindow::Forget(const void* document) {
    if (!traces_.Forget(document))
        return;
    FillList();
    view_->update();
}

void CPlotWindow::FillList() {
    list_->clear();
    for (std::size_t t = 0; t < traces_.Count(); ++t) {
        auto* entry = new QListWidgetItem(QString::fromStdString(traces_.At(t).Name()), list_);
        QPixmap swatch(12, 12);
        swatch.fill(PlotView::TraceColour(t));
        entry->setIcon(QIcon(swatch));
    }
}

void CPlotWindow::RemoveChosen() {
    const int row = list_->currentRow();
    if (row < 0)
        return;
    traces_.Remove(static_cast<std::size_t>(row));
    FillList();
    view_->update();
}

void CPlotWindow::SaveCsv() {
    const std::optional<QString> path = dialogs_.SaveCsv(this, QStringLiteral("plot.csv"));
    if (!path)
        return;
    const Result<void> saved = ReplaceFile(ToStdString(*path), traces_.Csv());
    if (!saved)
        QMessageBox::warning(this, windowTitle(), ToQString(saved.Error().text));
}

void CPlotWindow::SavePng() {
    const std::optional<QString> path = dialogs_.SavePng(this);
    if (!path)
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    view_->grab().save(&buffer, "PNG");
    const Result<void> saved = ReplaceFile(ToStdString(*path), png.toStdString());
    if (!saved)
        QMessageBox::warning(this, windowTitle(), ToQString(saved.Error().text));
}

} // namespace vek
