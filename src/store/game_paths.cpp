#include "store/game_paths.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/path_lookup.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <dirent.h>

namespace briqo {

GameWords gameWords(int languageNumber)
{
    GameWords words;
    words.gamesFolder = ResString(Str::GamesFolder, languageNumber);
    words.game = ResString(Str::Game, languageNumber);
    words.bidding = ResString(Str::BiddingWord, languageNumber);
    words.hands = ResString(Str::HandsWord, languageNumber);
    words.lead = ResString(Str::Lead, languageNumber);
    words.contract = ResString(Str::Contract, languageNumber);
    words.question = ResString(Str::Question, languageNumber);
    words.answer = ResString(Str::Answer, languageNumber);
    return words;
}

QString GameDigits(long long n)
{
    const long long digits = ((n % 1000) + 1000) % 1000;
    return QStringLiteral("%1").arg(digits, 3, 10, QLatin1Char('0'));
}

QString gameFolderName(const GameWords &words, long long n) { return words.game + QLatin1Char(' ') + GameDigits(n); }

QString gameFileName(const QString &folderName, const QString &word)
{
    return folderName + QLatin1Char(' ') + word + QStringLiteral(".txt");
}

QString GamesRoot(const QString &programFolder, const GameWords &words)
{
    return resolvePath(programFolder, {words.gamesFolder});
}

QString GameFolder(const QString &programFolder, const GameWords &words, long long n)
{
    return resolvePath(programFolder, {words.gamesFolder, gameFolderName(words, n)});
}

QString gameFolderOfEntry(const QString &gamesRoot, const QString &folderName)
{
    return resolvePath(gamesRoot, {folderName});
}

QString gameFilePath(const QString &gameFolder, const QString &folderName, const QString &word)
{
    return resolvePath(gameFolder, {gameFileName(folderName, word)});
}

QStringList folderEntries(const QString &folder)
{
    // The system's own listing: a game folder is listed on every save and every load, and QDir
    // costs several times more for a handful of names.
    QStringList entries;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return entries;
    while (const dirent *entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            entries.append(QFile::decodeName(entry->d_name));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end());
    return entries;
}

GameFilePaths gameFilePaths(const QString &gameFolder, const QString &folderName, const GameWords &words)
{
    // The folder is listed once for all six names (a game rarely has all its files).
    const QString folder = resolveExisting(gameFolder);
    return gameFilePathsIn(folder, folderEntries(folder), folderName, words);
}

GameFilePaths gameFilePathsIn(
    const QString &folder, const QStringList &entries, const QString &folderName, const GameWords &words)
{
    const auto path = [&](const QString &word) {
        const QString name = gameFileName(folderName, word);
        if (!entries.contains(name)) {
            for (const QString &entry : entries) {
                if (entry.compare(name, Qt::CaseInsensitive) == 0)
                    return joinPath(folder, entry);
            }
        }
        return joinPath(folder, name);
    };
    return {folder, path(words.bidding), path(words.hands), path(words.lead), path(words.contract),
        path(words.question), path(words.answer)};
}

} // namespace briqo
