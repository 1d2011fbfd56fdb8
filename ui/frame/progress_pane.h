#pragma once

#include <QString>
#include <QWidget>

namespace vek {

// Pane 0 of the status bar: the message text, or in progress mode a bar with its percentage.
// While progress mode is on, text sent to the pane is kept aside and shown when it ends.
class ProgressPane : public QWidget {
    Q_OBJECT

public:
    static const QColor kFilled;

    explicit ProgressPane(QWidget* parent);

    void SetText(const QString& text);
    // The text shown, or in progress mode the text that comes back when it ends.
    QString Text() const { return position_ == 0 ? text_ : saved_; }

    void SetProgressRange(int maximum);
    void SetProgressPos(int position);
    void OffsetProgressPos(int delta) { SetProgressPos(position_ + delta); }
    int Position() const { return position_; }
    int Maximum() const { return maximum_; }
    // "<n>%" in progress mode, empty otherwise.
    QString PercentText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int FilledWidth() const;
    void PaintProgress(class QPainter& painter);

    QString text_;
    QString saved_;
    int maximum_ = 100;
    int position_ = 0;
    int paintedFill_ = -1; // what the bar showed when last asked to repaint
    int paintedPercent_ = -1;
};

} // namespace vek
