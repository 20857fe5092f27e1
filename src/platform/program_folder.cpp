#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace briqo {

QString applicationId() { return QStringLiteral(BRIQO_APP_ID); }

QString programVersion()
{
    return QStringLiteral("%1.%2.%3").arg(BRIQO_VERSION_MAJOR).arg(BRIQO_VERSION_MINOR).arg(BRIQO_VERSION_PATCH);
}

bool isInstalledTree(const QString &programFolder)
{
    const QDir bin(programFolder);
    if (bin.dirName() != QLatin1String("bin"))
        return false;
    return QFileInfo::exists(
        bin.absoluteFilePath(QStringLiteral("../share/applications/") + applicationId() + QStringLiteral(".desktop")));
}

QString dataFolderFor(const QString &programFolder)
{
    // Asking the file system is enough: a file made to find out would cost every start a write.
    const bool writable = ::access(QFile::encodeName(programFolder).constData(), W_OK) == 0;
    if (writable && !isInstalledTree(programFolder))
        return programFolder;
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return userFolder;
}

} // namespace briqo
