#pragma once

#include "store/game_store.h"
#include "store/batch_commit.h"
#include "store/save_commit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>

#include <memory>

namespace briqo {

class FolderLock;

// Many games written together, as an import writes them: each game lands whole or not at all,
// whatever instant a crash or a kill strikes, but the disk is waited for once per batch instead
// of several times per game. Games are staged one by one (the caller may stop between two), and
// commit() puts every staged game in place at once. The games folder stays locked from the first
// stage() to commit(); full() says when to commit so that another writer never waits long.
class GameBatch {
public:
    explicit GameBatch(const GameStore &store);
    // What was staged and not committed is undone: the old games stay.
    ~GameBatch();
    GameBatch(const GameBatch &) = delete;
    GameBatch &operator=(const GameBatch &) = delete;

    // Stages every file of the game, as commitGame would write them. ok: staged, the outcome comes
    // with commit(). Otherwise nothing of the game is staged: a file could not be staged
    // (unchanged), the game is stored already (alreadyStored) or another process keeps the games
    // folder (busy). A game whose number is staged already commits the batch first.
    StoreResult stage(const Game &game, CommitWhen when = CommitWhen::Always);

    // Staging has gone on long enough: commit before staging more.
    bool full() const;
    int stagedGames() const { return int(m_games.size()); }

    struct Outcome {
        long long number = 0;
        StoreResult result; // ok, or failed: unchanged when the old game stays
    };
    // Puts every staged game in place, and lets the games folder go. One outcome per game staged
    // since the last commit, in the order they were staged.
    QList<Outcome> commit();

    // Staging stops after this many games or this long, whichever comes first.
    static constexpr int MaxGames = 1000;
    static constexpr int MaxStagingMs = 2000;

private:
    struct StagedGame {
        long long number = 0;
        QString folder;
        bool newFolder = false;
        QList<StagedFile> files; // targets as spelled on disk
    };
    void undo();
    void unstage(const StagedGame &game);

    const GameStore &m_store;
    QString m_root;
    std::unique_ptr<FolderLock> m_lock;
    QFile m_note;
    QList<StagedGame> m_games;
    QHash<QString, QString> m_folders; // the game folders on disk, by their name in lower case
    QList<Outcome> m_earlier; // of a commit that a repeated number made
    QElapsedTimer m_staging;
};

} // namespace briqo
