#include "store/game_store.h"

#include "store/file_state.h"
#include "store/folder_lock.h"
#include "store/game_list.h"
#include "store/path_lookup.h"
#include "store/picture_numbering.h"
#include "store/batch_commit.h"
#include "store/save_commit.h"
#include "store/text_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace briqo {

namespace {

GameStore::Journal &journal()
{
    static GameStore::Journal instance;
    return instance;
}

void note(const QString &path, const QByteArray *bytes)
{
    if (journal())
        journal()(path, bytes);
}

// A version before the lock file's record noted each running commit's game folder in a file of
// its own in the games folder; what such a version left is still recovered.
const QString PendingNoteStart = QStringLiteral(".briqo-pending ");

// Reads the game's files that the folder's listing shows; one it does not show is not looked
// for again.
Game readGameFiles(const GameFilePaths &p, const QStringList &entries, long long n)
{
    const auto listed = [&entries](const QString &path) { return entries.contains(QFileInfo(path).fileName()); };
    Game game;
    game.number = n;
    if (listed(p.hands))
        game.holdings = readHandsFile(p.hands);
    if (listed(p.auction))
        game.auction = readAuctionFile(p.auction);
    if (listed(p.contract))
        game.contract = readContractFile(p.contract);
    if (listed(p.lead))
        game.lead = readLeadFile(p.lead);
    game.hasQuestionFile = listed(p.question) && FileState(p.question) == 1;
    game.hasAnswerFile = listed(p.answer) && FileState(p.answer) == 1;
    if (game.hasQuestionFile)
        game.question = readJoinedText(p.question);
    if (game.hasAnswerFile)
        game.answer = readJoinedText(p.answer);
    return game;
}

} // namespace

void GameStore::setJournal(Journal journal) { briqo::journal() = std::move(journal); }

void GameStore::noteChange(const QString &path, const QByteArray *bytes) { note(path, bytes); }

GameStore::GameStore(QString programFolder, int languageNumber)
    : m_programFolder(std::move(programFolder))
    , m_languageNumber(languageNumber)
    , m_words(gameWords(languageNumber))
{ }

QString GameStore::gamesRoot() const { return GamesRoot(m_programFolder, m_words); }

QString GameStore::folderName(long long n) const { return gameFolderName(m_words, n); }

QString GameStore::folderOf(long long n) const { return GameFolder(m_programFolder, m_words, n); }

GameFilePaths GameStore::paths(long long n) const { return gameFilePaths(folderOf(n), folderName(n), m_words); }

bool GameStore::isStored(long long n) const { return FileState(paths(n).auction) == 1; }

QString GameStore::pathOf(long long n, GameFileKind kind) const { return pathIn(paths(n), kind); }

QString GameStore::pathIn(const GameFilePaths &p, GameFileKind kind)
{
    switch (kind) {
    case GameFileKind::Auction:
        return p.auction;
    case GameFileKind::Hands:
        return p.hands;
    case GameFileKind::Contract:
        return p.contract;
    case GameFileKind::Lead:
        return p.lead;
    case GameFileKind::Question:
        return p.question;
    case GameFileKind::Answer:
        return p.answer;
    }
    return {};
}

Game GameStore::load(long long n) const
{
    // A read takes the lock only when it meets what a commit leaves while it runs (staged files,
    // its record), before or after reading: it then waits for that commit, or finishes or undoes
    // one that was cut off, and reads again. So commands that only read never touch the games
    // folder.
    const QString folder = folderOf(n);
    const auto settle = [&] {
        const FolderLock lock(gamesRoot());
        if (!lock.busy())
            recoverSave(folder);
    };
    // One listing of the folder serves the look-up of every file and tells whether a commit left
    // something there.
    QStringList entries = folderEntries(folder);
    const auto leftovers
        = [&] { return std::any_of(entries.begin(), entries.end(), isTemporaryName) && needsRecovery(folder); };
    if (leftovers()) {
        settle();
        entries = folderEntries(folder);
    }
    Game game = readGameFiles(gameFilePathsIn(folder, entries, folderName(n), m_words), entries, n);
    if (needsRecovery(folder)) {
        settle();
        entries = folderEntries(folder);
        game = readGameFiles(gameFilePathsIn(folder, entries, folderName(n), m_words), entries, n);
    }
    return game;
}

