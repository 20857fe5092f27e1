#pragma once

#include <QString>

namespace briqo {

// One writer at a time in a games folder, across processes: every commit of a game's files, every
// recovery of a cut-off commit and every deletion holds this lock while it works, and only then,
// so that one process never finishes or removes the files another is still staging.
//
// The lock is the system's lock on one file in the games folder that stays there: no file is made
// or removed per commit, and the system lets the lock of a process that was killed go at once. A
// lock held by a live process is waited for. The file also keeps the record of the last single
// save (see save_commit.h).
class FolderLock {
public:
    // How long a writer waits for another process before it gives up.
    static constexpr int DefaultWaitMs = 5000;

    // Takes the lock of the games folder (which must exist), waiting at most waitMs (negative:
    // the default wait).
    explicit FolderLock(const QString &gamesRoot, int waitMs = -1);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Another process held the lock for the whole wait: nothing may be written now.
    bool busy() const { return m_busy; }
    // The lock is ours until this object goes.
    bool held() const { return m_held; }

    // The lock file in a games folder; tests and a second process look for it.
    static QString lockPath(const QString &gamesRoot);

    // The wait used when none is given (tests shorten it).
    static void setDefaultWait(int waitMs);

private:
    int m_fd = -1;
    bool m_busy = false;
    bool m_held = false;
};

} // namespace briqo
