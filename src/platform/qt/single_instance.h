// One running copy of the game per settings file, as on the handheld, where starting a program again
// brought the running copy to the front. Two copies would each write back the statistics they read at
// start-up, and one of them would lose its games.
//
// The first copy holds a lock file and listens on a local socket, both in the user's runtime folder
// and named after the settings file; a later copy finds the lock taken, asks the first copy through
// the socket to show its window, and leaves. A copy that crashed leaves a lock whose process is gone:
// the next start recovers it.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class SingleInstance {
  public:
    // `key` names the shared resource (the settings file's path).
    explicit SingleInstance(const QString& key);

    // True when this is the only copy (or when no lock can be had at all: playing goes first). False
    // when another copy runs; it has been asked to come to the front.
    bool Acquire();

    // The window to bring to the front when a later copy starts.
    void SetWindow(QWidget* window);

  private:
    void RaiseWindow();

    QString lockPath_;
    QString socketPath_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
    QPointer<QWidget> window_;
};
