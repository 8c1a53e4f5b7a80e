// One copy of the game at a time: a later copy finds the lock taken, asks the running copy through its
// socket to show its window, and leaves; what a crashed copy leaves behind, peers that are not copies of
// the game and a deep runtime folder do not break that. The later copy runs on a thread of its own, as
// it would in its own process, while this one's event loop serves it.
#include "platform/qt/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

TEST(SingleInstance, WhatACrashedCopyLeftDoesNotStopTheNextStart) {
    const QString key = Key("crashed");
    const QString socket = SingleInstance(key).SocketPath();
    // A socket bound by a copy that was killed: the file stays, no one listens.
    const sockaddr_un address = AddressOf(socket);
    const int dead = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    ASSERT_EQ(::bind(dead, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(dead);

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
