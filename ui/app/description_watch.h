#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>

namespace vek {

// Watches the open descriptions on disk and says when one has changed, once for a burst of
// changes: an editor's save is several events (a write in place, or a new file renamed over the
// old one, after which the file itself must be watched again). A change is a file whose size or
// time of modification differs from what was last taken (Take), so events that change nothing
// (a touch of the folder, another file in it) say nothing.
class DescriptionWatch : public QObject {
    Q_OBJECT

public:
    explicit DescriptionWatch(QObject* parent = nullptr);

    // Starts watching a file as it is now.
    void Watch(const QString& path);
    void Forget(const QString& path);
    // Whether the file differs from what was last taken.
    bool HasChanged(const QString& path) const;
    // Takes the file as it is now: no change until it changes again.
    void Take(const QString& path);

Q_SIGNALS:
    // The file changed, and nothing has happened to it for a moment.
    void Changed(const QString& path);

private:
    struct Stamp {
        qint64 size = -1; // -1: no such file
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp StampOf(const QString& path);
    void OnEvent(const QString& path);
    void OnFolderEvent(const QString& folder);
    void OnSettled();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QHash<QString, Stamp> taken_;
    QSet<QString> stirred_;
};

} // namespace vek
