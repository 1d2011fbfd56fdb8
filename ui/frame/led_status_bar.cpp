#include "ui/frame/led_status_bar.h"

#include "ui/frame/led_pane.h"
#include "ui/frame/progress_pane.h"

#include <QLabel>

namespace vek {

CLedStatusBar::CLedStatusBar(LedIndicator::Clock clock, QWidget* parent)
    : QStatusBar(parent), progress_(new ProgressPane(this)), refresh_(new QLabel(this)),
      led_(new LedPane(std::move(clock), this)) {
    setObjectName(QStringLiteral("CLedStatusBar"));
    addWidget(progress_, 1);
    refresh_->setObjectName(QStringLiteral("RefreshRate"));
    refresh_->setFrameShape(QFrame::Panel);
    refresh_->setFrameShadow(QFrame::Sunken);
    addPermanentWidget(refresh_);
    refresh_->hide();
    // Each indicator pane is as wide as the sample text that sets it.
    const char* const samples[] = {nullptr, "HEX", "00000"};
    for (std::size_t i = 0; i < indicators_.size(); ++i) {
        auto* label = new QLabel(this);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        const int width = samples[i] == nullptr
                              ? kModePaneWidth
                              : label->fontMetrics().horizontalAdvance(samples[i]) + 12;
        label->setFixedWidth(width);
        addPermanentWidget(label);
        indicators_[i] = label;
    }
    addPermanentWidget(led_);
}

void CLedStatusBar::SetLedState(LedState state) {
    led_->SetLedState(state);
}

LedState CLedStatusBar::GetLedState() const {
    return led_->State();
}

void CLedStatusBar::SetProgressRange(int maximum) {
    progress_->SetProgressRange(maximum);
}

void CLedStatusBar::SetProgressPos(int position) {
    progress_->SetProgressPos(position);
}

void CLedStatusBar::OffsetProgressPos(int delta) {
    progress_->OffsetProgressPos(delta);
}

void CLedStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane == 0)
        progress_->SetText(text);
    else if (pane > 0 && pane < kPaneCount)
        indicators_[static_cast<std::size_t>(pane - 1)]->setText(text);
}

QString CLedStatusBar::PaneText(int pane) const {
    if (pane == 0)
        return progress_->Text();
    if (pane > 0 && pane < kPaneCount)
        return indicators_[static_cast<std::size_t>(pane - 1)]->text();
    return {};
}

void CLedStatusBar::SetRefreshText(const QString& text) {
    refresh_->setText(text);
    refresh_->setVisible(!text.isEmpty());
}

QString CLedStatusBar::RefreshText() const {
    return refresh_->text();
}

} // namespace vek
