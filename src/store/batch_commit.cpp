#include "store/batch_commit.h"

#include "store/durable_files.h"
#include "store/path_lookup.h"
#include "store/save_commit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace briqo {

namespace {

const QString kBatchRecordName = QStringLiteral(".briqo-batch");
const QString kBatchNoteName = QStringLiteral(".briqo-batch-folders");
// A line of the note: a game folder the batch stages in, "+" before the name when the batch made it.
constexpr char NewFolderMark = '+';

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
        if (isPlainName(target.folderName) && isPlainName(target.fileName))
            targets.append(target);
    }
    return targets;
}

} // namespace

QString batchStagedPath(const QString &target) { return target + QStringLiteral(".new"); }

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

bool finishBatch(const QString &gamesRoot, const QStringList &folders)
{
    QString error;
    if (!syncFileSystem(gamesRoot, folders, &error))
        return false;
    const QString recordPath = batchRecordPath(gamesRoot);
    QFile::remove(recordPath);
    QFile::remove(recordPath + QStringLiteral(".tmp"));
    QFile::remove(batchNotePath(gamesRoot));
    syncFolder(gamesRoot);
    return true;
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
            } else if (QFileInfo::exists(batchStagedPath(target)) && !replaceFile(batchStagedPath(target), target)) {
                complete = false;
            }
        }
        return complete && finishBatch(gamesRoot, folders);
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
        if (!isPlainName(name))
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

} // namespace briqo
