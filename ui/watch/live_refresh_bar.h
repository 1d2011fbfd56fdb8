#pragma once

#include "ui/commands/command_ids.h"
#include "ui/watch/live_refresh_settings.h"

#include <QToolBar>

#include <optional>

class QComboBox;

namespace vek {

class CommandRouter;
class ProfileFile;

// The scope that a command of the Live Refresh Of menu chooses; none for other commands.
std::optional<RefreshScope> ScopeOfCommand(CommandId id);

// The live refresh toolbar: the Live Refresh toggle and the interval between two rounds. It keeps
// the settings every window's refresh follows (the interval, and the scope that the Register
// menu's Live Refresh Of chooses), in the profile's section "LiveRefresh".
class LiveRefreshBar : public QToolBar {
    Q_OBJECT

public:
    LiveRefreshBar(CommandRouter& router, QWidget* parent);

    const LiveRefreshSettings& Settings() const { return settings_; }
    void SetScope(RefreshScope scope) { settings_.scope = scope; }
    // Takes the box's choice nearest to `ms`.
    void SetInterval(int ms);
    QComboBox& IntervalBox() const { return *interval_; }

    // A damaged or missing value leaves its setting as it was.
    void Load(const ProfileFile& profile);
    void Save(ProfileFile& profile) const;

private:
    LiveRefreshSettings settings_;
    QComboBox* interval_;
};

} // namespace vek
