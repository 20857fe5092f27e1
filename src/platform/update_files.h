#pragma once

#include <QString>

namespace briqo {

// The files of an update in the program folder: the version file the check fetches and the
// Update folder the installer is fetched into.

constexpr int MaxVersionLineLength = 4096;

// The first line of the version file (without its line end or a UTF-8 byte-order mark, which an
// editor on the server may have added); empty when the file is missing or empty.
QString readVersionLine(const QString &versionFile);

QString versionFilePath(const QString &programFolder);
QString updateFolderPath(const QString &programFolder);
// On Windows the installer is an .exe; elsewhere the server may offer a shell installer or an
// AppImage, which both run under any name once they are executable.
QString installerFileName();
QString installerPath(const QString &programFolder);

// Removes an old version file, so it cannot announce an update the server no longer offers;
// gives the path the new one is fetched to.
QString removeVersionFile(const QString &programFolder);
// Makes the update folder and removes an older installer from it; gives the installer's path.
QString prepareInstallerPath(const QString &programFolder);
// The server may offer a shell installer or an AppImage; either runs only with the execute bits.
// false for a missing or empty file.
bool makeInstallerExecutable(const QString &installer);

} // namespace briqo

namespace briqo {

// Whether the kernel's route tables (the text of /proc/net/route and /proc/net/ipv6_route) hold a
// route through any interface but the loopback one: a company update server may sit on the local
// network, so any such route counts, not only one to the internet.
bool hasNetworkRoute(const QByteArray &ipv4Routes, const QByteArray &ipv6Routes);
// The same for this machine; true when the tables cannot be read (then only a try can tell).
bool machineHasNetworkRoute();

} // namespace briqo
