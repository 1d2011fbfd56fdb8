#include "ui/watch/live_refresh_bar.h"

#include "model/run_limits.h"
#include "platform/profile_file.h"
#include "ui/commands/command_router.h"

#include <QComboBox>

#include <array>
#include <cstdlib>

namespace vek {

namespace {

constexpr const char* kSection = "LiveRefresh";
constexpr const char* kIntervalKey = "Interval";
constexpr const char* kScopeKey = "Scope";

struct IntervalChoice {
    int ms;
    const char* text;
};
constexpr std::array kIntervals = {
    IntervalChoice{100, "100 ms"}, IntervalChoice{200, "200 ms"}, IntervalChoice{500, "500 ms"},
    IntervalChoice{1000, "1 s"},   IntervalChoice{2000, "2 s"},   IntervalChoice{5000, "5 s"},
    IntervalChoice{10000, "10 s"},
};
static_assert(kIntervals.front().ms == kLiveRefreshMinInterval &&
              kIntervals.back().ms == kLiveRefreshMaxInterval);

} // namespace

std::optional<RefreshScope> ScopeOfCommand(CommandId id) {
    switch (id) {
    case CommandId::RefreshSelected:
        return RefreshScope::Selected;
    case CommandId::RefreshBookmarked:
        return RefreshScope::Bookmarked;
    case CommandId::RefreshVisible:
        return RefreshScope::Visible;
    default:
        return std::nullopt;
    }
}

LiveRefreshBar::LiveRefreshBar(CommandRouter& router, QWidget* parent)
    : QToolBar(QStringLiteral("Live refresh toolbar"), parent), interval_(new QComboBox(this)) {
    setObjectName(QStringLiteral("Live refresh toolbar"));
    addAction(router.Action(CommandId::LiveRefresh));
    interval_->setObjectName(QStringLiteral("RefreshInterval"));
    interval_->setToolTip(QStringLiteral("Time between two live refreshes"));
    interval_->setFocusPolicy(Qt::TabFocus);
    for (const IntervalChoice& choice : kIntervals)
        interval_->addItem(QString::fromLatin1(choice.text), choice.ms);
    addWidget(interval_);
    SetInterval(settings_.interval);
    connect(interval_, &QComboBox::activated, this,
            [this](int index) { settings_.interval = interval_->itemData(index).toInt(); });
}

void LiveRefreshBar::SetInterval(int ms) {
    int nearest = 0;
    for (int i = 1; i < static_cast<int>(kIntervals.size()); ++i) {
        if (std::abs(kIntervals[i].ms - ms) < std::abs(kIntervals[nearest].ms - ms))
            nearest = i;
    }
    interval_->setCurrentIndex(nearest);
    settings_.interval = kIntervals[nearest].ms;
}

void LiveRefreshBar::Load(const ProfileFile& profile) {
    const std::int64_t interval = profile.GetInt(kSection, kIntervalKey, settings_.interval);
    if (interval >= kLiveRefreshMinInterval && interval <= kLiveRefreshMaxInterval)
        SetInterval(static_cast<int>(interval));
    const std::int64_t scope =
        profile.GetInt(kSection, kScopeKey, static_cast<int>(settings_.scope));
    if (scope >= static_cast<int>(RefreshScope::Selected) &&
        scope <= static_cast<int>(RefreshScope::Visible))
        settings_.scope = static_cast<RefreshScope>(scope);
}

void LiveRefreshBar::Save(ProfileFile& profile) const {
    profile.SetString(kSection, kIntervalKey, std::to_string(settings_.interval));
    profile.SetString(kSection, kScopeKey, std::to_string(static_cast<int>(settings_.scope)));
}

} // namespace vek
