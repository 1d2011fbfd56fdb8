#pragma once

#include "platform/profile_file.h"
#include "ui/app/recent_file_list.h"

#include <QString>

namespace vek {

// The application profile: vek32.ini in the user's configuration folder for Tarvel, with the
// recent files and the find history.
class AppProfile {
public:
    // $XDG_CONFIG_HOME/tarvel, else $HOME/.config/tarvel.
    static QString DefaultFolder();

    explicit AppProfile(const QString& folder);

    const QString& Folder() const { return folder_; }
    ProfileFile& File() { return file_; }
    RecentFileList& RecentFiles() { return recent_; }

    // Writes the recent files and the rest of the profile; a profile that cannot be written is
    // reported on standard error and the program goes on without it.
    void Save();

private:
    QString folder_;
    ProfileFile file_;
    RecentFileList recent_;
};

} // namespace vek
