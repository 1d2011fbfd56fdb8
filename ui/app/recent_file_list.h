#pragma once

#include <QStringList>

namespace vek {

class ProfileFile;

// The File menu's recent files: the last four descriptions opened, the latest first, kept in
// the profile's section "Recent File List" under "File1" to "File4".
class RecentFileList {
public:
    static constexpr int kSize = 4;

    // Puts a path at the top; a path already listed moves there.
    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Files() const { return files_; }

    void Load(const ProfileFile& profile);
    void Save(ProfileFile& profile) const;

private:
    QStringList files_;
};

} // namespace vek
