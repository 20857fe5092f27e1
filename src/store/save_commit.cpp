#include "store/save_commit.h"

#include "store/batch_commit.h"
#include "store/durable_files.h"
#include "store/folder_lock.h"
#include "store/path_lookup.h"
#include "store/text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <optional>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace briqo {

namespace {

const QString kRecordName = QStringLiteral(".briqo-commit");
const QString kStagedEnding = QStringLiteral(".new");

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
        if (isPlainName(name))
            targets.append({name, remove});
    }
    return targets;
}

// A record of the earlier kind, a file in the game folder itself, that a version before the lock
// file's record left.
bool finishOldRecord(const QString &folder)
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

// A single save's record sits at the start of the games folder's lock file, written in place, so
// that a save makes no file of its own besides its staged files; the note of the folder being
// staged follows it, in a block of its own, so writing the note never touches the record.
constexpr qint64 RecordPlace = 4096;
constexpr qint64 StagingNoteAt = RecordPlace;
const QByteArray RecordStart = QByteArrayLiteral("briqo-save\n");
const QByteArray StagingNoteStart = QByteArrayLiteral("briqo-staging\t");

// FNV-1a: a torn or half-flushed file or record differs from what was written.
quint64 checkSum(const QByteArray &bytes)
{
    quint64 sum = 14695981039346656037ULL;
    for (const char c : bytes) {
        sum ^= quint8(c);
        sum *= 1099511628211ULL;
    }
    return sum;
}

QByteArray encodedName(const QString &name) { return QFile::encodeName(name).toPercentEncoding(); }

QString decodedName(const QByteArray &field) { return QFile::decodeName(QByteArray::fromPercentEncoding(field)); }

// One line of the record: a target and its staged file, a file to remove (no staged name), or
// (no target) the empty marker a save that only removes files stages, so that a cut-off one is
// found and finished like any other.
struct RecordLine {
    QString fileName;
    QString stagedName;
    qint64 size = 0;
    quint64 sum = 0;
    bool remove() const { return stagedName.isEmpty(); }
    bool mark() const { return fileName.isEmpty(); }
};

struct SaveRecord {
    QString folderName;
    QList<RecordLine> lines;
};

QByteArray recordBytes(const QString &folderName, const QList<RecordedFile> &files)
{
    QByteArray bytes = RecordStart + "folder\t" + encodedName(folderName) + '\n';
    for (const RecordedFile &file : files) {
        if (file.stagedName.isEmpty()) {
            bytes += "remove\t" + encodedName(file.fileName) + '\n';
            continue;
        }
        if (file.fileName.isEmpty()) {
            bytes += "mark\t" + encodedName(file.stagedName) + '\n';
            continue;
        }
        bytes += "write\t" + encodedName(file.fileName) + '\t' + encodedName(file.stagedName) + '\t'
            + QByteArray::number(file.bytes.size()) + '\t' + QByteArray::number(checkSum(file.bytes), 16) + '\n';
    }
    return bytes + "end\t" + QByteArray::number(checkSum(bytes), 16) + '\n';
}

// A record whose check sum holds, or nothing (no record yet, a lock file of another kind, a
// record torn by a crash while it was written).
std::optional<SaveRecord> parseRecord(const QByteArray &bytes)
{
    if (!bytes.startsWith(RecordStart))
        return std::nullopt;
    SaveRecord record;
    qsizetype at = RecordStart.size();
    for (;;) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0)
            return std::nullopt;
        const QList<QByteArray> fields = bytes.mid(at, end - at).split('\t');
        if (fields[0] == "end") {
            bool ok = false;
            if (fields.size() != 2 || fields[1].toULongLong(&ok, 16) != checkSum(bytes.left(at)) || !ok)
                return std::nullopt;
            return isPlainName(record.folderName) ? std::optional<SaveRecord>(record) : std::nullopt;
        }
        if (fields[0] == "folder" && fields.size() == 2) {
            record.folderName = decodedName(fields[1]);
        } else if (fields[0] == "remove" && fields.size() == 2) {
            record.lines.append({decodedName(fields[1]), {}, 0, 0});
        } else if (fields[0] == "mark" && fields.size() == 2) {
            record.lines.append({{}, decodedName(fields[1]), 0, checkSum({})});
        } else if (fields[0] == "write" && fields.size() == 5) {
            bool sizeOk = false;
            bool sumOk = false;
            record.lines.append({decodedName(fields[1]), decodedName(fields[2]), fields[3].toLongLong(&sizeOk),
                fields[4].toULongLong(&sumOk, 16)});
            if (!sizeOk || !sumOk || record.lines.last().stagedName.isEmpty())
                return std::nullopt;
        } else {
            return std::nullopt;
        }
        // A record names files of its own folder only; anything else is not ours to move.
        if (!record.lines.isEmpty()) {
            const RecordLine &line = record.lines.last();
            if ((!line.mark() && !isPlainName(line.fileName))
                || (!line.remove() && (!isPlainName(line.stagedName) || !isSaveStagedName(line.stagedName))))
                return std::nullopt;
        }
        at = end + 1;
    }
}

