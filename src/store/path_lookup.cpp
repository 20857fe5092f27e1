#include "store/path_lookup.h"

#include <QDir>
#include <QFileInfo>

namespace briqo {

QString joinPath(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    if (a.endsWith(QLatin1Char('/')))
        return a + b;
    return a + QLatin1Char('/') + b;
}

QString matchInFolder(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString listed = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (QFileInfo::exists(joinPath(listed, name)))
        return name;
    const QStringList entries
        = QDir(listed).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

QString resolveExisting(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;

    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash == path.size() - 1) {
        // A trailing separator names the folder itself.
        if (slash == 0)
            return path;
        return resolveExisting(path.left(slash)) + QLatin1Char('/');
    }

    const QString name = path.mid(slash + 1);
    if (slash < 0) {
        const QString found = matchInFolder(QString(), name);
        return found.isEmpty() ? path : found;
    }
    const QString parent = resolveExisting(slash == 0 ? QStringLiteral("/") : path.left(slash));
    const QString found = matchInFolder(parent, name);
    return joinPath(parent, found.isEmpty() ? name : found);
}

QString resolvePath(const QString &root, const QStringList &parts)
{
    QString path = root;
    for (const QString &part : parts) {
        if (!part.isEmpty())
            path = joinPath(path, part);
    }
    return resolveExisting(path);
}

} // namespace briqo
