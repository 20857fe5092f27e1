#include "shell/update_rules.h"

#include "shell/profile.h"
#include "shell/string_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace briqo {

namespace {

const QString kSection = QStringLiteral("Update");

// A value an administrator typed: "server/versie.txt" is read as an http address, as a browser
// would; anything that still is no web or file address falls back to the maker's.
QString addressOrDefault(const QString &value, const QString &fallback)
{
    if (value.isEmpty())
        return fallback;
    const QUrl url = QUrl::fromUserInput(value);
    if (!url.isValid())
        return fallback;
    const QString scheme = url.scheme();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (!(web && !url.host().isEmpty()) && scheme != QLatin1String("file"))
        return fallback;
    return url.toString();
}

} // namespace

QString defaultVersionUrl() { return QStringLiteral("https://update.briqo.example/versie.txt"); }

QString defaultInstallerUrl()
{
#ifdef Q_OS_WIN
    return QStringLiteral("https://update.briqo.example/Briqo.exe");
#else
    return QStringLiteral("https://update.briqo.example/linux/Briqo.run");
#endif
}

QString defaultWebsite() { return QStringLiteral("https://briqo.example"); }

UpdateSettings readUpdateSettings(const QString &iniFile)
{
    const QString website = ReadIni(kSection, QStringLiteral("Website"), iniFile);
    return {
        addressOrDefault(ReadIni(kSection, QStringLiteral("VersionUrl"), iniFile), defaultVersionUrl()),
        addressOrDefault(ReadIni(kSection, QStringLiteral("InstallerUrl"), iniFile), defaultInstallerUrl()),
        website.isEmpty() ? defaultWebsite() : website,
    };
}

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

bool isNewerVersion(const QString &serverLine, const QString &versionDigits)
{
    QString digits = serverLine;
    digits.remove(QLatin1Char('.'));
    return leadingNumber(versionDigits) < leadingNumber(digits);
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

QStringList installerArguments(const QString &programFolder)
{
    return {QStringLiteral("/p=") + QDir::toNativeSeparators(programFolder)};
}

QString noUpdateMessage(const QString &string45, const QString &website)
{
    QString text = string45;
    if (text.endsWith(defaultWebsite()))
        text.chop(defaultWebsite().size());
    return text + website;
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