StoreResult GameStore::commit(long long n, const QList<GameFileChange> &changes, CommitWhen when) const
{
    const bool writes
        = std::any_of(changes.begin(), changes.end(), [](const GameFileChange &c) { return c.bytes.has_value(); });
    const QString root = gamesRoot();
    if (writes && !QFileInfo(root).isDir())
        CreateFolderPath(root);
    else if (!writes && !QFileInfo(folderOf(n)).isDir())
        return StoreResult::done(false); // nothing to remove
    const FolderLock lock(root);
    if (lock.busy())
        return StoreResult::busyFolder(FolderLock::lockPath(root));
    const QString folder = folderOf(n);
    if (when == CommitWhen::OnlyIfNew && isStored(n)) {
        StoreResult result = StoreResult::failed(folder, QStringLiteral("the game is stored already"));
        result.alreadyStored = true;
        return result;
    }
    const bool newFolder = !QFileInfo(folder).isDir();
    if (writes && newFolder)
        CreateFolderPath(folder);

    QList<StagedFile> files;
    const GameFilePaths p = gameFilePaths(folder, folderName(n), m_words);
    for (const GameFileChange &change : changes) {
        const QString path = pathIn(p, change.kind);
        if (change.bytes)
            files.append({path, *change.bytes, false});
        else if (FileState(path) >= 0)
            files.append({path, {}, true});
    }
    if (files.isEmpty())
        return StoreResult::done(false);

    QString failedPath;
    QString error;
    bool unchanged = true;
    const bool committed = commitFiles(folder, files, &failedPath, &error, &unchanged);
    if (!committed) {
        // A new game that did not land leaves no empty folder behind.
        if (newFolder && unchanged)
            QDir().rmdir(folder);
        return StoreResult::failed(failedPath, error, unchanged);
    }
    for (const StagedFile &file : files)
        note(file.path, file.remove ? nullptr : &file.bytes);
    return StoreResult::done(true);
}

std::optional<QList<GameFileChange>> GameStore::changesOf(const Game &game, StoreResult *failure) const
{
    const long long n = game.number;
    auto writeOrRemove = [](GameFileKind kind, bool present, const QByteArray &bytes) {
        return present ? GameFileChange {kind, bytes} : GameFileChange {kind, std::nullopt};
    };
    QByteArray leadBytes;
    if (game.lead) {
        const QString line = formatLeadLine(game.lead->leaderName, game.lead->suitIndex, game.lead->cardText);
        if (line.isEmpty()) {
            *failure = StoreResult::failed(paths(n).lead, QStringLiteral("no valid lead to write"));
            return std::nullopt;
        }
        leadBytes = textLinesBytes({line});
    }
    const bool question = game.hasQuestionFile || !game.question.isEmpty();
    const bool answer = game.hasAnswerFile || !game.answer.isEmpty();
    return QList<GameFileChange> {
        {GameFileKind::Auction, auctionFileBytes(game.auction.value_or(AuctionFile {}))},
        {GameFileKind::Hands, handsFileBytes(game.holdings)},
        writeOrRemove(GameFileKind::Contract, !game.contract.isEmpty(), textLinesBytes({game.contract})),
        writeOrRemove(GameFileKind::Lead, game.lead.has_value(), leadBytes),
        writeOrRemove(GameFileKind::Question, question, question ? textItemBytes(game.question) : QByteArray()),
        writeOrRemove(GameFileKind::Answer, answer, answer ? textItemBytes(game.answer) : QByteArray()),
    };
}

StoreResult GameStore::commitGame(const Game &game, CommitWhen when) const
{
    StoreResult failure;
    const std::optional<QList<GameFileChange>> changes = changesOf(game, &failure);
    if (!changes)
        return failure;
    return commit(game.number, *changes, when);
}

StoreResult GameStore::save(const Game &game) const
{
    return commit(game.number,
        {{GameFileKind::Auction, auctionFileBytes(game.auction.value_or(AuctionFile {}))},
            {GameFileKind::Hands, handsFileBytes(game.holdings)}});
}

