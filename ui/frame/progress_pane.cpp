#include "ui/frame/progress_pane.h"

#include <QPainter>

#include <algorithm>

namespace vek {

const QColor ProgressPane::kFilled(10, 10, 150);

ProgressPane::ProgressPane(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ProgressPane::sizeHint() const {
    return {100, fontMetrics().height() + 4};
}

void ProgressPane::SetText(const QString& text) {
    if (position_ != 0) {
        saved_ = text;
        return;
    }
    if (text != text_) {
        text_ = text;
        update();
    }
}

void ProgressPane::SetProgressRange(int maximum) {
    maximum_ = std::max(maximum, 0);
}

void ProgressPane::SetProgressPos(int position) {
    position = std::clamp(position, 0, maximum_);
    if (position == position_)
        return;
    if (position_ == 0) {
        saved_ = text_;
        text_.clear();
    }
    position_ = position;
    if (position == 0) {
        text_ = saved_;
        paintedFill_ = paintedPercent_ = -1;
        update();
        return;
    }
    // Thousands of steps go by during a compile: repaint only when the picture changes.
    const int fill = FilledWidth();
    const int percent = static_cast<int>(std::int64_t{position_} * 100 / maximum_);
    if (fill != paintedFill_ || percent != paintedPercent_) {
        paintedFill_ = fill;
        paintedPercent_ = percent;
        update();
    }
}

QString ProgressPane::PercentText() const {
    if (position_ == 0)
        return {};
    return QStringLiteral("%1%").arg(std::int64_t{position_} * 100 / maximum_);
}

int ProgressPane::FilledWidth() const {
    const QRect bar = rect().adjusted(1, 1, -1, -1);
    return static_cast<int>(std::int64_t{bar.width()} * position_ / std::max(maximum_, 1));
}

void ProgressPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (position_ == 0) {
        const QRect area = rect().adjusted(3, 0, -3, 0);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(text_, Qt::ElideRight, area.width()));
        return;
    }
    PaintProgress(painter);
}

void ProgressPane::PaintProgress(QPainter& painter) {
    const QRect bar = rect().adjusted(1, 1, -1, -1);
    const QRect filled(bar.left(), bar.top(), FilledWidth(), bar.height());
    const QRect unfilled(filled.right() + 1, bar.top(), bar.width() - filled.width(), bar.height());
    const QString percent = PercentText();
    const QColor buttonText = palette().color(QPalette::ButtonText);
    const QColor inverse(255 - buttonText.red(), 255 - buttonText.green(), 255 - buttonText.blue());
    const auto part = [&](const QRect& clip, const QColor& background, const QColor& ink) {
        painter.save();
        painter.setClipRect(clip);
        painter.fillRect(clip, background);
        painter.setPen(ink);
        painter.drawText(bar, Qt::AlignHCenter | Qt::AlignBottom, percent);
        painter.restore();
    };
    // Both parts draw the whole text, each clipped to itself, so the text changes colour where
    // the bar ends.
    part(unfilled, palette().color(QPalette::Button), buttonText);
    part(filled, kFilled, inverse);
}

} // namespace vek
