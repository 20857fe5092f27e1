// The update: the version check run each time the window becomes active, and the download that
// hands over to the installer of a newer version.

#include "ui/main_window/frm_bordix.h"

#include "base/string_ids.h"
#include "platform/update_files.h"
#include "shell/update_rules.h"

#include <QDir>
#include <QPushButton>

namespace briqo {

void frmBordix::VersionCheck()
{
    // Activated again while the server is still answering: that answer is still to come.
    if (VersionCheckRunning)
        return;
    // An old version file must not announce an update the server no longer offers.
    const QString versionFile = removeVersionFile(programFolder());
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

    const QString installer = prepareInstallerPath(programFolder());

    auto arrived = [this, installer](bool ok) {
        setEnabled(true);
        unsetCursor();
        if (ok && makeInstallerExecutable(installer)) {
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
