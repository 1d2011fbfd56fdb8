#include "ui/plot/plot_view.h"

#include "ui/plot/plot_traces.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vek {

namespace {

constexpr int kLeftMargin = 70;
constexpr int kBottomMargin = 22;
constexpr int kMargin = 8;
constexpr int kGridLines = 5;
constexpr double kMinSpan = 0.1;             // seconds
constexpr double kMaxSpan = 7 * 24 * 3600.0; // a week
constexpr double kZoomStep = 1.25;
constexpr int kTimeLabelWidth = 80;
constexpr int kSwatch = 14;    // the colour's room before a legend entry's text
constexpr int kLegendGap = 16; // between two legend entries

// A step of 1, 2 or 5 times a power of ten that divides `range` into about `parts`.
double NiceStep(double range, int parts) {
    const double raw = range / parts;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10.0 * power;
}

QString ValueLabel(double value) {
    return QString::number(static_cast<qlonglong>(std::llround(value)));
}

} // namespace

PlotView::PlotView(const PlotTraces& traces, QWidget* parent) : QWidget(parent), traces_(traces) {
    setObjectName(QStringLiteral("PlotView"));
    setMinimumSize(240, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor PlotView::TraceColour(std::size_t index) {
    static const std::array<QColor, 8> kColours = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
        QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf),
    };
    const QColor colour = kColours[index % kColours.size()];
    return index < kColours.size() ? colour : colour.darker(150);
}

void PlotView::SetFollowing(bool following) {
    if (following_ == following)
        return;
    if (!following)
        end_ = RightEdge();
    following_ = following;
    update();
}

void PlotView::Fit() {
    if (const auto span = traces_.TimeSpan()) {
        span_ = std::clamp(span->second - span->first, kMinSpan, kMaxSpan);
        end_ = span->first + span_;
    }
    following_ = false;
    update();
}

double PlotView::RightEdge() const {
    if (!following_)
        return end_;
    const auto span = traces_.TimeSpan();
    return span ? std::max(span->second, span_) : span_;
}

QRect PlotView::PlotArea() const {
    const std::vector<QRect> legend = LegendPlaces();
    const int top = legend.empty() ? kMargin : legend.back().bottom() + kMargin;
    return rect().adjusted(kLeftMargin, top, -kMargin, -kBottomMargin);
}

double PlotView::TimeAt(int x) const {
    const QRect area = PlotArea();
    return RightEdge() - span_ + span_ * (x - area.left()) / std::max(1, area.width());
}

PlotView::Scale PlotView::ScaleOf(const QRect& area) const {
    Scale scale{area, RightEdge() - span_, RightEdge(), std::numeric_limits<double>::max(),
                std::numeric_limits<double>::lowest()};
    // The value range of the points in view; the point before the view holds its value into it.
    for (std::size_t t = 0; t < traces_.Count(); ++t) {
        const PlotTrace& trace = traces_.At(t);
        std::size_t i = trace.LowerBound(scale.t0);
        for (i = i > 0 ? i - 1 : i; i < trace.Size() && trace[i].time <= scale.t1; ++i) {
            scale.low = std::min(scale.low, static_cast<double>(trace[i].value));
            scale.high = std::max(scale.high, static_cast<double>(trace[i].value));
        }
    }
    if (scale.low > scale.high) {
        scale.low = 0.0;
        scale.high = 1.0;
    }
    // A margin, and room around a value that stays the same.
    const double pad = scale.high > scale.low ? (scale.high - scale.low) * 0.05 : 1.0;
    scale.low -= pad;
    scale.high += pad;
    return scale;
}

void PlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const Scale scale = ScaleOf(PlotArea());
    painter.fillRect(scale.area, Qt::white);
    DrawGrid(painter, scale);
    painter.setClipRect(scale.area);
    const auto newest = traces_.TimeSpan();
    for (std::size_t t = 0; t < traces_.Count(); ++t) {
        painter.setPen(QPen(TraceColour(t), 1.5));
        painter.drawPath(TracePath(traces_.At(t), scale, newest ? newest->second : 0.0));
    }
    painter.setClipping(false);
    // The legend above the area: each trace's colour, name and newest value.
    const QFontMetrics metrics(font());
    const std::vector<QRect> places = LegendPlaces();
    for (std::size_t t = 0; t < traces_.Count(); ++t) {
        const QRect& place = places[t];
        painter.fillRect(place.left(), place.top() + metrics.height() / 2 - 1, 10, 3,
                         TraceColour(t));
        painter.setPen(palette().windowText().color());
        painter.drawText(place.adjusted(kSwatch, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         LegendText(t));
    }
}

