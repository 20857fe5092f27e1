#include "platform/safe_write.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace briqo {

namespace {

WriteOutcome failed(QSaveFile &file)
{
    QString reason = file.errorString();
    file.cancelWriting();
    if (reason.isEmpty())
        reason = QStringLiteral("unknown error");
    return {false, reason};
}

} // namespace

WriteOutcome writeFileSafely(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file);
    // The bytes are pushed out of Qt's buffer and checked before the commit: Qt 6.4 commits a file
    // whose last buffered write failed (a full disk), which would put a cut file in place of the
    // earlier one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return failed(file);
    if (!file.commit()) {
        const QString reason = file.errorString();
        return {false, reason.isEmpty() ? QStringLiteral("unknown error") : reason};
    }
    return {true, {}};
}

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

constexpr char TemporaryMark[] = ".briqo-part-";

// Removes the temporary files that a write killed before its commit left in folder: those whose
// process is gone. A process of that number still running may be writing them.
void sweepLeftovers(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name :
        dir.entryList({QStringLiteral("*") + QLatin1String(TemporaryMark) + QStringLiteral("*")}, QDir::Files | QDir::Hidden)) {
        const QString number = name.mid(name.lastIndexOf(QLatin1String(TemporaryMark)) + int(sizeof TemporaryMark) - 1)
                                   .section(QLatin1Char('-'), 0, 0);
        bool ok = false;
        const pid_t pid = number.toInt(&ok);
        if (ok && pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlink(QFile::encodeName(dir.filePath(name)).constData());
    }
}

} // namespace

int writeWhole(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        done += n;
    }
    return 0;
}

FilesWrittenTogether::FilesWrittenTogether(QStringList targets)
    : m_targets(std::move(targets))
    , m_temporary(m_targets.size())
{ }

FilesWrittenTogether::~FilesWrittenTogether() { dropTemporary(); }

void FilesWrittenTogether::dropTemporary()
{
    for (QByteArray &t : m_temporary) {
        if (!t.isEmpty())
            ::unlink(t.constData());
        t.clear();
    }
}

WriteOutcome FilesWrittenTogether::giveUp(qsizetype index, int error, QString *failedPath)
{
    dropTemporary();
    if (failedPath)
        *failedPath = m_targets[index];
    return {false, systemReason(error)};
}

WriteOutcome FilesWrittenTogether::write(qsizetype index, const QByteArray &bytes)
{
    // A name of this process's own, so that two programs writing the same folder at once never
    // write into each other's file.
    if (!m_temporary[index].isEmpty())
        ::unlink(m_temporary[index].constData());
    const QByteArray stem = QFile::encodeName(m_targets[index]) + TemporaryMark + QByteArray::number(::getpid());
    int fd = -1;
    for (int k = 0; fd < 0; ++k) {
        m_temporary[index] = k == 0 ? stem : stem + '-' + QByteArray::number(k);
        fd = ::open(m_temporary[index].constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) {
            const int error = errno;
            m_temporary[index].clear();
            return giveUp(index, error, nullptr);
        }
    }
    const int error = writeWhole(fd, bytes);
    // Sent on its way to the disk now, while the next files are still being made.
    if (!error)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    if (::close(fd) != 0 && !error)
        return giveUp(index, errno, nullptr);
    return error ? giveUp(index, error, nullptr) : WriteOutcome {true, {}};
}

WriteOutcome FilesWrittenTogether::commit(QString *failedPath)
{
    if (m_targets.isEmpty())
        return {true, {}};
    for (qsizetype i = 0; i < m_targets.size(); ++i) {
        if (m_temporary[i].isEmpty())
            return giveUp(i, ENOENT, failedPath);
    }
    // One flush of the file system for every file, where one fsync each would wait for the disk
    // again and again.
    const int fd = ::open(m_temporary.first().constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        return giveUp(0, error, failedPath);
    }
    ::close(fd);
    QSet<QString> folders;
    for (qsizetype i = 0; i < m_targets.size(); ++i) {
        if (::rename(m_temporary[i].constData(), QFile::encodeName(m_targets[i]).constData()) != 0)
            return giveUp(i, errno, failedPath);
        m_temporary[i].clear();
        folders.insert(QFileInfo(m_targets[i]).absolutePath());
    }
    // The new names are made durable with their folders, and so is the going of what earlier
    // writes that were cut off left there.
    for (const QString &folder : folders) {
        sweepLeftovers(folder);
        const int dir = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return {true, {}};
}

WriteOutcome writeFilesSafely(const QList<std::pair<QString, QByteArray>> &files, QString *failedPath)
{
    QStringList targets;
    for (const auto &file : files)
        targets << file.first;
    FilesWrittenTogether together(targets);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (WriteOutcome written = together.write(i, files[i].second); !written) {
            if (failedPath)
                *failedPath = targets[i];
            return written;
        }
    }
    return together.commit(failedPath);
}

} // namespace briqo
