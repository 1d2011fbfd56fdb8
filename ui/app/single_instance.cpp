#include "ui/app/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace vek {

namespace {

constexpr int kTimeoutMilliseconds = 2000;

} // namespace

QString SingleInstance::ServerName(const QString& profileFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(profileFolder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("tarvel-vek32-%1-%2").arg(getuid()).arg(QString::fromLatin1(hash));
}

SingleInstance::SingleInstance(const QString& profileFolder, QObject* parent)
    : QObject(parent), name_(ServerName(profileFolder)) {}

bool SingleInstance::HandOver(const QString& path) const {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kTimeoutMilliseconds))
        return false;
    socket.write(path.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(kTimeoutMilliseconds))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kTimeoutMilliseconds);
    return true;
}

bool SingleInstance::Listen(QString& error) {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left behind by an instance that ended without closing it.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) {
            error = server_->errorString();
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    return true;
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
            const QString path =
                QString::fromUtf8(socket->readAll()).section(QLatin1Char('\n'), 0, 0);
            socket->deleteLater();
            Q_EMIT Requested(path);
        });
    }
}

} // namespace vek
