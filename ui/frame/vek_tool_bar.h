#pragma once

#include "ui/frame/auto_repeat.h"

#include <QTimer>
#include <QToolBar>

#include <functional>
#include <span>

class QComboBox;
class QToolButton;

namespace vek {

class CommandRouter;
class ProfileFile;
struct ToolBarSlot;

// A toolbar built from a slot table with the router's actions. The main toolbar also holds the
// find box (in its slot) and repeats Increase value and Decrease value while their buttons are
// held.
class CVekToolBar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int kFindBoxWidth = 140;
    static constexpr int kFindHistorySize = 20;

    CVekToolBar(const QString& title, std::span<const ToolBarSlot> slotTable, CommandRouter& router,
                QWidget* parent);

    // Null on a toolbar without a find box.
    QComboBox* FindBox() const { return findBox_; }
    // The find history: the profile's section "Find", keys "Find1" to "Find20". The stored
    // order is the reverse of the shown order; loading inserts each at the top.
    void LoadFindHistory(const ProfileFile& profile);
    void SaveFindHistory(ProfileFile& profile) const;

    // Whether a child window is active; the auto-repeat runs only then.
    void SetChildActiveQuery(std::function<bool()> query) { childActive_ = std::move(query); }
    const AutoRepeat& Repeat() const { return repeat_; }
    int RepeatInterval() const { return timer_.isActive() ? timer_.interval() : -1; }
    QToolButton* ButtonFor(CommandId id) const;

Q_SIGNALS:
    void FindBoxFocusChanged(bool focused);
    void FindBoxEnter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddFindBox();
    void WatchRepeatButton(CommandId id);
    void Apply(const AutoRepeat::Step& step);
    void OnTimer();

    CommandRouter& router_;
    QComboBox* findBox_ = nullptr;
    AutoRepeat repeat_;
    QTimer timer_;
    bool rightDown_ = false;
    std::function<bool()> childActive_;
};

} // namespace vek
