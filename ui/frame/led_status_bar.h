#pragma once

#include "ui/frame/led_indicator.h"

#include <QStatusBar>

#include <array>

class QLabel;

namespace vek {

class LedPane;
class ProgressPane;

// The main frame's status bar: pane 0 for messages, menu prompts and the progress bar; pane 1
// the access type of the current tree row; pane 2 the radix; pane 3 the current row; then the
// LED. The register tree view writes panes 0 to 3.
class CLedStatusBar : public QStatusBar {
    Q_OBJECT

public:
    static constexpr int kPaneCount = 4; // the text panes, LED not counted
    static constexpr int kModePaneWidth = 55;

    CLedStatusBar(LedIndicator::Clock clock, QWidget* parent);

    void SetLedState(LedState state);
    LedState GetLedState() const;
    LedPane& Led() { return *led_; }

    void SetProgressRange(int maximum);
    void SetProgressPos(int position);
    void OffsetProgressPos(int delta);
    ProgressPane& Progress() { return *progress_; }

    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // The live refresh's rate beside the panes; hidden while empty.
    void SetRefreshText(const QString& text);
    QString RefreshText() const;

private:
    ProgressPane* progress_;
    std::array<QLabel*, kPaneCount - 1> indicators_{};
    QLabel* refresh_;
    LedPane* led_;
};

} // namespace vek
