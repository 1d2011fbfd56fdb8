#include "ui/app/description_watch.h"

#include <QFileInfo>

namespace vek {

namespace {

// How long a file must stay as it is before its change counts: an editor's save takes a few
// events within milliseconds.
constexpr int kSettleMilliseconds = 300;

QString FolderOf(const QString& path) {
    return QFileInfo(path).path();
}

} // namespace

DescriptionWatch::DescriptionWatch(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &DescriptionWatch::OnSettled);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DescriptionWatch::OnEvent);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
            &DescriptionWatch::OnFolderEvent);
}

DescriptionWatch::Stamp DescriptionWatch::StampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.size(), info.lastModified()};
}

void DescriptionWatch::Watch(const QString& path) {
    taken_.insert(path, StampOf(path));
    watcher_.addPath(path);
    // A file renamed over this one is seen in its folder.
    watcher_.addPath(FolderOf(path));
}

void DescriptionWatch::Forget(const QString& path) {
    taken_.remove(path);
    stirred_.remove(path);
    watcher_.removePath(path);
    const QString folder = FolderOf(path);
    for (auto it = taken_.cbegin(); it != taken_.cend(); ++it) {
        if (FolderOf(it.key()) == folder)
            return;
    }
    watcher_.removePath(folder);
}

bool DescriptionWatch::HasChanged(const QString& path) const {
    const auto it = taken_.constFind(path);
    return it != taken_.cend() && !(*it == StampOf(path));
}

void DescriptionWatch::Take(const QString& path) {
    if (taken_.contains(path))
        taken_.insert(path, StampOf(path));
}

void DescriptionWatch::OnEvent(const QString& path) {
    if (!taken_.contains(path))
        return;
    // A file replaced by a rename is a new file: the watch on the old one is gone.
    if (!watcher_.files().contains(path) && QFileInfo::exists(path))
        watcher_.addPath(path);
    stirred_.insert(path);
    settle_.start();
}

void DescriptionWatch::OnFolderEvent(const QString& folder) {
    // Other files of the folder change too; only a change of a watched one counts.
    for (auto it = taken_.cbegin(); it != taken_.cend(); ++it) {
        if (FolderOf(it.key()) == folder && HasChanged(it.key()))
            OnEvent(it.key());
    }
}

void DescriptionWatch::OnSettled() {
    const QSet<QString> stirred = std::exchange(stirred_, {});
    for (const QString& path : stirred) {
        if (HasChanged(path))
            Q_EMIT Changed(path);
    }
}

} // namespace vek