QByteArray readAt(int fd, qint64 offset, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    const ssize_t n = ::pread(fd, bytes.data(), size_t(size), offset);
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}

bool writeAt(int fd, const QByteArray &bytes, qint64 offset)
{
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + written, size_t(bytes.size() - written), offset + written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        written += n;
    }
    return true;
}

// The games folder's lock file, open for the record (the lock itself is FolderLock's).
class LockFile {
public:
    LockFile(const QString &gamesRoot, bool write)
        : m_fd(::open(QFile::encodeName(FolderLock::lockPath(gamesRoot)).constData(),
            (write ? O_RDWR | O_CREAT : O_RDONLY) | O_CLOEXEC, 0666))
        , m_reason(errno)
    { }
    ~LockFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LockFile(const LockFile &) = delete;
    LockFile &operator=(const LockFile &) = delete;

    int fd() const { return m_fd; }
    int reason() const { return m_reason; }
    std::optional<SaveRecord> record() const
    {
        return m_fd < 0 ? std::nullopt : parseRecord(readAt(m_fd, 0, RecordPlace));
    }

private:
    int m_fd;
    int m_reason;
};

QString systemReason(int reason) { return QString::fromLocal8Bit(std::strerror(reason)); }

// Puts the record in place and waits for the disk.
bool putRecord(int fd, const QString &folderName, const QList<RecordedFile> &files, QString *error)
{
    const QByteArray bytes = recordBytes(folderName, files);
    if (bytes.size() > RecordPlace) {
        *error = QStringLiteral("the names of the files are too long");
        return false;
    }
    if (!writeAt(fd, bytes, 0) || ::fdatasync(fd) != 0) {
        *error = systemReason(errno);
        return false;
    }
    return true;
}

// Whether a staged file the record names is still in the game folder: the save counts and is not
// finished.
bool stillStaged(const QString &folder, const SaveRecord &record)
{
    return std::any_of(record.lines.begin(), record.lines.end(),
        [&](const RecordLine &line) { return !line.remove() && QFileInfo::exists(joinPath(folder, line.stagedName)); });
}

bool sameBytes(const QString &path, const RecordLine &line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != line.size)
        return false;
    return checkSum(file.readAll()) == line.sum;
}

// Finishes the recorded save in folder: the removals, then the renames. false when a file could
// not be moved (the staged files stay for the next try).
bool finishRecordedSave(const QString &folder, const SaveRecord &record)
{
    if (!stillStaged(folder, record))
        return true;
    // The staged files were on the disk before the record was; one that does not match it was
    // damaged since, and a save made of it would not be the one recorded.
    for (const RecordLine &line : record.lines) {
        const QString staged = joinPath(folder, line.stagedName);
        if (!line.remove() && QFileInfo::exists(staged) && !sameBytes(staged, line))
            return true;
    }
    bool complete = true;
    for (const RecordLine &line : record.lines) {
        const QString target = joinPath(folder, line.fileName);
        if (line.remove() && QFileInfo(target).isFile() && !QFile::remove(target))
            complete = false;
    }
    for (const RecordLine &line : record.lines) {
        const QString staged = joinPath(folder, line.stagedName);
        if (line.remove() || !QFileInfo::exists(staged))
            continue;
        if (line.mark() ? !QFile::remove(staged) : !replaceFile(staged, joinPath(folder, line.fileName)))
            complete = false;
    }
    // On the disk before a later save writes its record over this one.
    syncFolder(folder);
    return complete;
}

} // namespace

