#include "store/folder_lock.h"

#include "store/path_lookup.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace briqo {

namespace {

std::atomic<int> defaultWaitMs {FolderLock::DefaultWaitMs};

// A commit lasts milliseconds; a lock this old whose owner cannot be asked (another machine on a
// shared folder) is left over. On this machine a dead owner is recognised at once.
constexpr int StaleAfterMs = 120000;

// A process killed between making the lock file and writing its name into it leaves an empty
// file that names no owner; a live process writes its name within microseconds.
constexpr int EmptyLockAbandonedAfterMs = 1000;

bool removeIfAbandoned(const QString &path)
{
    const auto abandoned = [&path] {
        const QFileInfo info(path);
        return info.exists() && info.size() == 0
            && info.lastModified().msecsTo(QDateTime::currentDateTime()) > EmptyLockAbandonedAfterMs;
    };
    if (!abandoned())
        return false;
    // Two processes must not both remove it: the second could remove a lock made in between.
    QLockFile removal(path + QStringLiteral(".rmlock"));
    if (!removal.tryLock(0))
        return false;
    return abandoned() && QFile::remove(path);
}

} // namespace

FolderLock::FolderLock(const QString &gamesRoot, int waitMs)
    : m_lock(std::make_unique<QLockFile>(lockPath(gamesRoot)))
{
    m_lock->setStaleLockTime(StaleAfterMs);
    const int wait = waitMs < 0 ? defaultWaitMs.load() : waitMs;
    QElapsedTimer timer;
    timer.start();
    // Short pauses: another writer holds the lock for one commit, a few milliseconds.
    int pause = 2;
    for (;;) {
        // One attempt also takes over the lock of a process that is no longer running.
        if (m_lock->tryLock(0)) {
            m_held = true;
            return;
        }
        // Only a lock that exists and is someone else's stops a writer. A lock file that cannot
        // be made at all (a read-only folder, a full disk) stops every other writer just as much,
        // and the write that follows fails with the disk's own reason.
        if (m_lock->error() != QLockFile::LockFailedError)
            return;
        if (removeIfAbandoned(lockPath(gamesRoot)))
            continue;
        const qint64 left = wait - timer.elapsed();
        if (left <= 0) {
            m_busy = true;
            return;
        }
        QThread::msleep(std::min<qint64>(pause, left));
        pause = std::min(pause * 2, 50);
    }
}

FolderLock::~FolderLock()
{
    if (m_held)
        m_lock->unlock();
}

QString FolderLock::lockPath(const QString &gamesRoot)
{
    return joinPath(resolveExisting(gamesRoot), QStringLiteral(".briqo-lock"));
}

void FolderLock::setDefaultWait(int waitMs) { defaultWaitMs = waitMs; }

} // namespace briqo
