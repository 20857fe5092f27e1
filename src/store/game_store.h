#pragma once

#include "store/game.h"
#include "store/game_paths.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace briqo {

// What a write or removal of the store came to. ok false: path names the file or folder that
// failed, and unchanged tells whether everything on disk is still as it was before the call.
struct StoreResult {
    bool ok = true;
    bool unchanged = true;
    QString path;
    QString error;

    explicit operator bool() const { return ok; }
    static StoreResult failed(const QString &path, const QString &error, bool unchanged = true)
    {
        return {false, unchanged, path, error};
    }
};

// What a game folder holds besides the game's own files and pictures: a deletion stops at them.
struct RemoveResult {
    bool ok = true;
    QStringList blockers; // names below the game folder that are not the game's (sub-folders, other files)
    QString failedPath; // a file that could not be removed

    explicit operator bool() const { return ok; }
};

// The games folder of one language below a program folder: the only code that reads or writes
// a game. Every write replaces its file whole, so a crash or a full disk leaves the old file; a
// save of the auction and the hands together is all-or-nothing across both files.
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

    StoreResult writeContract(long long n, const QString &contractText) const;
    StoreResult removeContract(long long n) const;
    StoreResult writeLead(long long n, const LeadLine &lead) const;
    StoreResult removeLead(long long n) const;
    StoreResult writeQuestion(long long n, const QString &text) const;
    StoreResult removeQuestion(long long n) const;
    StoreResult writeAnswer(long long n, const QString &text) const;
    StoreResult removeAnswer(long long n) const;
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

    // Finishes or undoes every save that was cut off, and removes the temporary files it left.
    void recoverAll() const;

private:
    void recover(long long n) const;
    StoreResult writeLine(const QString &path, const QString &line) const;
    StoreResult removeFile(const QString &path) const;

    QString m_programFolder;
    int m_languageNumber;
    GameWords m_words;
};

} // namespace briqo
