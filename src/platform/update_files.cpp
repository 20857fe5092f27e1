#include "platform/update_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace briqo {

QString readVersionLine(const QString &versionFile)
{
    QFile file(versionFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray line = file.readLine(MaxVersionLineLength);
    if (line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromLatin1(line);
}

QString versionFilePath(const QString &programFolder) { return programFolder + QStringLiteral("/versie.txt"); }

QString updateFolderPath(const QString &programFolder) { return programFolder + QStringLiteral("/Update"); }

QString installerFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Briqo.exe");
#else
    return QStringLiteral("Briqo.run");
#endif
}

QString installerPath(const QString &programFolder)
{
    return updateFolderPath(programFolder) + QLatin1Char('/') + installerFileName();
}

QString removeVersionFile(const QString &programFolder)
{
    const QString file = versionFilePath(programFolder);
    QFile::remove(file);
    return file;
}

QString prepareInstallerPath(const QString &programFolder)
{
    QDir().mkpath(updateFolderPath(programFolder));
    const QString installer = installerPath(programFolder);
    QFile::remove(installer);
    return installer;
}

bool makeInstallerExecutable(const QString &installer)
{
    const QFileInfo file(installer);
    return file.isFile() && file.size() > 0
        && QFile::setPermissions(installer,
            QFile::permissions(installer) | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace briqo
