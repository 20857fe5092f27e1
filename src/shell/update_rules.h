#pragma once

#include <QString>
#include <QStringList>

namespace briqo {

// Where the update comes from. An administrator points these at a company server in taal.ini,
// section [Update], keys VersionUrl, InstallerUrl and Website; an empty or unusable value keeps
// the maker's address.
struct UpdateSettings {
    QString versionUrl;
    QString installerUrl;
    QString website;
};

// The maker's addresses, used when taal.ini names none. The website is the one string 45 ends in.
QString defaultVersionUrl();
QString defaultInstallerUrl();
QString defaultWebsite();

UpdateSettings readUpdateSettings(const QString &iniFile);

// The longest the program waits for a server that has gone quiet. The check runs in the
// background and gives up early; the installer may be large and a slow server gets more grace.
constexpr int VersionCheckSilenceMs = 5000;
constexpr int InstallerSilenceMs = 10000;

// True when the server's version, written with dots ("1.0.6"), is newer than the program's
// version digits ("105"). Both are read as leading numbers with the dots removed, so a line that
// does not start with a number never announces an update.
bool isNewerVersion(const QString &serverLine, const QString &versionDigits);

// The installer learns where the program lives from one argument "/p=<program folder>". The
// operating system quotes it when the folder holds spaces, so no quotes are part of the text.
QStringList installerArguments(const QString &programFolder);

// Message 45 as shown: its text ends in the maker's website, which gives way to the website
// configured in taal.ini.
QString noUpdateMessage(const QString &string45, const QString &website);

} // namespace briqo
