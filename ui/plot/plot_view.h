#pragma once

#include <QPainterPath>
#include <QWidget>

#include <vector>

namespace vek {

class PlotTrace;
class PlotTraces;

// The traces drawn against time: a value holds until the next read, so each trace is a line of
// steps. While it follows, the right edge is the newest point; the wheel zooms the time axis
// (around the mouse once paused), dragging moves along it and pauses, Fit shows every point.
// The value axis fits the points in view; the legend stands above it. A trace with more points in
// view than pixels is drawn from each pixel column's lowest and highest value, so that a long trace
// costs its width.
class PlotView : public QWidget {
    Q_OBJECT

public:
    static constexpr double kDefaultSpan = 30.0; // seconds in view at first

    explicit PlotView(const PlotTraces& traces, QWidget* parent = nullptr);

    // The colour of trace i, as the legend shows it.
    static QColor TraceColour(std::size_t index);

    bool Following() const { return following_; }
    // Off: the view stands where it is while points come in; on: it follows the newest.
    void SetFollowing(bool following);
    // Shows every point, paused.
    void Fit();
    double Span() const { return span_; }
    double RightEdge() const;

Q_SIGNALS:
    // The view stopped following by itself (the user dragged or zoomed back in time).
    void Paused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Where times and values fall in the area.
    struct Scale {
        QRect area;
        double t0, t1;    // the times at the left and right edges
        double low, high; // the values at the bottom and top
        double X(double time) const { return area.left() + (time - t0) / (t1 - t0) * area.width(); }
        double Y(double value) const {
            return area.bottom() - (value - low) / (high - low) * area.height();
        }
    };

    QRect PlotArea() const;
    Scale ScaleOf(const QRect& area) const;
    void DrawGrid(QPainter& painter, const Scale& scale) const;
    // The trace's line of steps within the scale; `newest` is the plot's newest time.
    static QPainterPath TracePath(const PlotTrace& trace, const Scale& scale, double newest);
    // The legend's entries in rows above the area, as wide as the view allows.
    std::vector<QRect> LegendPlaces() const;
    QString LegendText(std::size_t index) const;
    double TimeAt(int x) const;

    const PlotTraces& traces_;
    double span_ = kDefaultSpan;
    double end_ = 0.0; // the right edge's time while paused
    bool following_ = true;
    int dragX_ = 0;
};

} // namespace vek
