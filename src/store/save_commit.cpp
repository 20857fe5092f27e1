#include "store/save_commit.h"

#include "store/folder_lock.h"
#include "store/path_lookup.h"
#include "store/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace briqo {

namespace {

const QString kRecordName = QStringLiteral(".briqo-commit");
const QString kStagedEnding = QStringLiteral(".new");

// POSIX rename replaces the target in one step; QFile::rename refuses an existing target.
bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A line of the record: a file to replace by its staged copy, or (marked "-") a file to remove.
// Game file names start with the game word, never with "-".
struct RecordedTarget {
    QString name;
    bool remove = false;
};

QList<RecordedTarget> recordedTargets(const QString &recordPath)
{
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    QList<RecordedTarget> targets;
    for (const QByteArray &line : record.readAll().split('\n')) {
        QString name = QFile::decodeName(line.trimmed());
        const bool remove = name.startsWith(QLatin1Char('-'));
        if (remove)
            name.remove(0, 1);
        // A record names files of its own folder only; anything else is not ours to move.
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String("..")
            && name != QLatin1String("."))
            targets.append({name, remove});
    }
    return targets;
}

bool finishRecordedSave(const QString &folder)
{
    const QString recordPath = joinPath(folder, kRecordName);
    bool complete = true;
    for (const RecordedTarget &recorded : recordedTargets(recordPath)) {
        const QString target = joinPath(folder, recorded.name);
        if (recorded.remove) {
            if (QFileInfo(target).isFile() && !QFile::remove(target))
                complete = false;
            continue;
        }
        const QString staged = target + kStagedEnding;
        if (QFileInfo::exists(staged) && !replaceFile(staged, target))
            complete = false;
    }
    if (!complete)
        return false;
    syncFolder(folder);
    QFile::remove(recordPath);
    return true;
}

const QString kBatchRecordName = QStringLiteral(".briqo-batch");
const QString kBatchNoteName = QStringLiteral(".briqo-batch-folders");
// A line of the note: a game folder the batch stages in, "+" before the name when the batch made it.
constexpr char NewFolderMark = '+';

bool writeBytes(const QString &path, const QByteArray &bytes, bool durable, QString *error)
{
    // Plain system calls, so that the reason of a failure (a full disk, a file size limit) is the
    // system's own and not lost in a buffer.
    const auto fail = [&](int fd) {
        const int reason = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        *error = QString::fromLocal8Bit(std::strerror(reason));
        return false;
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(fd);
        written += n;
    }
    if (durable && ::fsync(fd) != 0)
        return fail(fd);
    if (::close(fd) != 0)
        return fail(-1);
    return true;
}

QList<BatchTarget> batchTargets(const QString &recordPath)
{
    QFile record(recordPath);
    if (!record.open(QIODevice::ReadOnly))
        return {};
    QList<BatchTarget> targets;
    for (const QByteArray &line : record.readAll().split('\n')) {
        const QString entry = QFile::decodeName(line);
        const qsizetype slash = entry.indexOf(QLatin1Char('/'));
        if (slash <= 0)
            continue;
        BatchTarget target {entry.left(slash), entry.mid(slash + 1)};
        target.remove = target.fileName.startsWith(QLatin1Char('-'));
        if (target.remove)
            target.fileName.remove(0, 1);
        // A record names files of game folders of its own games folder only.
        const auto plainName = [](const QString &name) {
            return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String("..")
                && name != QLatin1String(".");
        };
        if (plainName(target.folderName) && plainName(target.fileName))
            targets.append(target);
    }
    return targets;
}

} // namespace

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

QString batchRecordPath(const QString &gamesRoot) { return joinPath(gamesRoot, kBatchRecordName); }

QString batchNotePath(const QString &gamesRoot) { return joinPath(gamesRoot, kBatchNoteName); }

QByteArray batchNoteLine(const QString &folderName, bool newFolder)
{
    return (newFolder ? QByteArray(1, NewFolderMark) : QByteArray()) + QFile::encodeName(folderName) + '\n';
}

bool writeBatchRecord(const QString &gamesRoot, const QList<BatchTarget> &targets, QString *error)
{
    QByteArray record;
    for (const BatchTarget &t : targets)
        record += QFile::encodeName(t.folderName) + '/' + (t.remove ? "-" : "") + QFile::encodeName(t.fileName) + '\n';
    const QString path = batchRecordPath(gamesRoot);
    const QString temp = path + QStringLiteral(".tmp");
    if (!writeDurably(temp, record, error) || !replaceFile(temp, path)) {
        if (error->isEmpty())
            *error = QStringLiteral("cannot rename the commit record");
        QFile::remove(temp);
        return false;
    }
    syncFolder(gamesRoot);
    return true;
}

bool batchLeftIn(const QString &gamesRoot)
{
    return QFileInfo::exists(batchRecordPath(gamesRoot)) || QFileInfo::exists(batchNotePath(gamesRoot));
}

