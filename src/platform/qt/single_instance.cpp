#include "platform/qt/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <cerrno>
#include <iterator>

namespace {

constexpr int kConnectAttempts = 20;  // the first copy may still be starting: up to 2 s in all
constexpr int kConnectWaitMs = 100;
constexpr int kPeerPatienceMs = 2000;  // a later copy writes at once; a peer that does not is dropped
constexpr std::size_t kMostPeers = 8;  // connections read at once; the oldest goes for a newer one
constexpr qsizetype kLongestRequest = 64;
const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");

// The socket's address. sun_path holds 107 bytes and the terminating zero; a runtime folder deep
// enough to make the path longer is reached through a descriptor of the folder, as
// /proc/self/fd/N/name.
class SocketAddress {
  public:
    explicit SocketAddress(const QString& path) {
        if (Set(QFile::encodeName(path))) return;
        const QFileInfo file(path);
        folder_ =
            ::open(QFile::encodeName(file.absolutePath()).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (folder_ >= 0) {
            (void)Set("/proc/self/fd/" + QByteArray::number(folder_) + '/' +
                      QFile::encodeName(file.fileName()));
        }
    }
    ~SocketAddress() {
        if (folder_ >= 0) ::close(folder_);
    }
    SocketAddress(const SocketAddress&) = delete;
    SocketAddress& operator=(const SocketAddress&) = delete;

    bool Valid() const { return valid_; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&address_); }
    socklen_t Size() const { return sizeof address_; }

  private:
    bool Set(const QByteArray& path) {
        if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof address_.sun_path) return false;
        address_.sun_family = AF_UNIX;
        std::copy(path.begin(), path.end(), std::begin(address_.sun_path));
        valid_ = true;
        return true;
    }

    sockaddr_un address_{};
    int folder_ = -1;
    bool valid_ = false;
};

// Sends the raise request to the copy listening at `address`: true when a copy took the connection.
bool AskToRaise(const SocketAddress& address) {
    // Non-blocking: a full backlog fails this attempt instead of stalling the start.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    // A connect cut short by a signal counts as a failed attempt: the next one uses a new socket.
    const bool connected = ::connect(fd, address.Get(), address.Size()) == 0;
    qsizetype sent = 0;
    while (connected && sent < kRaiseRequest.size()) {
        const ssize_t n = ::send(fd, kRaiseRequest.constData() + sent,
                                 static_cast<std::size_t>(kRaiseRequest.size() - sent), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;  // the first copy went away meanwhile
        sent += n;
    }
    ::close(fd);
    return connected;
}

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

SingleInstance::~SingleInstance() {
    for (const std::unique_ptr<Peer>& peer : peers_) ClosePeer(*peer);
    if (listener_ >= 0) {
        listenerNotifier_.reset();
        ::close(listener_);
        ::unlink(QFile::encodeName(socketPath_).constData());  // while the lock is still held
    }
    // The lock file stays: removing it here would let a copy starting now lock a new file while this
    // one still runs.
    if (lock_ >= 0) ::close(lock_);
}

bool SingleInstance::Acquire() {
    lock_ = ::open(QFile::encodeName(lockPath_).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                   S_IRUSR | S_IWUSR);
    if (lock_ < 0) return true;  // no runtime folder: play anyway
    int locked = 0;
    do {
        locked = ::flock(lock_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        Listen();
        return true;
    }
    if (errno != EWOULDBLOCK) return true;  // a folder without locks: play anyway
    ::close(lock_);
    lock_ = -1;

    const SocketAddress address(socketPath_);
    for (int attempt = 0; address.Valid() && attempt < kConnectAttempts; ++attempt) {
        if (AskToRaise(address)) return false;
        QThread::msleep(kConnectWaitMs);
    }
    return false;  // the running copy holds the lock but does not answer; still one copy at a time
}

void SingleInstance::SetWindow(QWidget* window) {
    window_ = window;
}

void SingleInstance::Listen() {
    // Whatever socket file is there was left by a copy that crashed: the lock says none listens.
    const QByteArray path = QFile::encodeName(socketPath_);
    ::unlink(path.constData());
    const SocketAddress address(socketPath_);
    if (!address.Valid()) return;  // without a socket a later copy only finds the lock
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return;
    if (::bind(fd, address.Get(), address.Size()) != 0) {
        ::close(fd);
        return;
    }
    // The runtime folder is the user's alone already; the socket file is too.
    if (::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 ||
        ::listen(fd, static_cast<int>(kMostPeers)) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return;
    }
    listener_ = fd;
    listenerNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(listenerNotifier_.get(), &QSocketNotifier::activated, listenerNotifier_.get(),
                     [this] { AcceptPeers(); });
}

void SingleInstance::AcceptPeers() {
    // Peers read to their end are dropped here, outside their own notifiers' signals.
    std::erase_if(peers_, [](const std::unique_ptr<Peer>& peer) { return peer->fd < 0; });
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // none waits any more (or no descriptor is left: the next connection tries again)
        }
        if (peers_.size() >= kMostPeers) {
            ClosePeer(*peers_.front());
            peers_.erase(peers_.begin());
        }
        Peer& peer = *peers_.emplace_back(std::make_unique<Peer>());
        peer.fd = fd;
        peer.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        QObject::connect(peer.notifier.get(), &QSocketNotifier::activated, peer.notifier.get(),
                         [this, &peer] { ReadPeer(peer); });
        peer.deadline.setSingleShot(true);
        QObject::connect(&peer.deadline, &QTimer::timeout, &peer.deadline, [&peer] { ClosePeer(peer); });
        peer.deadline.start(kPeerPatienceMs);
    }
}

void SingleInstance::ReadPeer(Peer& peer) {
    char buffer[kLongestRequest];
    for (;;) {
        const ssize_t got = ::recv(peer.fd, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // the rest comes later
        if (got <= 0) break;                                               // the peer left
        peer.received.append(buffer, got);
        if (peer.received.contains(kRaiseRequest)) {
            RaiseWindow();
            break;
        }
        if (peer.received.size() > kLongestRequest) break;  // not a copy of the game
    }
    ClosePeer(peer);
}

void SingleInstance::ClosePeer(Peer& peer) {
    if (peer.fd < 0) return;
    peer.deadline.stop();
    peer.notifier->setEnabled(false);
    ::close(peer.fd);
    peer.fd = -1;
}

void SingleInstance::RaiseWindow() {
    if (window_.isNull()) return;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}
