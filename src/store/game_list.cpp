#include "store/game_list.h"

#include "base/string_table.h"
#include "store/game_files.h"
#include "store/path_lookup.h"
#include "store/save_commit.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

namespace briqo {

namespace {

bool isThreeDigits(QStringView text)
{
    return text.size() == 3 && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

// "Spel 005 bieding.txt" -> "Spel 005"; empty for a name that is not a game of this language.
QString entryOfAuctionFile(const QString &fileName, const GameWords &words)
{
    const qsizetype firstBlank = fileName.indexOf(QLatin1Char(' '));
    if (firstBlank <= 0)
        return {};
    const QStringView word = QStringView(fileName).left(firstBlank);
    if (word.compare(words.game, Qt::CaseInsensitive) != 0)
        return {};
    const QStringView digits = QStringView(fileName).mid(firstBlank + 1, 3);
    const qsizetype afterDigits = firstBlank + 4;
    if (!isThreeDigits(digits) || (afterDigits < fileName.size() && fileName[afterDigits] != QLatin1Char(' ')))
        return {};
    return words.game + QLatin1Char(' ') + digits.toString();
}

} // namespace

QStringList scanGameList(const QString &gamesRoot, const GameWords &words)
{
    const QString auctionEnding = words.bidding + QStringLiteral(".txt");
    QStringList entries;
    // One listing of the root and one of each game folder: every name is compared here, ignoring
    // case, instead of asking the file system per game.
    QDirIterator folders(resolveExisting(gamesRoot), QDir::Dirs | QDir::NoDotAndDotDot);
    auto scanFolder = [&](const QString &folder, const QString &folderName, bool *interruptedSave) {
        QDirIterator files(folder, QDir::Files | QDir::Hidden);
        while (files.hasNext()) {
            files.next();
            const QString name = files.fileName();
            if ((isTemporaryName(name) && name.startsWith(QLatin1Char('.')))
                || (isSaveStagedName(name) && !*interruptedSave && recordedSavePendingIn(folder)))
                *interruptedSave = true;
            if (!name.endsWith(auctionEnding, Qt::CaseInsensitive))
                continue;
            // A copy of a game file in a folder of another name ("Kopie") is not a game: loading
            // that entry would look in the folder the name points to and find nothing.
            const QString entry = entryOfAuctionFile(name, words);
            if (!entry.isEmpty() && entry.compare(folderName, Qt::CaseInsensitive) == 0) {
                entries.append(entry);
                return;
            }
        }
    };
    while (folders.hasNext()) {
        const QString folder = folders.next();
        const QString folderName = folders.fileName();
        bool interruptedSave = false;
        scanFolder(folder, folderName, &interruptedSave);
        // A save cut off after it counted is finished now, so the game it stored is listed.
        if (interruptedSave) {
            recoverSaveLocked(folder);
            bool again = false;
            scanFolder(folder, folderName, &again);
        }
    }
    std::sort(entries.begin(), entries.end());
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

QStringList orderedGameList(const QStringList &sortedAscending, bool descending)
{
    if (!descending)
        return sortedAscending;
    QStringList reversed(sortedAscending.crbegin(), sortedAscending.crend());
    return reversed;
}

long long entryGameNumber(const QString &entry) { return leadingNumber(entry.section(QLatin1Char(' '), 1, 1)); }

QString contractFileOfEntry(const QString &gamesRoot, const GameWords &words, const QString &entry)
{
    return resolvePath(gamesRoot, {entry, gameFileName(entry, words.contract)});
}

QString contractCaptionText(const QString &entry, const QString &line)
{
    if (line.isEmpty())
        return {};
    return QString::number(entryGameNumber(entry)) + QStringLiteral(": ") + line;
}

QString gamesFrameCaption(const GameWords &words, const QString &entry, const QString &contractLine)
{
    const QString text = contractCaptionText(entry, contractLine);
    return text.isEmpty() ? words.gamesFolder : words.game + QLatin1Char(' ') + text;
}

QString contractTooltip(const QString &entry, const QString &line)
{
    if (line.isEmpty())
        return {};
    return entry + QStringLiteral(": ") + line;
}

int listRowAt(int y, int rowHeight, int topIndex, int count)
{
    if (rowHeight <= 0 || y < 0)
        return -1;
    const long long row = static_cast<long long>(y / rowHeight) + topIndex;
    return row >= 0 && row < count ? static_cast<int>(row) : -1;
}

} // namespace briqo
