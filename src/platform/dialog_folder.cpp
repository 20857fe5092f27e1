#include "platform/dialog_folder.h"

#include "base/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace briqo {

namespace {

const QString Section = QStringLiteral("Bestanden");
const QString Key = QStringLiteral("Map");

// The profile file holds single bytes, and its reader trims what it takes for blanks (a UTF-8
// byte among them): a folder is kept as a file URL, plain ASCII, so a name in any script comes
// back as it was. A plain path typed into the file by hand is taken as it stands.
QString stored(const QString &folder) { return QString::fromLatin1(QUrl::fromLocalFile(folder).toEncoded()); }
QString restored(const QString &value)
{
    if (value.startsWith(QLatin1String("file:")))
        return QUrl::fromEncoded(value.toLatin1()).toLocalFile();
    return value;
}

} // namespace

QString dialogStartFolder(const QString &settingsFile)
{
    if (!settingsFile.isEmpty()) {
        const QString last = restored(ReadIni(Section, Key, settingsFile));
        // A folder since removed (or a name cut short by the profile's line limit) is passed over.
        if (!last.isEmpty() && QFileInfo(last).isAbsolute() && QFileInfo(last).isDir())
            return last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

void rememberDialogFolder(const QString &settingsFile, const QString &chosenFile)
{
    if (settingsFile.isEmpty() || chosenFile.isEmpty())
        return;
    WriteIni(Section, Key, stored(QFileInfo(chosenFile).absolutePath()), settingsFile);
}

} // namespace briqo
