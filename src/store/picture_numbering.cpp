#include "store/picture_numbering.h"

#include "base/string_table.h"
#include "store/path_lookup.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>
#include <vector>

namespace briqo {

namespace {

const QString kBmpEnding = QStringLiteral(".bmp");

QString baseOf(const QString &fileName) { return fileName.section(QLatin1Char('.'), 0, 0); }

} // namespace

long long pictureNumber(const QString &fileName)
{
    const QString base = baseOf(fileName);
    const qsizetype underscore = base.indexOf(QLatin1Char('_'));
    if (underscore < 0)
        return 0;
    return leadingNumber(base.mid(underscore + 1));
}

int nextPictureNumber(const QStringList &fileNames)
{
    // With m pictures the answer is at most m, so only numbers 0..m need remembering.
    std::vector<bool> used(fileNames.size() + 1, false);
    for (const QString &name : fileNames) {
        if (!name.endsWith(kBmpEnding, Qt::CaseInsensitive))
            continue;
        const long long number = pictureNumber(name);
        if (number >= 0 && number < static_cast<long long>(used.size()))
            used[static_cast<std::size_t>(number)] = true;
    }
    const auto firstFree = std::find(used.begin(), used.end(), false);
    return static_cast<int>(firstFree - used.begin());
}

QString pictureSuffix(int number) { return number == 0 ? QString() : QLatin1Char('_') + QString::number(number); }

bool isPictureSuffix(const QString &suffix)
{
    if (suffix.isEmpty())
        return true;
    if (suffix.size() < 2 || suffix.front() != QLatin1Char('_'))
        return false;
    return std::all_of(suffix.begin() + 1, suffix.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString nextPictureSuffix(const QStringList &fileNames) { return pictureSuffix(nextPictureNumber(fileNames)); }

QStringList bmpFileNames(const QString &gameFolder)
{
    QStringList names;
    QDirIterator files(resolveExisting(gameFolder), QDir::Files);
    while (files.hasNext()) {
        files.next();
        const QString name = files.fileName();
        if (name.endsWith(kBmpEnding, Qt::CaseInsensitive))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int byName = a.compare(b, Qt::CaseInsensitive);
        return byName != 0 ? byName < 0 : a < b;
    });
    return names;
}

QStringList pictureBases(const QStringList &fileNames)
{
    QStringList bases;
    bases.reserve(fileNames.size());
    for (const QString &name : fileNames)
        bases.append(baseOf(name));
    return bases;
}

QString nextPictureSuffixInFolder(const QString &gameFolder) { return nextPictureSuffix(bmpFileNames(gameFolder)); }

QString pictureFileName(const GameWords &words, long long n, const QString &suffix)
{
    return gameFolderName(words, n) + suffix + kBmpEnding;
}

} // namespace briqo