bool isTemporaryName(const QString &fileName)
{
    // "<name>.new" of a save, the record and its own temporary, and "<name>.XXXXXX" that a
    // single-file replacement leaves when it is killed before it can rename.
    static const QRegularExpression saveFileTemp(QStringLiteral("\\.[A-Za-z0-9]{6}$"));
    return fileName.endsWith(kStagedEnding) || fileName.startsWith(kRecordName)
        || (fileName.contains(QLatin1String(".txt.")) && saveFileTemp.match(fileName).hasMatch())
        || (fileName.contains(QLatin1String(".ini.")) && saveFileTemp.match(fileName).hasMatch());
}

bool isSaveStagedName(const QString &fileName)
{
    // "<name>.<id>.new": sixteen hexadecimal digits between two dots.
    static const QRegularExpression staged(QStringLiteral("\\.[0-9a-f]{16}\\.new$"));
    return fileName.endsWith(kStagedEnding) && staged.match(fileName).hasMatch();
}

QString saveStagedName(const QString &fileName, const QString &id)
{
    return fileName + QLatin1Char('.') + id + kStagedEnding;
}

bool writeSaveRecord(
    const QString &gamesRoot, const QString &folderName, const QList<RecordedFile> &files, QString *error)
{
    const LockFile lockFile(gamesRoot, true);
    if (lockFile.fd() < 0) {
        *error = systemReason(lockFile.reason());
        return false;
    }
    return putRecord(lockFile.fd(), folderName, files, error);
}

bool recordedSavePendingIn(const QString &folder)
{
    const QFileInfo info(folder);
    const std::optional<SaveRecord> record = LockFile(info.path(), false).record();
    return record && record->folderName == info.fileName() && stillStaged(folder, *record);
}

QStringList foldersToRecover(const QString &gamesRoot)
{
    const LockFile lockFile(gamesRoot, false);
    if (lockFile.fd() < 0)
        return {};
    QStringList folders;
    const QByteArray note = readAt(lockFile.fd(), StagingNoteAt, RecordPlace);
    const qsizetype end = note.indexOf('\n');
    if (note.startsWith(StagingNoteStart) && end > 0) {
        const QString name = decodedName(note.mid(StagingNoteStart.size(), end - StagingNoteStart.size()));
        if (isPlainName(name) && needsRecovery(joinPath(gamesRoot, name)))
            folders.append(joinPath(gamesRoot, name));
    }
    const std::optional<SaveRecord> record = lockFile.record();
    if (record && stillStaged(joinPath(gamesRoot, record->folderName), *record)
        && !folders.contains(joinPath(gamesRoot, record->folderName)))
        folders.append(joinPath(gamesRoot, record->folderName));
    return folders;
}

