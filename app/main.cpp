#include "platform/qt_services.h"
#include "shell/fonts.h"
#include "shell/frm_bordix.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// The program keeps its games, pictures and settings beside itself. A copy installed where the
// user may not write keeps them in the user's own application data folder instead.
QString dataFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    // Asking the file system is enough: a file made to find out cost every start a write.
    if (::access(QFile::encodeName(programFolder).constData(), W_OK) == 0)
        return programFolder;
    const QString fallback = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(fallback);
    return fallback;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Briqo"));

    const QString folder = dataFolder();

    // One Briqo per program folder: a second start ends at once, showing nothing.
    const QByteArray key
        = QCryptographicHash::hash(QFileInfo(folder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(16);
    QLockFile instanceLock(
        QDir::tempPath() + QStringLiteral("/briqo-") + QString::fromLatin1(key) + QStringLiteral(".lock"));
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0))
        return 0;

    briqo::installFonts();
    briqo::QtServices services;
    // With years of lessons stored, listing them is the slowest part of the start: the window
    // shows first and lists them right after.
    briqo::frmBordix window(services.services(), folder, nullptr, briqo::frmBordix::GameListAtStart::AfterShow);
    window.endProgram = [] { QCoreApplication::exit(0); };
    window.show();
    window.Form_Resize();
    return app.exec();
}
