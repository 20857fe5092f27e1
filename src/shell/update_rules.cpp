#include "shell/update_rules.h"

#include "base/profile.h"
#include "base/string_table.h"

#include <QDir>
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

bool isNewerVersion(const QString &serverLine, const QString &versionDigits)
{
    QString digits = serverLine;
    digits.remove(QLatin1Char('.'));
    return leadingNumber(versionDigits) < leadingNumber(digits);
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

} // namespace briqo
