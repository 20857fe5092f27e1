#include "store/durable_files.h"

#include "platform/safe_write.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace briqo {

namespace {

bool writeBytes(const QString &path, const QByteArray &bytes, bool durable, QString *error)
{
    int fd = -1;
    if (!writeOpen(path, bytes, &fd, error))
        return false;
    bool ok = !durable || ::fsync(fd) == 0;
    int reason = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = errno;
    }
    if (!ok) {
        ::unlink(QFile::encodeName(path).constData());
        *error = QString::fromLocal8Bit(std::strerror(reason));
    }
    return ok;
}

} // namespace

bool writeOpen(const QString &path, const QByteArray &bytes, int *fd, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    *fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (*fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (const int reason = writeWhole(*fd, bytes)) {
        ::close(*fd);
        *fd = -1;
        ::unlink(name.constData());
        *error = QString::fromLocal8Bit(std::strerror(reason));
        errno = reason;
        return false;
    }
    return true;
}

bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int reason = errno;
    ::close(fd);
    errno = reason;
    return synced;
}

bool isPlainName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String("..")
        && name != QLatin1String(".");
}

bool writeStaged(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeBytes(path, bytes, false, error);
}

bool writeDurably(const QString &path, const QByteArray &bytes, QString *error)
{
    return writeBytes(path, bytes, true, error);
}

bool syncFileSystem(const QString &folder, const QStringList &files, QString *error, bool oneFlushForAll)
{
    // Flushing every file on its own costs the disk one journal commit each; the file system's
    // own flush writes them all in one. A single game's few files are flushed on their own: the
    // flush of the whole file system would wait for whatever else is being written on it.
    const int fd
        = oneFlushForAll ? ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
    if (fd >= 0) {
        const bool synced = ::syncfs(fd) == 0;
        ::close(fd);
        if (synced)
            return true;
    }
    for (const QString &path : files) {
        const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        const bool synced = file >= 0 && ::fsync(file) == 0;
        const int reason = errno;
        if (file >= 0)
            ::close(file);
        if (!synced) {
            *error = QString::fromLocal8Bit(std::strerror(reason));
            return false;
        }
    }
    return true;
}

} // namespace briqo
