// One copy of the game at a time: a later copy finds the lock taken, asks the running copy through its
// socket to show its window, and leaves; what a crashed copy leaves behind, peers that are not copies of
// the game and a deep runtime folder do not break that. The later copy runs on a thread of its own, as
// it would in its own process, while this one's event loop serves it.
#include "platform/qt/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <future>
#include <iterator>
#include <vector>

namespace {

// Runs the event loop until `done` holds or ten seconds pass.
template <typename Done>
bool Within(Done done) {
    const QDeadlineTimer deadline(10000);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

QString Key(const char* name) {
    return QStringLiteral("single-instance-test/%1/%2").arg(QString::fromLatin1(name)).arg(::getpid());
}

// Starts a later copy and serves it: true when it left and `window` came to the front.
bool LaterCopyRaises(const QString& key, QWidget& window) {
    window.hide();
    std::future<bool> later = std::async(std::launch::async, [key] { return SingleInstance(key).Acquire(); });
    const bool left =
        Within([&] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    return left && !later.get() && Within([&] { return window.isVisible(); });
}

sockaddr_un AddressOf(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = QFile::encodeName(path);
    std::copy(bytes.begin(), bytes.end(), std::begin(address.sun_path));
    return address;
}

// A connection that a copy accepts and that never writes: its descriptor, or -1.
int SilentPeer(const QString& path) {
    const sockaddr_un address = AddressOf(path);
    int fd = -1;
    Within([&] {
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
        ::close(fd);  // the backlog is full until the event loop accepts
        fd = -1;
        return false;
    });
    return fd;
}

// The copy closed the connection: an end of file, or a reset when it left bytes unread.
bool Dropped(int fd) {
    char byte = 0;
    const ssize_t got = ::recv(fd, &byte, 1, 0);
    return got == 0 || (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
}

TEST(SingleInstance, ALaterCopyRaisesTheFirstThroughASocketOfTheUsersOwn) {
    const QString key = Key("raise");
    QWidget window;
    QString socket;
    {
        SingleInstance first(key);
        ASSERT_TRUE(first.Acquire());
        first.SetWindow(&window);
        socket = first.SocketPath();
        struct stat file {};
        ASSERT_EQ(::stat(QFile::encodeName(socket).constData(), &file), 0);
        EXPECT_TRUE(S_ISSOCK(file.st_mode));
        EXPECT_EQ(file.st_mode & 0077, 0u) << "no one else may ask the game for anything";
        EXPECT_TRUE(LaterCopyRaises(key, window));
        EXPECT_TRUE(LaterCopyRaises(key, window)) << "and again";
    }
    EXPECT_FALSE(QFile::exists(socket)) << "a copy that ends takes its socket file away";
    SingleInstance next(key);
    EXPECT_TRUE(next.Acquire());
}

TEST(SingleInstance, ALockHeldElsewhereKeepsOneCopyAndWhatACrashedCopyLeftDoesNotStopTheNextStart) {
    const QString key = Key("crashed");
    const QString socket = SingleInstance(key).SocketPath();
    QString lock = socket;
    lock.replace(QStringLiteral(".socket"), QStringLiteral(".lock"));

    // Another process holds the lock and never answers: still one copy at a time.
    const QByteArray lockFile = QFile::encodeName(lock);
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {  // only system calls in the child of a threaded process; it dies with the test
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int fd = ::open(lockFile.constData(), O_RDWR | O_CREAT, 0600);
        if (fd >= 0 && ::flock(fd, LOCK_EX) == 0 && ::write(locked[1], "x", 1) == 1) ::pause();
        ::_exit(1);
    }
    char byte = 0;
    ASSERT_EQ(::read(locked[0], &byte, 1), 1);
    EXPECT_FALSE(SingleInstance(key).Acquire());

    // It is killed: its lock file stays, and a socket it had bound with no one listening.
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    ::close(locked[0]);
    ::close(locked[1]);
    const sockaddr_un address = AddressOf(socket);
    const int dead = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(dead);
    ASSERT_TRUE(QFile::exists(lock));

    QWidget window;
    SingleInstance first(key);
    ASSERT_TRUE(first.Acquire());
    first.SetWindow(&window);
    EXPECT_TRUE(LaterCopyRaises(key, window));
}

TEST(SingleInstance, PeersThatNeverWriteOrSendOtherThingsAreDroppedWhileCopiesStillGetThrough) {
    const QString key = Key("silent");
    QWidget window;
    SingleInstance first(key);
    ASSERT_TRUE(first.Acquire());
    first.SetWindow(&window);

    std::vector<int> silent;
    for (int i = 0; i < 12; ++i) silent.push_back(SilentPeer(first.SocketPath()));
    ASSERT_TRUE(std::ranges::none_of(silent, [](int fd) { return fd < 0; }));
    const int chatty = SilentPeer(first.SocketPath());
    const QByteArray noise(200, 'x');
    ASSERT_EQ(::send(chatty, noise.constData(), static_cast<std::size_t>(noise.size()), MSG_NOSIGNAL),
              noise.size());

    EXPECT_TRUE(LaterCopyRaises(key, window));
    EXPECT_TRUE(Within([&] { return Dropped(chatty); })) << "a peer sending something else";
    EXPECT_TRUE(Within([&] { return std::ranges::all_of(silent, Dropped); })) << "peers that never write";
    EXPECT_FALSE(window.isHidden());
    for (int fd : silent) ::close(fd);
    ::close(chatty);
}

TEST(SingleInstance, ARuntimeFolderTooDeepForASocketAddressStillWorks) {
    const QByteArray kept = qgetenv("XDG_RUNTIME_DIR");
    const QString deep =
        QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
            .filePath(QString(60, QLatin1Char('d')) + QStringLiteral("/") + QString(60, QLatin1Char('e')));
    ASSERT_TRUE(QDir().mkpath(deep));
    ASSERT_TRUE(QFile::setPermissions(deep, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(deep));
    {
        const QString key = Key("deep");
        QWidget window;
        SingleInstance first(key);
        ASSERT_TRUE(first.Acquire());
        first.SetWindow(&window);
        ASSERT_GE(QFile::encodeName(first.SocketPath()).size(), 108);
        EXPECT_TRUE(QFile::exists(first.SocketPath()));
        EXPECT_TRUE(LaterCopyRaises(key, window));
    }
    qputenv("XDG_RUNTIME_DIR", kept);
}

}  // namespace
