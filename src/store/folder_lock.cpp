#include "store/folder_lock.h"

#include "store/path_lookup.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace briqo {

namespace {

std::atomic<int> defaultWaitMs {FolderLock::DefaultWaitMs};

// The file at path is still the one open as fd: a lock on a file that was removed (by hand, or by
// a program that cleans up lock files) and made anew would lock nobody out.
bool stillInPlace(int fd, const QByteArray &path)
{
    struct stat open { };
    struct stat named { };
    return ::fstat(fd, &open) == 0 && ::stat(path.constData(), &named) == 0 && open.st_dev == named.st_dev
        && open.st_ino == named.st_ino;
}

} // namespace

FolderLock::FolderLock(const QString &gamesRoot, int waitMs)
{
    const QByteArray path = QFile::encodeName(lockPath(gamesRoot));
    const int wait = waitMs < 0 ? defaultWaitMs.load() : waitMs;
    QElapsedTimer timer;
    timer.start();
    // Short pauses: another writer holds the lock for one commit, a few milliseconds.
    int pause = 2;
    for (;;) {
        if (m_fd < 0) {
            // Made once, writable for everyone who may write the games folder (a folder shared by
            // several users): each writer puts its save's record in it.
            m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0)
                (void)::fchmod(m_fd, 0666);
            else
                m_fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
            // A read-only games folder (or disk) that holds the file still takes the lock; the
            // write that follows fails with the disk's own reason.
            if (m_fd < 0)
                m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
            // A lock file that cannot be made at all (a read-only folder, a full disk) stops every
            // other writer just as much: nothing is waited for.
            if (m_fd < 0)
                return;
        }
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            if (stillInPlace(m_fd, path)) {
                m_held = true;
                return;
            }
            ::close(m_fd);
            m_fd = -1;
            continue;
        }
        // A file system without locks: the writer goes on alone, as on a disk of its own.
        if (errno != EWOULDBLOCK && errno != EINTR)
            return;
        const qint64 left = wait - timer.elapsed();
        if (left <= 0) {
            m_busy = true;
            ::close(m_fd);
            m_fd = -1;
            return;
        }
        QThread::msleep(std::min<qint64>(pause, left));
        pause = std::min(pause * 2, 50);
    }
}

FolderLock::~FolderLock()
{
    // Closing the file lets the lock go; the file stays for the next writer.
    if (m_fd >= 0)
        ::close(m_fd);
}

QString FolderLock::lockPath(const QString &gamesRoot)
{
    return joinPath(resolveExisting(gamesRoot), QStringLiteral(".briqo-lock"));
}

void FolderLock::setDefaultWait(int waitMs) { defaultWaitMs = waitMs; }

} // namespace briqo
