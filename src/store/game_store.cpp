#include "store/game_store.h"

#include "store/file_state.h"
#include "store/game_list.h"
#include "store/path_lookup.h"
#include "store/picture_numbering.h"
#include "store/save_commit.h"
#include "store/text_file.h"

#include <QDir>
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

StoreResult fromWrite(bool ok, const QString &path, const QByteArray &bytes, const QString &error)
{
    if (!ok)
        return StoreResult::failed(path, error);
    note(path, &bytes);
    return {};
}

} // namespace

void GameStore::setJournal(Journal journal) { briqo::journal() = std::move(journal); }

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

void GameStore::recover(long long n) const { recoverSave(folderOf(n)); }

Game GameStore::load(long long n) const
{
    recover(n);
    const GameFilePaths p = paths(n);
    Game game;
    game.number = n;
    game.holdings = readHandsFile(p.hands);
    game.auction = readAuctionFile(p.auction);
    game.contract = readContractFile(p.contract);
    game.lead = readLeadFile(p.lead);
    game.hasQuestionFile = FileState(p.question) == 1;
    game.hasAnswerFile = FileState(p.answer) == 1;
    if (game.hasQuestionFile)
        game.question = readJoinedText(p.question);
    if (game.hasAnswerFile)
        game.answer = readJoinedText(p.answer);
    return game;
}

StoreResult GameStore::save(const Game &game) const
{
    const QString folder = folderOf(game.number);
    CreateFolderPath(folder);
    const GameFilePaths p = paths(game.number);
    const AuctionFile auction = game.auction.value_or(AuctionFile {});
    QString failedPath;
    QString error;
    bool unchanged = true;
    const QList<StagedFile> files {{p.auction, auctionFileBytes(auction)}, {p.hands, handsFileBytes(game.holdings)}};
    if (!commitFiles(p.folder, files, &failedPath, &error, &unchanged))
        return StoreResult::failed(failedPath, error, unchanged);
    for (const StagedFile &file : files)
        note(file.path, &file.bytes);
    return {};
}

StoreResult GameStore::writeLine(const QString &path, const QString &line) const
{
    QString error;
    const QByteArray bytes = textLinesBytes({line});
    return fromWrite(writeFileBytes(path, bytes, &error), path, bytes, error);
}

StoreResult GameStore::removeFile(const QString &path) const
{
    if (FileState(path) < 0)
        return {};
    if (QFile::remove(resolveExisting(path))) {
        note(path, nullptr);
        return {};
    }
    return StoreResult::failed(path, QStringLiteral("cannot remove the file"));
}

StoreResult GameStore::writeContract(long long n, const QString &contractText) const
{
    CreateFolderPath(folderOf(n));
    return writeLine(paths(n).contract, contractText);
}

StoreResult GameStore::writeLead(long long n, const LeadLine &lead) const
{
    const QString line = formatLeadLine(lead.leaderName, lead.suitIndex, lead.cardText);
    if (line.isEmpty())
        return StoreResult::failed(paths(n).lead, QStringLiteral("no valid lead to write"));
    CreateFolderPath(folderOf(n));
    return writeLine(paths(n).lead, line);
}

StoreResult GameStore::removeLead(long long n) const { return removeFile(paths(n).lead); }

StoreResult GameStore::removeContract(long long n) const { return removeFile(paths(n).contract); }

StoreResult GameStore::writeQuestion(long long n, const QString &text) const
{
    CreateFolderPath(folderOf(n));
    const QString path = paths(n).question;
    QString error;
    const QByteArray bytes = textItemBytes(text);
    return fromWrite(writeFileBytes(path, bytes, &error), path, bytes, error);
}

StoreResult GameStore::removeQuestion(long long n) const { return removeFile(paths(n).question); }

StoreResult GameStore::writeAnswer(long long n, const QString &text) const
{
    CreateFolderPath(folderOf(n));
    const QString path = paths(n).answer;
    QString error;
    const QByteArray bytes = textItemBytes(text);
    return fromWrite(writeFileBytes(path, bytes, &error), path, bytes, error);
}

StoreResult GameStore::removeAnswer(long long n) const { return removeFile(paths(n).answer); }

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
    recover(n);

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
    return fromWrite(writeFileBytes(path, bytes, &error), path, bytes, error);
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

void GameStore::recoverAll() const
{
    QDir root(gamesRoot());
    if (!root.exists())
        return;
    for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        recoverSave(root.filePath(name));
}

} // namespace briqo
