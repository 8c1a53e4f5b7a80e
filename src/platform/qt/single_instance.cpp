#include "platform/qt/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int kConnectAttempts = 20;  // the first copy may still be starting: up to 2 s in all
constexpr int kConnectWaitMs = 100;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

}  // namespace

SingleInstance::SingleInstance(const QString& key) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString name =
        QStringLiteral("mirovane-") +
        QString::fromLatin1(
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    lockPath_ = QDir(folder).filePath(name + QStringLiteral(".lock"));
    socketPath_ = QDir(folder).filePath(name + QStringLiteral(".socket"));
}

bool SingleInstance::Acquire() {
    lock_ = std::make_unique<QLockFile>(lockPath_);
    // Age alone never makes a lock stale: a game may run for days. A lock whose process is gone is
    // recovered by tryLock itself.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        QLocalServer::removeServer(socketPath_);  // a crashed copy's socket file
        server_.setSocketOptions(QLocalServer::UserAccessOption);
        QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
            while (QLocalSocket* peer = server_.nextPendingConnection()) {
                QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
                QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
                    if (peer->readAll().contains(kRaiseRequest)) RaiseWindow();
                });
            }
        });
        (void)server_.listen(socketPath_);  // without it a later copy only finds the lock
        return true;
    }
    if (lock_->error() != QLockFile::LockFailedError) return true;  // no runtime folder: play anyway

    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath_);
        if (socket.waitForConnected(kConnectWaitMs)) {
            socket.write(kRaiseRequest);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return false;
        }
        QThread::msleep(kConnectWaitMs);
    }
    return false;  // the running copy holds the lock but does not answer; still one copy at a time
}

void SingleInstance::SetWindow(QWidget* window) {
    window_ = window;
}

void SingleInstance::RaiseWindow() {
    if (window_.isNull()) return;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}
