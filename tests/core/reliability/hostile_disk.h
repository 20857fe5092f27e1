#pragma once

// Disks that refuse: a full disk and a read-only folder, for tests that check that nothing stored
// is lost when a write cannot be done.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace briqo::test {

// A disk that is full from fill() on. Two ways to get one:
//  - FileSizeLimit: the process may not make any file longer than `room` bytes (RLIMIT_FSIZE, with
//    the signal ignored, so the write fails as on a full disk); works everywhere.
//  - SmallFileSystem: a memory file system of 1 MiB mounted at the folder and filled to the brim,
//    which gives the real "no space left" error; needs the right to mount (root in CI).
class FullDisk {
public:
    enum Kind { FileSizeLimit, SmallFileSystem };

    // For SmallFileSystem the folder must exist and be empty; it is the file system's root.
    FullDisk(Kind kind, const QString &folder, qint64 room = 0)
        : m_kind(kind)
        , m_folder(folder)
        , m_room(room)
    {
        if (kind == SmallFileSystem) {
            m_mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=1m") == 0;
            m_ready = m_mounted;
        } else {
            m_ready = true;
        }
    }
    ~FullDisk()
    {
        drain();
        if (m_mounted)
            ::umount2(QFile::encodeName(m_folder).constData(), MNT_DETACH);
    }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool ready() const { return m_ready; }
    static QString kindName(Kind kind) { return kind == FileSizeLimit ? "file size limit" : "full file system"; }

    // From now on no byte more fits (beyond room, for the file size limit).
    void fill()
    {
        if (m_kind == FileSizeLimit) {
            ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit {static_cast<rlim_t>(m_room), m_oldLimit.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            m_limited = true;
            return;
        }
        QFile filler(fillerPath());
        if (!filler.open(QIODevice::WriteOnly))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) { }
        // The last partial block may have gone to the cache only: make sure nothing fits.
        while (filler.write("x", 1) == 1 && filler.flush()) { }
    }

    // Writes work again.
    void drain()
    {
        if (m_limited) {
            ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
            std::signal(SIGXFSZ, m_oldHandler);
            m_limited = false;
        }
        QFile::remove(fillerPath());
    }

private:
    QString fillerPath() const { return m_folder + QStringLiteral("/.filler"); }

    Kind m_kind;
    QString m_folder;
    qint64 m_room;
    bool m_ready = false;
    bool m_mounted = false;
    bool m_limited = false;
    rlimit m_oldLimit {};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// A folder in which no entry can be made, renamed or removed, for the life of this object. As a
// normal user that is the folder without its write permission; root ignores permissions, so for
// root the folder is made immutable instead, which refuses the same changes to everyone.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder)
        : m_folder(QFile::encodeName(folder))
    {
        if (::geteuid() != 0) {
            struct stat info { };
            m_ready = ::stat(m_folder.constData(), &info) == 0 && ::chmod(m_folder.constData(), 0555) == 0;
            m_oldMode = info.st_mode & 07777;
            m_chmodded = m_ready;
            return;
        }
        m_ready = setImmutable(true);
        m_immutable = m_ready;
    }
    ~ReadOnlyFolder()
    {
        if (m_chmodded)
            ::chmod(m_folder.constData(), m_oldMode);
        if (m_immutable)
            setImmutable(false);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    bool ready() const { return m_ready; }

private:
    bool setImmutable(bool on)
    {
        const int fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QByteArray m_folder;
    bool m_ready = false;
    bool m_chmodded = false;
    bool m_immutable = false;
    mode_t m_oldMode = 0;
};

// Every file below folder with its bytes, by relative path: what "nothing stored changed" compares.
inline QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir root(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // The games folder's lock file stays in place and every writer opens it: no game's file.
        if (it.fileName() == QLatin1String(".filler") || it.fileName() == QLatin1String(".briqo-lock"))
            continue;
        QFile file(path);
        files.insert(root.relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
    }
    return files;
}

} // namespace briqo::test
