// One running copy of the game per settings file, as on the handheld, where starting a program again
// brought the running copy to the front. Two copies would each write back the statistics they read at
// start-up, and one of them would lose its games.
//
// The first copy locks a file and listens on a Unix-domain socket, both in the user's runtime folder
// and named after the settings file; a later copy finds the lock taken, sends "raise" through the
// socket to show the first copy's window, and leaves. The lock is the system's own lock on the open
// file (flock), which goes with its process however that ends: a copy that crashed leaves no lock, only
// its socket file, which the next copy removes. Nothing is written or synced to take the lock, and the
// socket is a plain POSIX one watched by the event loop, so a start loads no networking library.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class SingleInstance {
  public:
    // `key` names the shared resource (the settings file's path).
    explicit SingleInstance(const QString& key);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this is the only copy (or when no lock can be had at all: playing goes first). False
    // when another copy runs; it has been asked to come to the front.
    bool Acquire();

    // The window to bring to the front when a later copy starts.
    void SetWindow(QWidget* window);

    const QString& SocketPath() const { return socketPath_; }

  private:
    // A later copy connected to the socket: its request is read as it comes, without blocking the game.
    struct Peer {
        int fd = -1;
        std::unique_ptr<QSocketNotifier> notifier;
        QTimer deadline;  // a peer that never writes is dropped
        QByteArray received;
    };

    void Listen();
    void AcceptPeers();
    void ReadPeer(Peer& peer);
    static void ClosePeer(Peer& peer);
    void RaiseWindow();

    QString lockPath_;
    QString socketPath_;
    int lock_ = -1;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> listenerNotifier_;
    std::vector<std::unique_ptr<Peer>> peers_;
    QPointer<QWidget> window_;
};
