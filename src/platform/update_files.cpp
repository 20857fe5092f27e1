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

namespace briqo {

namespace {

// A route that leads somewhere: the IPv4 table (after its heading line) gives the interface first
// and the flags fourth, of which "up" must be set; the IPv6 table gives the destination first and
// the interface last, and also lists the machine's own addresses (flagged local), link-local and
// multicast destinations on every interface that is merely switched on: those lead nowhere.
bool anyRouteOutside(const QByteArray &table, bool ipv4)
{
    constexpr quint32 RouteUp = 0x1;
    constexpr quint32 RouteLocal = 0x80000000;
    for (const QByteArray &line : table.split('\n')) {
        const QList<QByteArray> columns = line.simplified().split(' ');
        if (columns.size() < (ipv4 ? 8 : 10) || (ipv4 && columns.first() == "Iface"))
            continue;
        bool readable = false;
        const quint32 flags = columns[ipv4 ? 3 : 8].toUInt(&readable, 16);
        const QByteArray &interface = ipv4 ? columns.first() : columns.last();
        if (!readable || interface == "lo")
            continue;
        if (ipv4
                ? (flags & RouteUp) != 0
                : (flags & RouteLocal) == 0 && !columns.first().startsWith("fe80") && !columns.first().startsWith("ff"))
            return true;
    }
    return false;
}

} // namespace

bool hasNetworkRoute(const QByteArray &ipv4Routes, const QByteArray &ipv6Routes)
{
    return anyRouteOutside(ipv4Routes, true) || anyRouteOutside(ipv6Routes, false);
}

bool machineHasNetworkRoute()
{
    QFile ipv4(QStringLiteral("/proc/net/route"));
    QFile ipv6(QStringLiteral("/proc/net/ipv6_route"));
    const bool readable4 = ipv4.open(QIODevice::ReadOnly);
    const bool readable6 = ipv6.open(QIODevice::ReadOnly);
    if (!readable4 && !readable6)
        return true;
    // The proc files report no size: read until the end.
    return hasNetworkRoute(readable4 ? ipv4.readAll() : QByteArray(), readable6 ? ipv6.readAll() : QByteArray());
}

} // namespace briqo
