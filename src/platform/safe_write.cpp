#include "platform/safe_write.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

// The whole of bytes into a new file; 0 or the errno of the failure.
int writeNewFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return error;
        }
        done += n;
    }
    return ::close(fd) == 0 ? 0 : errno;
}

} // namespace

WriteOutcome writeFilesSafely(const QList<std::pair<QString, QByteArray>> &files, QString *failedPath)
{
    QList<QByteArray> temporary;
    auto giveUp = [&](const QString &path, int error) {
        for (const QByteArray &t : temporary)
            ::unlink(t.constData());
        if (failedPath)
            *failedPath = path;
        return WriteOutcome {false, systemReason(error)};
    };
    for (const auto &[path, bytes] : files) {
        const QByteArray target = QFile::encodeName(path);
        const QByteArray temp = target + ".briqo-part";
        temporary << temp;
        if (const int error = writeNewFile(temp, bytes))
            return giveUp(path, error);
    }
    // One flush of the file system for every file, where one fsync each would wait for the disk
    // again and again.
    if (!temporary.isEmpty()) {
        const int fd = ::open(temporary.first().constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 || ::syncfs(fd) != 0) {
            const int error = errno;
            if (fd >= 0)
                ::close(fd);
            return giveUp(files.first().first, error);
        }
        ::close(fd);
    }
    QSet<QString> folders;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (::rename(temporary[i].constData(), QFile::encodeName(files[i].first).constData()) != 0) {
            const int error = errno;
            temporary = temporary.mid(i);
            return giveUp(files[i].first, error);
        }
        folders.insert(QFileInfo(files[i].first).absolutePath());
    }
    // The new names are made durable with their folders.
    for (const QString &folder : folders) {
        const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    return {true, {}};
}

} // namespace briqo
