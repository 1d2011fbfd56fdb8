#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <sys/types.h>
#include <unistd.h>

class QLocalServer;
class QLocalSocket;

namespace vek {

// One vek32 per user and profile. The first start listens on a local socket named after the
// profile's folder, in the user's private runtime folder; a later start hands its command-line
// files (possibly none) to it and ends. Both ends check that the other runs as the same user, and
// a hand-over counts only when the running instance confirms it: a start whose hand-over fails
// opens its own window.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The user's private folder for the socket: XDG_RUNTIME_DIR when it is a folder of the user's
    // own with mode 0700; otherwise tarvel-vek32-<uid> in the temporary folder, made with mode
    // 0700 and used only when it is, and is the user's own. Empty, with the reason in `error`,
    // when neither is.
    static QString RuntimeFolder(QString& error);
    // The socket's path for a profile folder, in RuntimeFolder; empty when there is none.
    static QString ServerPath(const QString& profileFolder, QString& error);

    // `peerUser` is the user the other end must run as: this process's own.
    explicit SingleInstance(const QString& profileFolder, QObject* parent = nullptr,
                            uid_t peerUser = getuid());

    // Hands the files to the running instance; false when none answers, the one there is another
    // user's, or it does not confirm.
    bool HandOver(const QStringList& paths) const;
    // Starts listening for later starts; false with the reason when the socket cannot be made.
    bool Listen(QString& error);

Q_SIGNALS:
    // A later start asked to be brought to the front and to open the files (possibly none).
    void Requested(const QStringList& paths);

private:
    void OnConnection();
    // Takes the request's lines as they come, into `paths`.
    void OnReadable(QLocalSocket* socket, QStringList& paths);
    bool PeerIsUs(const QLocalSocket& socket) const;

    // Before path_, which is made with it.
    QString pathError_;
    QString path_;
    uid_t peerUser_;
    QLocalServer* server_ = nullptr;
};

} // namespace vek
