#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace vek {

// One vek32 per user and profile. The first start listens on a local socket named after the
// profile's folder; a later start hands its command-line file (possibly none) to it and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket name for a profile folder: one per user and folder.
    static QString ServerName(const QString& profileFolder);

    explicit SingleInstance(const QString& profileFolder, QObject* parent = nullptr);

    // Hands `path` to the running instance; false when none answers.
    bool HandOver(const QString& path) const;
    // Starts listening for later starts; false with the reason when the socket cannot be made.
    bool Listen(QString& error);

Q_SIGNALS:
    // A later start asked to be brought to the front and to open `path` (empty: nothing to open).
    void Requested(const QString& path);

private:
    void OnConnection();

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace vek
