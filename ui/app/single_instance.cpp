#include "ui/app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <cstring>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>

namespace vek {

namespace {

constexpr int kTimeoutMilliseconds = 2000;
// The running instance's answer once it has taken the files.
constexpr char kConfirmation[] = "opened\n";
// A request is one line per file, its path percent-encoded (a file name may hold a line break),
// and an empty line. One longer than the command line the system passes to a program (2 MiB),
// three times over for the encoding, is none.
constexpr qint64 kLongestRequest = 3 * 2 * 1024 * 1024;

// Why a folder is not private to this user; empty when it is: a real folder (not a link), owned
// by the user, with no access for anyone else.
QString NotPrivate(const QString& folder) {
    struct stat status {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0)
        return folder + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(status.st_mode))
        return folder + QStringLiteral(": not a folder");
    if (status.st_uid != getuid())
        return folder + QStringLiteral(": owned by another user");
    if ((status.st_mode & 0777) != 0700)
        return folder + QStringLiteral(": not private (mode %1, not 700)")
                            .arg(status.st_mode & 0777, 3, 8, QLatin1Char('0'));
    return {};
}

} // namespace

QString SingleInstance::RuntimeFolder(QString& error) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && NotPrivate(runtime).isEmpty())
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/tarvel-vek32-%1").arg(getuid());
    // An existing one is taken only as checked below: mkdir never changes it.
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    error = NotPrivate(own);
    return error.isEmpty() ? own : QString();
}

QString SingleInstance::ServerPath(const QString& profileFolder, QString& error) {
    const QString folder = RuntimeFolder(error);
    if (folder.isEmpty())
        return {};
    const QByteArray hash =
        QCryptographicHash::hash(profileFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return folder + QStringLiteral("/tarvel-vek32-%1").arg(QString::fromLatin1(hash));
}

SingleInstance::SingleInstance(const QString& profileFolder, QObject* parent, uid_t peerUser)
    : QObject(parent), path_(ServerPath(profileFolder, pathError_)), peerUser_(peerUser) {}

bool SingleInstance::PeerIsUs(const QLocalSocket& socket) const {
    ucred peer{};
    socklen_t length = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &length) == 0 &&
           length == sizeof peer && peer.uid == peerUser_;
}

bool SingleInstance::HandOver(const QStringList& paths) const {
    if (path_.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(kTimeoutMilliseconds))
        return false;
    // Not a word to a listener of another user.
    if (!PeerIsUs(socket))
        return false;
    QByteArray request;
    for (const QString& path : paths)
        request += path.toUtf8().toPercentEncoding("/") + '\n';
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMilliseconds))
        return false;
    const qint64 confirmationLength = sizeof kConfirmation - 1;
    while (socket.bytesAvailable() < confirmationLength) {
        if (!socket.waitForReadyRead(kTimeoutMilliseconds))
            return false;
    }
    return socket.read(confirmationLength) == kConfirmation;
}

bool SingleInstance::Listen(QString& error) {
    if (path_.isEmpty()) {
        error = pathError_;
        return false;
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path_)) {
        // A socket left behind by an instance that ended without closing it, or one that did not
        // answer: the folder is the user's own, so nobody else's socket is removed.
        QLocalServer::removeServer(path_);
        if (!server_->listen(path_)) {
            error = server_->errorString();
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerIsUs(*socket)) {
            socket->abort();
            continue;
        }
        auto paths = std::make_shared<QStringList>();
        connect(socket, &QLocalSocket::readyRead, this,
                [this, socket, paths] { OnReadable(socket, *paths); });
        OnReadable(socket, *paths);
    }
}

void SingleInstance::OnReadable(QLocalSocket* socket, QStringList& paths) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine().chopped(1);
        if (!line.isEmpty()) {
            paths.append(QString::fromUtf8(QByteArray::fromPercentEncoding(line)));
            continue;
        }
        disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        socket->write(kConfirmation, sizeof kConfirmation - 1);
        socket->disconnectFromServer();
        Q_EMIT Requested(paths);
        return;
    }
    if (socket->bytesAvailable() > kLongestRequest)
        socket->abort();
}

} // namespace vek