StoreResult GameStore::writeContract(long long n, const QString &contractText) const
{
    return commit(n, {{GameFileKind::Contract, textLinesBytes({contractText})}});
}

StoreResult GameStore::writeLead(long long n, const LeadLine &lead) const
{
    const QString line = formatLeadLine(lead.leaderName, lead.suitIndex, lead.cardText);
    if (line.isEmpty())
        return StoreResult::failed(paths(n).lead, QStringLiteral("no valid lead to write"));
    return commit(n, {{GameFileKind::Lead, textLinesBytes({line})}});
}

StoreResult GameStore::removeLead(long long n) const { return commit(n, {{GameFileKind::Lead, std::nullopt}}); }

StoreResult GameStore::removeContract(long long n) const { return commit(n, {{GameFileKind::Contract, std::nullopt}}); }

StoreResult GameStore::writeQuestion(long long n, const QString &text) const
{
    return commit(n, {{GameFileKind::Question, textItemBytes(text)}});
}

StoreResult GameStore::removeQuestion(long long n) const { return commit(n, {{GameFileKind::Question, std::nullopt}}); }

StoreResult GameStore::writeAnswer(long long n, const QString &text) const
{
    return commit(n, {{GameFileKind::Answer, textItemBytes(text)}});
}

StoreResult GameStore::removeAnswer(long long n) const { return commit(n, {{GameFileKind::Answer, std::nullopt}}); }

StoreResult GameStore::writeQuestionAndAnswer(long long n, const QString &question, const QString &answer) const
{
    return commit(
        n, {{GameFileKind::Question, textItemBytes(question)}, {GameFileKind::Answer, textItemBytes(answer)}});
}

QString GameStore::readQuestion(long long n) const { return readJoinedText(paths(n).question); }

QString GameStore::readAnswer(long long n) const { return readJoinedText(paths(n).answer); }

RemoveResult GameStore::remove(long long n) const
{
    RemoveResult result;
    const QString folder = folderOf(n);
    const QFileInfo top(folder);
    if (top.isSymLink() || (top.exists() && !top.isDir())) {
        result.ok = false;
        result.blockers.append(top.fileName());
        return result;
    }
    if (!top.exists())
        return result;
    // A games folder that keeps its entries (read-only, or on a read-only disk) would let every
    // file go and then keep the empty folder: the game would vanish from the list while the
    // message says it stays. Such a deletion does not start.
    if (::access(QFile::encodeName(top.absolutePath()).constData(), W_OK) != 0) {
        result.ok = false;
        result.failedPath = folder;
        return result;
    }
    // A commit of another process may be staging files in this very folder.
    const FolderLock lock(gamesRoot());
    if (lock.busy()) {
        result.ok = false;
        result.failedPath = folder;
        return result;
    }
    recoverSave(folder);

    // The game's own files, its pictures and temporaries go; anything else the user keeps there
    // stops the deletion before a single file is touched.
    const GameFilePaths p = paths(n);
    QStringList own;
    for (const QString &path : {p.lead, p.contract, p.question, p.answer, p.hands})
        own.append(QFileInfo(path).fileName().toLower());
    const QString auctionName = QFileInfo(p.auction).fileName();
    const QString pictureStart = folderName(n).toLower();

    QDir dir(folder);
    QStringList doomed;
    for (const QFileInfo &entry :
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString name = entry.fileName();
        const QString lower = name.toLower();
        if (name.compare(auctionName, Qt::CaseInsensitive) == 0 && entry.isFile())
            continue;
        const bool isPicture = lower.startsWith(pictureStart) && lower.endsWith(QLatin1String(".bmp"));
        if (entry.isFile() && !entry.isSymLink() && (own.contains(lower) || isPicture || isTemporaryName(name)))
            doomed.append(entry.absoluteFilePath());
        else
            result.blockers.append(name);
    }
    if (!result.blockers.isEmpty()) {
        result.ok = false;
        return result;
    }
    // The auction file goes last: while it is there the game is still listed, so a deletion that
    // stops half-way leaves a listed game rather than an invisible remnant.
    const QString auctionFile = matchInFolder(folder, auctionName);
    if (!auctionFile.isEmpty())
        doomed.append(dir.filePath(auctionFile));
    for (const QString &path : doomed) {
        if (!QFile::remove(path)) {
            result.ok = false;
            result.failedPath = path;
            return result;
        }
        note(path, nullptr);
    }
    if (!dir.rmdir(folder)) {
        result.ok = false;
        result.failedPath = folder;
    }
    return result;
}

