#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo {

// One file of a save that must land together with the others: its new bytes, or none when the
// file is to go.
struct StagedFile {
    QString path;
    QByteArray bytes;
    bool remove = false;
};

// Replaces and removes files in one folder, all of them or none, whatever instant a crash, a
// kill or a full disk strikes:
//   1. each new file is written beside its target as "<name>.new" and flushed to the disk;
//   2. a commit record naming the targets (and, marked "-", the files to remove) is written and
//      renamed into place: from this instant the save counts as done;
//   3. each "<name>.new" is renamed over its target, each file to remove goes, then the record.
// recoverSave() finishes step 3 when it finds a record, and otherwise removes the ".new" files
// of a save that never reached step 2, so the old files stay. false (with the reason) when the
// save did not happen; *unchanged then tells whether the old files are still all in place.
// The caller holds the games folder's lock (FolderLock).
bool commitFiles(
    const QString &folder, const QList<StagedFile> &files, QString *failedPath, QString *error, bool *unchanged);

// Brings a folder back to one consistent save and removes the temporary files any cut-off write
// left there (ours and those of single-file writes). Cheap when there is nothing to do. The
// caller holds the games folder's lock.
void recoverSave(const QString &folder);

// The folder holds something a cut-off write left (a record, a staged or temporary file).
bool needsRecovery(const QString &folder);

// recoverSave() under the lock of the games folder that holds this game folder; does nothing
// when another process keeps the lock (it may be staging these very files).
void recoverSaveLocked(const QString &folder);

// Temporary names a cut-off write can leave; the game list and the pictures window skip them.
bool isTemporaryName(const QString &fileName);

} // namespace briqo
