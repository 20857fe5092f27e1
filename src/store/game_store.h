#pragma once

#include "store/game.h"
#include "store/game_paths.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace briqo {

// What a write or removal of the store came to. unchanged tells whether everything on disk is
// still as it was before the call (a write that succeeded changed something; a removal of a file
// that was not there did not). ok false: path names the file or folder that failed and error
// says why.
struct StoreResult {
    bool ok = true;
    bool unchanged = true;
    QString path;
    QString error;
    bool busy = false; // another process kept the games folder locked: nothing was done
    bool alreadyStored = false; // a commit only for a new game found the game stored: nothing was done

    explicit operator bool() const { return ok; }
    bool changed() const { return !unchanged; }
    static StoreResult done(bool changed) { return {true, !changed, {}, {}}; }
    static StoreResult failed(const QString &path, const QString &error, bool unchanged = true)
    {
        return {false, unchanged, path, error};
    }
    // Another program holds the games folder's lock: nothing was done.
    static StoreResult busyFolder(const QString &lockPath)
    {
        StoreResult result = failed(lockPath, QStringLiteral("another program is writing in the games folder"));
        result.busy = true;
        return result;
    }
};

// The files of a game, as a commit names them.
enum class GameFileKind { Auction, Hands, Contract, Lead, Question, Answer };

// One file of a commit: its new bytes, or removed (a file that is not there stays away).
struct GameFileChange {
    GameFileKind kind;
    std::optional<QByteArray> bytes;
};

enum class CommitWhen {
    Always,
    OnlyIfNew, // nothing is written when the game is stored already (alreadyStored)
};

// What a game folder holds besides the game's own files and pictures: a deletion stops at them.
struct RemoveResult {
    bool ok = true;
    QStringList blockers; // names below the game folder that are not the game's (sub-folders, other files)
    QString failedPath; // a file that could not be removed

    explicit operator bool() const { return ok; }
};

// The games folder of one language below a program folder: the only code that reads or writes
// a game. Every write is one commit: all the files it changes land together or none does,
// whatever instant a crash, a kill or a full disk strikes, and only one process at a time
// commits into a games folder (a second waits a few seconds, then is told the folder is busy).
class GameStore {
public:
    GameStore(QString programFolder, int languageNumber);

    // Told of every file the store has written (with its bytes) or removed (null bytes), so that a
    // long run can check the disk against what the store says it did.
    using Journal = std::function<void(const QString &path, const QByteArray *bytes)>;
    static void setJournal(Journal journal);

    int languageNumber() const { return m_languageNumber; }
    const GameWords &words() const { return m_words; }
    const QString &programFolder() const { return m_programFolder; }

    QString gamesRoot() const;
    QString folderName(long long n) const; // "Spel 005"
    QString folderOf(long long n) const; // <games root>/Spel 005, in its spelling on disk
    GameFilePaths paths(long long n) const;

    // The game has an auction file of at least one byte: saving it again asks first.
    bool isStored(long long n) const;

    // Reads every file of game n (finishing or undoing a save that was cut off first). A missing
    // folder gives a game with nothing but its number.
    Game load(long long n) const;

    // The auction file and the hands file of the game, both or neither.
    StoreResult save(const Game &game) const;

    // Every file of the game in one commit: its auction, hands, contract, lead, question and
    // answer are written, and those the game lacks are removed, so that nothing of an earlier
    // game stays beside it.
    StoreResult commitGame(const Game &game, CommitWhen when = CommitWhen::Always) const;
    // Some files of game n in one commit; the others stay as they are.
    StoreResult commit(long long n, const QList<GameFileChange> &changes, CommitWhen when = CommitWhen::Always) const;
    // The files commitGame writes and removes for a game; nullopt (with the failure) when the game
    // cannot be written as it is.
    std::optional<QList<GameFileChange>> changesOf(const Game &game, StoreResult *failure) const;

    StoreResult writeContract(long long n, const QString &contractText) const;
    StoreResult removeContract(long long n) const;
    StoreResult writeLead(long long n, const LeadLine &lead) const;
    StoreResult removeLead(long long n) const;
    StoreResult writeQuestion(long long n, const QString &text) const;
    StoreResult removeQuestion(long long n) const;
    StoreResult writeAnswer(long long n, const QString &text) const;
    StoreResult removeAnswer(long long n) const;
    // The question and the answer of the question-and-answer window, both or neither.
    StoreResult writeQuestionAndAnswer(long long n, const QString &question, const QString &answer) const;
    QString readQuestion(long long n) const;
    QString readAnswer(long long n) const;

    // Removes the game's files, its pictures and its folder. A folder that also holds something
    // else (a sub-folder, a file the user put there) is left whole and the blockers are named.
    RemoveResult remove(long long n) const;

    // The game folder names ("Spel 005") of the stored games, ascending.
    QStringList list() const;
    // "Zuid 4 Schoppen" for a list entry, empty when it has no contract.
    QString contractOfEntry(const QString &entry) const;
    // The contract lines of many list entries at once, in their order (empty where there is
    // none): the games overview reads every game's contract each time it opens.
    QStringList contractsOfEntries(const QStringList &entries) const;

    // The board pictures of a game, by name ("Spel 005.bmp", "Spel 005_1.bmp").
    QStringList pictures(long long n) const;
    // The path the next picture of game n is written to; creates the game folder.
    QString nextPicturePath(long long n) const;
    // The suffix of game n's next picture ("" or "_k", the lowest free number); creates the game
    // folder, so every game a picture is asked for has one.
    QString nextPictureSuffix(long long n) const;
    // Writes the bytes of a picture of game n under a suffix found before ("Spel 005_2.bmp"),
    // replacing a file of that name whole. A suffix other than "" or "_" and digits, or no bytes at
    // all, is refused.
    StoreResult writePicture(long long n, const QString &suffix, const QByteArray &bytes) const;
    bool removePicture(long long n, const QString &fileName) const;
    // Creates the game folder (the pictures window shows an empty one for a new number).
    void ensureFolder(long long n) const;
    void ensureGamesRoot() const;

    // Finishes or undoes every commit that was cut off, and removes the temporary files it left.
    // Each commit notes its game folder in the games folder while it runs, so only the games
    // folder is listed and only the folders of cut-off commits are touched. false when another
    // process kept the games folder locked while there was something to recover.
    bool recoverAll() const;

    QString pathOf(long long n, GameFileKind kind) const;
    static QString pathIn(const GameFilePaths &paths, GameFileKind kind);

    // Tells the journal of a file written (bytes) or removed (null).
    static void noteChange(const QString &path, const QByteArray *bytes);

private:
    QString m_programFolder;
    int m_languageNumber;
    GameWords m_words;
};

} // namespace briqo