bool commitFiles(
    const QString &folder, const QList<StagedFile> &files, QString *failedPath, QString *error, bool *unchanged)
{
    *unchanged = true;
    const QFileInfo folderInfo(folder);
    const QString root = folderInfo.path();
    const QString folderName = folderInfo.fileName();
    const LockFile lockFile(root, true);
    if (lockFile.fd() < 0) {
        *failedPath = FolderLock::lockPath(root);
        *error = systemReason(lockFile.reason());
        return false;
    }
    // The last save's record is written over below: a save it still asks for is finished first.
    const std::optional<SaveRecord> last = lockFile.record();
    const QString lastFolder = last ? joinPath(root, last->folderName) : QString();
    if (last && last->folderName != folderName && stillStaged(lastFolder, *last)
        && !finishRecordedSave(lastFolder, *last)) {
        *failedPath = lastFolder;
        *error = QStringLiteral("cannot finish an earlier save");
        return false;
    }
    if (needsRecovery(folder))
        recoverSave(folder);
    // The next start looks in this folder for what a kill from here on leaves.
    (void)writeAt(lockFile.fd(), StagingNoteStart + encodedName(folderName) + '\n', StagingNoteAt);

    const QString id = QString::number(QRandomGenerator::global()->generate64() | (quint64(1) << 63), 16);
    QList<RecordedFile> recorded;
    QStringList staged;
    QList<int> open;
    auto closeAll = [&open] {
        for (const int fd : open)
            ::close(fd);
        open.clear();
    };
    auto fail = [&](const QString &path, int reason) {
        closeAll();
        for (const QString &p : staged)
            QFile::remove(p);
        *failedPath = path;
        if (error->isEmpty())
            *error = systemReason(reason);
        return false;
    };
    for (const StagedFile &file : files) {
        const QString fileName = QFileInfo(file.path).fileName();
        if (file.remove) {
            recorded.append({fileName, {}, {}});
            continue;
        }
        const QString stagedName = saveStagedName(fileName, id);
        const QString stagedPath = joinPath(folder, stagedName);
        staged.append(stagedPath);
        int fd = -1;
        if (!writeOpen(stagedPath, file.bytes, &fd, error))
            return fail(file.path, errno);
        open.append(fd);
        recorded.append({fileName, stagedName, file.bytes});
    }
    if (staged.isEmpty() && recorded.size() > 1) {
        const QString marker = QStringLiteral(".briqo-removing.") + id + kStagedEnding;
        staged.append(joinPath(folder, marker));
        int fd = -1;
        if (!writeOpen(staged.last(), {}, &fd, error))
            return fail(staged.last(), errno);
        open.append(fd);
        recorded.append({{}, marker, {}});
    }
    // Every staged file, and its name in the folder, on the disk before the record names it; the
    // folder of the last save too, whose renames the record below no longer asks for.
    // Starting every file's writing first lets the file system put them all in one journal
    // commit; each fsync then has little or nothing left to wait for.
    for (const int fd : open)
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    for (const int fd : open) {
        if (::fsync(fd) != 0)
            return fail(folder, errno);
    }
    closeAll();
    if (!syncFolder(folder))
        return fail(folder, errno);
    if (last && last->folderName != folderName)
        syncFolder(lastFolder); // nothing to keep when that game has been deleted since
    if (!putRecord(lockFile.fd(), folderName, recorded, error))
        return fail(FolderLock::lockPath(root), errno);

    // From here the new files count: a failure below is finished by the next recovery. The files
    // are moved from what this save knows, without reading back the record it just wrote.
    *unchanged = false;
    bool complete = true;
    for (const RecordedFile &file : recorded) {
        const QString target = joinPath(folder, file.fileName);
        if (file.stagedName.isEmpty())
            complete = (!QFileInfo(target).isFile() || QFile::remove(target)) && complete;
    }
    for (const RecordedFile &file : recorded) {
        const QString stagedFile = joinPath(folder, file.stagedName);
        if (file.stagedName.isEmpty())
            continue;
        if (file.fileName.isEmpty())
            complete = QFile::remove(stagedFile) && complete;
        else
            complete = replaceFile(stagedFile, joinPath(folder, file.fileName)) && complete;
    }
    if (!complete) {
        *failedPath = folder;
        *error = QStringLiteral("cannot move the new files into place");
        return false;
    }
    return true;
}

bool needsRecovery(const QString &folder)
{
    // Every save and load asks, so the folder is listed with the system's own calls.
    const QByteArray path = QFile::encodeName(folder);
    DIR *dir = ::opendir(path.constData());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent *entry = ::readdir(dir)) {
        if (!isTemporaryName(QFile::decodeName(entry->d_name)))
            continue;
        // Files only (a folder of such a name is the user's); a link counts as what it points to.
        struct stat info { };
        found = entry->d_type == DT_REG
            || ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK)
                && ::stat((path + '/' + entry->d_name).constData(), &info) == 0 && S_ISREG(info.st_mode));
        if (found)
            break;
    }
    ::closedir(dir);
    return found;
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
    if (!needsRecovery(folder))
        return;
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(kRecordName)) && !finishOldRecord(folder))
        return; // keep the staged files: they are the save that counts
    const std::optional<SaveRecord> record = LockFile(root, false).record();
    if (record && record->folderName == dir.dirName() && !finishRecordedSave(folder, *record))
        return;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (isTemporaryName(name))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace briqo