QStringList GameStore::list() const { return scanGameList(gamesRoot(), m_words); }

QString GameStore::contractOfEntry(const QString &entry) const
{
    return readContractFile(contractFileOfEntry(gamesRoot(), m_words, entry));
}

QStringList GameStore::contractsOfEntries(const QStringList &entries) const
{
    // One look-up of the games folder, then one attempt to open each file as it is normally
    // spelled; only a file that is not there so is looked for ignoring letter case.
    const QString root = gamesRoot();
    QStringList lines;
    lines.reserve(entries.size());
    for (const QString &entry : entries) {
        QFile file(root + QLatin1Char('/') + entry + QLatin1Char('/') + gameFileName(entry, m_words.contract));
        if (file.open(QIODevice::ReadOnly))
            lines.append(readFirstLine(file));
        else
            lines.append(readContractFile(contractFileOfEntry(root, m_words, entry)));
    }
    return lines;
}

QStringList GameStore::pictures(long long n) const { return bmpFileNames(folderOf(n)); }

void GameStore::ensureFolder(long long n) const { CreateFolderPath(folderOf(n)); }

void GameStore::ensureGamesRoot() const { CreateFolderPath(gamesRoot()); }

QString GameStore::nextPicturePath(long long n) const
{
    return joinPath(folderOf(n), pictureFileName(m_words, n, nextPictureSuffix(n)));
}

QString GameStore::nextPictureSuffix(long long n) const
{
    ensureFolder(n);
    return nextPictureSuffixInFolder(folderOf(n));
}

StoreResult GameStore::writePicture(long long n, const QString &suffix, const QByteArray &bytes) const
{
    const QString path = joinPath(folderOf(n), pictureFileName(m_words, n, suffix));
    if (!isPictureSuffix(suffix))
        return StoreResult::failed(path, QStringLiteral("not a picture name"));
    if (bytes.isEmpty())
        return StoreResult::failed(path, QStringLiteral("no picture"));
    ensureFolder(n);
    QString error;
    if (!writeFileBytes(path, bytes, &error))
        return StoreResult::failed(path, error);
    note(path, &bytes);
    return StoreResult::done(true);
}

bool GameStore::removePicture(long long n, const QString &fileName) const
{
    if (fileName.contains(QLatin1Char('/')) || !fileName.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive))
        return false;
    const QString path = resolvePath(folderOf(n), {fileName});
    if (!QFileInfo::exists(path))
        return true;
    if (!QFile::remove(path))
        return false;
    note(path, nullptr);
    return true;
}

bool GameStore::recoverAll() const
{
    // Only the games folder's lock file is read, and the game folder it names: a single save cut
    // off by a kill staged in the folder noted there, and one cut off after its record is named by
    // the record. A batch leaves a record and a note of its own.
    const QString root = resolveExisting(gamesRoot());
    QStringList folders = foldersToRecover(root);
    QStringList notes;
    QDirIterator entries(root, {PendingNoteStart + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    while (entries.hasNext())
        notes.append(entries.next());
    for (const QString &note : notes) {
        const QString name = QFileInfo(note).fileName().mid(PendingNoteStart.size());
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')))
            folders.append(joinPath(root, name));
    }
    const bool batch = batchLeftIn(root);
    if (folders.isEmpty() && !batch)
        return true;
    const FolderLock lock(root);
    if (lock.busy())
        return false;
    if (batch)
        recoverBatch(root);
    for (const QString &folder : folders)
        recoverSave(folder);
    for (const QString &note : notes)
        QFile::remove(note);
    return true;
}

} // namespace briqo