bool recoverBatch(const QString &gamesRoot)
{
    const QString recordPath = batchRecordPath(gamesRoot);
    const QString notePath = batchNotePath(gamesRoot);
    if (QFileInfo::exists(recordPath)) {
        bool complete = true;
        QStringList folders;
        for (const BatchTarget &t : batchTargets(recordPath)) {
            const QString folder = joinPath(gamesRoot, t.folderName);
            const QString target = joinPath(folder, t.fileName);
            if (folders.isEmpty() || folders.last() != folder)
                folders.append(folder);
            if (t.remove) {
                if (QFileInfo(target).isFile() && !QFile::remove(target))
                    complete = false;
            } else if (QFileInfo::exists(target + kStagedEnding) && !replaceFile(target + kStagedEnding, target)) {
                complete = false;
            }
        }
        QString error;
        if (!complete || !syncFileSystem(gamesRoot, folders, &error))
            return false;
        QFile::remove(recordPath);
        QFile::remove(recordPath + QStringLiteral(".tmp"));
        QFile::remove(notePath);
        syncFolder(gamesRoot);
        return true;
    }
    QFile::remove(recordPath + QStringLiteral(".tmp"));
    QFile note(notePath);
    if (!note.open(QIODevice::ReadOnly))
        return true;
    // Cut off before its record: the staged files go and the old games stay.
    for (QByteArray line : note.readAll().split('\n')) {
        const bool newFolder = line.startsWith(NewFolderMark);
        if (newFolder)
            line.remove(0, 1);
        const QString name = QFile::decodeName(line);
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String("..")
            || name == QLatin1String("."))
            continue;
        const QString folder = joinPath(gamesRoot, name);
        recoverSave(folder);
        if (newFolder)
            QDir().rmdir(folder); // only when the batch left it empty
    }
    note.close();
    QFile::remove(notePath);
    return true;
}

bool isTemporaryName(const QString &fileName)
{
    // "<name>.new" of a save, the record and its own temporary, and "<name>.XXXXXX" that a
    // single-file replacement leaves when it is killed before it can rename.
    static const QRegularExpression saveFileTemp(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    return fileName.endsWith(kStagedEnding) || fileName.startsWith(kRecordName)
        || (fileName.contains(QLatin1String(".txt.")) && saveFileTemp.match(fileName).hasMatch())
        || (fileName.contains(QLatin1String(".ini.")) && saveFileTemp.match(fileName).hasMatch());
}

bool commitFiles(
    const QString &folder, const QList<StagedFile> &files, QString *failedPath, QString *error, bool *unchanged)
{
    *unchanged = true;
    recoverSave(folder);

    QStringList staged;
    auto undoStaging = [&staged] {
        for (const QString &path : staged)
            QFile::remove(path);
    };
    QByteArray record;
    for (const StagedFile &file : files) {
        const QString target = resolveExisting(file.path);
        if (file.remove) {
            record += '-' + QFile::encodeName(QFileInfo(target).fileName()) + '\n';
            continue;
        }
        const QString stagedPath = target + kStagedEnding;
        staged.append(stagedPath);
        if (!writeStaged(stagedPath, file.bytes, error)) {
            *failedPath = file.path;
            undoStaging();
            return false;
        }
        record += QFile::encodeName(QFileInfo(target).fileName()) + '\n';
    }

    const QString recordPath = joinPath(folder, kRecordName);
    const QString recordTemp = recordPath + QStringLiteral(".tmp");
    // The staged files and the record reach the disk in one pass, before the record is put in
    // place: it then never names a file whose bytes are not there.
    if (!writeStaged(recordTemp, record, error)
        || !syncFileSystem(folder, staged + QStringList {recordTemp}, error, false)
        || !replaceFile(recordTemp, recordPath)) {
        if (error->isEmpty())
            *error = QStringLiteral("cannot rename the commit record");
        QFile::remove(recordTemp);
        *failedPath = recordPath;
        undoStaging();
        return false;
    }
    syncFolder(folder);

    // From here the new files count: a failure below is finished by the next recovery. The files
    // are moved from what this save knows, without reading back the record it just wrote.
    *unchanged = false;
    bool complete = true;
    for (const StagedFile &file : files) {
        const QString target = resolveExisting(file.path);
        if (file.remove)
            complete = (!QFileInfo(target).isFile() || QFile::remove(target)) && complete;
        else
            complete = replaceFile(target + kStagedEnding, target) && complete;
    }
    if (!complete) {
        *failedPath = folder;
        *error = QStringLiteral("cannot move the new files into place");
        return false;
    }
    syncFolder(folder);
    QFile::remove(recordPath);
    return true;
}

bool needsRecovery(const QString &folder)
{
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    return std::any_of(names.begin(), names.end(), isTemporaryName);
}

void recoverSaveLocked(const QString &folder)
{
    if (!needsRecovery(folder))
        return;
    const FolderLock lock(QFileInfo(folder).absolutePath());
    if (!lock.busy())
        recoverSave(folder);
}

void recoverSave(const QString &folder)
{
    // A game folder of a batch cut off after its record holds staged files the batch record
    // names: the batch is finished first, whole.
    const QString root = QFileInfo(folder).absolutePath();
    if (QFileInfo::exists(batchRecordPath(root)))
        recoverBatch(root);
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    const bool anyTemporary = std::any_of(names.begin(), names.end(), isTemporaryName);
    if (!anyTemporary)
        return;
    if (names.contains(kRecordName) && !finishRecordedSave(folder))
        return; // keep the staged files: they are the save that counts
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (isTemporaryName(name))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace briqo