void PlotView::DrawGrid(QPainter& painter, const Scale& scale) const {
    const QRect& area = scale.area;
    const QColor line(0xdd, 0xdd, 0xdd);
    const QColor text = palette().windowText().color();
    const double valueStep = NiceStep(scale.high - scale.low, kGridLines);
    const double timeStep = NiceStep(span_, kGridLines + 1);
    const QFontMetrics metrics(font());
    for (double v = std::ceil(scale.low / valueStep) * valueStep; v <= scale.high; v += valueStep) {
        const int py = static_cast<int>(scale.Y(v));
        painter.setPen(line);
        painter.drawLine(area.left(), py, area.right(), py);
        painter.setPen(text);
        painter.drawText(QRect(0, py - metrics.height() / 2, kLeftMargin - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, ValueLabel(v));
    }
    for (double s = std::ceil(scale.t0 / timeStep) * timeStep; s <= scale.t1; s += timeStep) {
        const int px = static_cast<int>(scale.X(s));
        painter.setPen(line);
        painter.drawLine(px, area.top(), px, area.bottom());
        painter.setPen(text);
        // A label at the right edge stays whole.
        const int left = std::min(px - kTimeLabelWidth / 2, width() - kTimeLabelWidth);
        painter.drawText(QRect(left, area.bottom() + 2, kTimeLabelWidth, kBottomMargin - 2),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("%1 s").arg(s, 0, 'f', timeStep < 1.0 ? 1 : 0));
    }
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

QPainterPath PlotView::TracePath(const PlotTrace& trace, const Scale& scale, double newest) {
    QPainterPath path;
    std::size_t first = trace.LowerBound(scale.t0);
    first = first > 0 ? first - 1 : first;
    const std::size_t last = std::min(trace.Size(), trace.LowerBound(scale.t1) + 1);
    if (first >= last)
        return path;
    const auto y = [&scale](std::int64_t value) { return scale.Y(static_cast<double>(value)); };
    if (last - first <= static_cast<std::size_t>(2 * scale.area.width())) {
        // Steps: a value holds until the next read.
        path.moveTo(scale.X(trace[first].time), y(trace[first].value));
        for (std::size_t i = first + 1; i < last; ++i) {
            const double px = scale.X(trace[i].time);
            path.lineTo(px, y(trace[i - 1].value));
            path.lineTo(px, y(trace[i].value));
        }
        // The last value holds to the newest time of the plot.
        if (newest > trace[last - 1].time)
            path.lineTo(scale.X(std::min(newest, scale.t1)), y(trace[last - 1].value));
        return path;
    }
    // More points than pixels: each pixel column from its lowest to its highest value.
    for (std::size_t i = first; i < last;) {
        const int column = static_cast<int>(scale.X(trace[i].time));
        const std::int64_t entry = trace[i].value;
        std::int64_t lo = entry;
        std::int64_t hi = entry;
        std::int64_t exit = entry;
        for (; i < last && static_cast<int>(scale.X(trace[i].time)) == column; ++i) {
            lo = std::min(lo, trace[i].value);
            hi = std::max(hi, trace[i].value);
            exit = trace[i].value;
        }
        if (path.elementCount() == 0)
            path.moveTo(column, y(entry));
        else
            path.lineTo(column, y(entry));
        path.moveTo(column, y(lo));
        path.lineTo(column, y(hi));
        path.moveTo(column, y(exit));
    }
    return path;
}

QString PlotView::LegendText(std::size_t index) const {
    const PlotTrace& trace = traces_.At(index);
    QString text = QString::fromStdString(trace.Name());
    if (trace.Size() > 0)
        text += QStringLiteral(" = %1").arg(trace[trace.Size() - 1].value);
    return text;
}

std::vector<QRect> PlotView::LegendPlaces() const {
    const QFontMetrics metrics(font());
    std::vector<QRect> places;
    int x = kLeftMargin;
    int y = kMargin;
    for (std::size_t t = 0; t < traces_.Count(); ++t) {
        const int width = kSwatch + metrics.horizontalAdvance(LegendText(t)) + kLegendGap;
        if (x > kLeftMargin && x + width > this->width() - kMargin) {
            x = kLeftMargin;
            y += metrics.height();
        }
        places.emplace_back(x, y, width, metrics.height());
        x += width;
    }
    return places;
}

void PlotView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0)
        return;
    const double factor = std::pow(kZoomStep, -steps);
    const double newSpan = std::clamp(span_ * factor, kMinSpan, kMaxSpan);
    if (!following_) {
        // The time under the mouse stays where it is.
        const double at = TimeAt(static_cast<int>(event->position().x()));
        const double right = RightEdge();
        end_ = at + (right - at) * newSpan / span_;
    }
    span_ = newSpan;
    event->accept();
    update();
}

void PlotView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragX_ = static_cast<int>(event->position().x());
}

void PlotView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const int px = static_cast<int>(event->position().x());
    if (px == dragX_)
        return;
    if (following_) {
        SetFollowing(false);
        Q_EMIT Paused();
    }
    end_ -= span_ * (px - dragX_) / std::max(1, PlotArea().width());
    dragX_ = px;
    update();
}

} // namespace vek
