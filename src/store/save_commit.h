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

// Replaces and removes files in one game folder, all of them or none, whatever instant a crash, a
// kill or a full disk strikes:
//   1. each new file is written beside its target as "<name>.<id>.new" (id new for every save),
//      the staged files and the folder are flushed to the disk;
//   2. a record naming the game folder, the targets with the length and check sum of their staged
//      files, and the files to remove, is written in place into the games folder's lock file and
//      flushed: from this instant the save counts as done;
//   3. the files to remove go, then each staged file is renamed over its target.
// A save that only removes files (more than one) stages an empty marker instead, removed last.
// The record stays until the next save writes over it; it names staged files that no later save
// can make again, so once they are gone it asks for nothing. recoverSave() finishes step 3 while
// a staged file the record names is there, and otherwise removes the staged files of a save that
// never reached step 2, so the old files stay. false (with the reason) when the save did not
// happen; *unchanged then tells whether the old files are still all in place.
// The files are spelled as on disk (or as they are to be made) and all lie in folder, whose
// games folder the caller holds the lock of (FolderLock).
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

// A staged file of a single save ("<name>.<id>.new").
bool isSaveStagedName(const QString &fileName);

// The record in the games folder's lock file names this game folder and a staged file it names is
// still there: the save counts and is not finished yet. Read without the lock.
bool recordedSavePendingIn(const QString &folder);

// A single save's record, as commitFiles writes it (tests make the states a crash leaves with it).
struct RecordedFile {
    QString fileName; // the target, in the game folder; empty for the marker of a save that only removes
    QString stagedName; // empty for a file to remove
    QByteArray bytes; // the staged file's bytes, for its length and check sum
};
bool writeSaveRecord(
    const QString &gamesRoot, const QString &folderName, const QList<RecordedFile> &files, QString *error);
// The name a save stages a target's new bytes under, for a save id.
QString saveStagedName(const QString &fileName, const QString &id);

// The game folders below gamesRoot where a single save was cut off: the one the last save noted
// before it staged anything, when it holds temporary files, and the one whose recorded save is not
// finished. Read without the lock; the next start recovers them.
QStringList foldersToRecover(const QString &gamesRoot);

} // namespace briqo
