#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo {

// Many games' files committed together (GameBatch):
//   1. every new file is staged as "<name>.new" in its game folder, and a note in the games folder
//      names the game folders while they are staged;
//   2. one pass makes every staged file durable;
//   3. a batch record in the games folder names every target, game by game (for each game the
//      files to remove first, then those to replace): from the instant it is in place the batch
//      counts as done;
//   4. the removals and renames, a second pass to the disk, then the record and the note go.
// A game folder that holds no staged file is therefore entirely old or entirely new.
struct BatchTarget {
    QString folderName; // below the games folder
    QString fileName;
    bool remove = false;
};

// The batch record's file name in the games folder, and the note of the folders being staged.
QString batchRecordPath(const QString &gamesRoot);
QString batchNotePath(const QString &gamesRoot);
// A line of that note: folderName, marked when the batch made the folder (undoing it removes the
// folder again when it is empty).
QByteArray batchNoteLine(const QString &folderName, bool newFolder);

// Writes the record durably and puts it in place (step 3).
bool writeBatchRecord(const QString &gamesRoot, const QList<BatchTarget> &targets, QString *error);

// Step 4's end, once every game of the batch is in place: the renames on the disk (folders are
// flushed one by one where the file system cannot be flushed as a whole), then the record and the
// note go. false when the disk could not be waited for (the record stays for the next try).
bool finishBatch(const QString &gamesRoot, const QStringList &folders);

// Finishes a batch whose record is in place, or undoes one that was cut off before it, and removes
// the record and the note. false when a file could not be moved (the record stays for the next
// try). The caller holds the games folder's lock.
bool recoverBatch(const QString &gamesRoot);

// A batch record or note is in the games folder.
bool batchLeftIn(const QString &gamesRoot);

// Where a batch stages a target's new bytes: "<name>.new" beside it.
QString batchStagedPath(const QString &target);

} // namespace briqo
