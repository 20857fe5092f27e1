#include "store/game_batch.h"

#include "store/durable_files.h"
#include "store/file_state.h"
#include "store/folder_lock.h"
#include "store/game_paths.h"
#include "store/path_lookup.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace briqo {

GameBatch::GameBatch(const GameStore &store)
    : m_store(store)
{ }

GameBatch::~GameBatch() { undo(); }

bool GameBatch::full() const
{
    return !m_games.isEmpty() && (m_games.size() >= MaxGames || m_staging.elapsed() >= MaxStagingMs);
}

StoreResult GameBatch::stage(const Game &game, CommitWhen when)
{
    StoreResult failure;
    const std::optional<QList<GameFileChange>> changes = m_store.changesOf(game, &failure);
    if (!changes)
        return failure;
    const long long n = game.number;
    if (std::any_of(m_games.begin(), m_games.end(), [n](const StagedGame &g) { return g.number == n; }))
        m_earlier += commit();

    if (!m_lock) {
        CreateFolderPath(m_store.gamesRoot());
        m_root = resolveExisting(m_store.gamesRoot());
        m_lock = std::make_unique<FolderLock>(m_root);
        if (m_lock->busy()) {
            m_lock.reset();
            return StoreResult::busyFolder(FolderLock::lockPath(m_root));
        }
        // What a batch cut off earlier left is finished or undone before this one notes its own.
        if (batchLeftIn(m_root) && !recoverBatch(m_root)) {
            m_lock.reset();
            return StoreResult::failed(batchRecordPath(m_root), QStringLiteral("cannot finish an earlier import"));
        }
        m_staging.start();
        // The games folder is listed once: looking up each new game's folder by itself would list
        // it once per game.
        m_folders.clear();
        for (const QString &entry :
            QDir(m_root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name))
            if (!m_folders.contains(entry.toLower()))
                m_folders.insert(entry.toLower(), entry); // the first in name order, as a look-up finds it
    }
    const QString folderName = m_store.folderName(n);
    const QString onDisk = m_folders.value(folderName.toLower());
    StagedGame staged;
    staged.number = n;
    staged.folder = joinPath(m_root, onDisk.isEmpty() ? folderName : onDisk);
    staged.newFolder = onDisk.isEmpty() || !QFileInfo(staged.folder).isDir();
    // A folder still to be made holds no files: its paths need no look-up, which would list the
    // whole games folder for every new game.
    const GameFilePaths paths = staged.newFolder ? gameFilePathsIn(staged.folder, {}, folderName, m_store.words())
                                                 : gameFilePaths(staged.folder, folderName, m_store.words());
    if (when == CommitWhen::OnlyIfNew && QFileInfo(paths.auction).size() > 0) {
        StoreResult result = StoreResult::failed(staged.folder, QStringLiteral("the game is stored already"));
        result.alreadyStored = true;
        return result;
    }

    if (staged.newFolder) {
        QDir().mkdir(staged.folder); // the games folder is there; a failure shows when staging
        m_folders.insert(folderName.toLower(), folderName);
    } else {
        recoverSave(staged.folder); // a single save cut off here earlier
    }

    // The note names the folder before anything is staged in it, so a kill from here on leaves
    // staged files that the next start finds and removes.
    if (!m_note.isOpen()) {
        m_note.setFileName(batchNotePath(m_root));
        m_note.open(QIODevice::WriteOnly | QIODevice::Truncate);
    }
    m_note.write(batchNoteLine(QFileInfo(staged.folder).fileName(), staged.newFolder));
    m_note.flush();

    for (const GameFileChange &change : *changes) {
        const QString path = GameStore::pathIn(paths, change.kind);
        const QString &target = path; // spelled as on disk already
        if (!change.bytes) {
            if (QFileInfo(target).isFile())
                staged.files.append({target, {}, true});
            continue;
        }
        QString error;
        if (!writeStaged(batchStagedPath(target), *change.bytes, &error)) {
            unstage(staged);
            return StoreResult::failed(path, error);
        }
        staged.files.append({target, *change.bytes, false});
    }
    m_games.append(std::move(staged));
    return StoreResult::done(false); // nothing on disk counts yet
}

void GameBatch::unstage(const StagedGame &game)
{
    for (const StagedFile &file : game.files) {
        if (!file.remove)
            QFile::remove(batchStagedPath(file.path));
    }
    // A file that failed half-way removed itself; a new folder goes again when it is empty.
    if (game.newFolder)
        QDir().rmdir(game.folder);
}

void GameBatch::undo()
{
    for (const StagedGame &game : m_games)
        unstage(game);
    m_games.clear();
    if (m_note.isOpen()) {
        m_note.close();
        m_note.remove();
    }
    m_lock.reset();
}

QList<GameBatch::Outcome> GameBatch::commit()
{
    QList<Outcome> outcomes = std::move(m_earlier);
    m_earlier.clear();
    if (m_games.isEmpty()) {
        undo();
        return outcomes;
    }
    const auto failAll = [&](const QString &path, const QString &error) {
        for (const StagedGame &game : m_games)
            outcomes.append({game.number, StoreResult::failed(path, error)});
        undo();
        return outcomes;
    };

    // 1. Every staged file on the disk, in one pass.
    QStringList stagedPaths;
    for (const StagedGame &game : m_games)
        for (const StagedFile &file : game.files)
            if (!file.remove)
                stagedPaths.append(batchStagedPath(file.path));
    QString error;
    if (!syncFileSystem(m_root, stagedPaths, &error))
        return failAll(m_root, error);

    // 2. The record: from here the batch counts. Removals come first within each game, so a game
    // folder without staged files is finished.
    QList<BatchTarget> targets;
    for (const StagedGame &game : m_games) {
        const QString folderName = QFileInfo(game.folder).fileName();
        for (const bool removals : {true, false})
            for (const StagedFile &file : game.files)
                if (file.remove == removals)
                    targets.append({folderName, QFileInfo(file.path).fileName(), file.remove});
    }
    if (!writeBatchRecord(m_root, targets, &error))
        return failAll(batchRecordPath(m_root), error);

    // 3. Every game in place.
    bool complete = true;
    QStringList folders;
    for (const StagedGame &game : m_games) {
        folders << game.folder;
        QString failedPath;
        for (const bool removals : {true, false}) {
            for (const StagedFile &file : game.files) {
                if (file.remove != removals || !failedPath.isEmpty())
                    continue;
                const bool done = file.remove ? (!QFileInfo(file.path).isFile() || QFile::remove(file.path))
                                              : replaceFile(batchStagedPath(file.path), file.path);
                if (!done)
                    failedPath = file.path;
            }
        }
        if (failedPath.isEmpty()) {
            outcomes.append({game.number, StoreResult::done(true)});
            for (const StagedFile &file : game.files)
                GameStore::noteChange(file.path, file.remove ? nullptr : &file.bytes);
        } else {
            // The game counts as written: the next reading finishes it from the record.
            complete = false;
            outcomes.append({game.number,
                StoreResult::failed(failedPath, QStringLiteral("cannot move the new files into place"), false)});
        }
    }
    m_games.clear();
    m_note.close();
    // 4. The renames on the disk before the record goes; a file left behind keeps the record, and
    // the next reading finishes the batch from it.
    if (complete)
        finishBatch(m_root, folders);
    m_lock.reset();
    return outcomes;
}

} // namespace briqo
