// The update: the version check run each time the window becomes active, and the download that
// hands over to the installer of a newer version.

#include "shell/frm_bordix.h"

#include "shell/string_ids.h"
#include "shell/update_rules.h"
#include "store/file_state.h"
#include "store/path_lookup.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace briqo {

namespace {

// The server may offer a shell installer or an AppImage; either runs only with the execute bits.
bool makeExecutable(const QString &file)
{
    return QFile::setPermissions(
        file, QFile::permissions(file) | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
}

} // namespace

void frmBordix::VersionCheck()
{
    // Activated again while the server is still answering: that answer is still to come.
    if (VersionCheckRunning)
        return;
    // An old version file must not announce an update the server no longer offers.
    const QString versionFile = versionFilePath(programFolder());
    QFile::remove(versionFile);
    if (!m_services.network || !m_services.network->isConnected())
        return;

    VersionCheckRunning = true;
    m_services.network->download(
        readUpdateSettings(iniPath()).versionUrl, versionFile, VersionCheckSilenceMs, this, [this, versionFile](bool) {
            // A failed download leaves no file, and no file leaves the button as it was.
            VersionCheckRunning = false;
            if (isNewerVersion(readVersionLine(versionFile), VersionDigits))
                cmdDownload->setEnabled(true);
        });
}

void frmBordix::cmdDownload_Click()
{
    // Disabled so that no other command starts while the installer comes in.
    setCursor(Qt::WaitCursor);
    cmdFocus->setFocus();
    setEnabled(false);

    CreateFolderPath(updateFolderPath(programFolder()));
    const QString installer = resolveExisting(installerPath(programFolder()));
    QFile::remove(installer);

    auto arrived = [this, installer](bool ok) {
        setEnabled(true);
        unsetCursor();
        if (ok && FileState(installer) == 1 && makeExecutable(installer)) {
            showInfo(ResString(Str::UpdateStarts));
            const bool started = m_services.processes
                && m_services.processes->start(installer, installerArguments(programFolder()), QDir::rootPath());
            if (started) {
                // At once: the installer replaces the program, unsaved work is not asked about.
                if (endProgram)
                    endProgram();
                return;
            }
        }
        showInfo(noUpdateMessage(ResString(Str::NoUpdate), readUpdateSettings(iniPath()).website));
        SetFocusIfPossible(cmdFocus);
    };
    if (!m_services.network) {
        arrived(false);
        return;
    }
    m_services.network->download(
        readUpdateSettings(iniPath()).installerUrl, installer, InstallerSilenceMs, this, arrived);
}

} // namespace briqo
