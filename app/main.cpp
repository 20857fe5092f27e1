#include "base/fonts.h"
#include "base/profile.h"
#include "base/string_table.h"
#include "platform/program_folder.h"
#include "platform/qt_services.h"
#include "resources/app_icon.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using briqo::LanguageDutch;

constexpr int ExitOk = 0;
constexpr int ExitBadArguments = 2;

// What the command line asks of the window program. Qt's own options (-platform, -style, ...)
// are left to Qt.
struct Request {
    bool help = false;
    bool version = false;
    QString folder; // --folder DIR; empty: the folder Briqo chooses itself
    QString error; // an option without its value, in English and Dutch alike
};

Request readRequest(int argc, char *argv[])
{
    Request r;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            r.help = true;
        else if (a == QLatin1String("--version"))
            r.version = true;
        else if (a.startsWith(QLatin1String("--folder=")))
            r.folder = a.mid(9);
        else if (a == QLatin1String("--folder")) {
            if (i + 1 < argc && argv[i + 1][0] != '\0')
                r.folder = QString::fromLocal8Bit(argv[++i]);
            else
                r.error = QStringLiteral("--folder");
        }
    }
    return r;
}

QString text(int language, const char *dutch, const char *english)
{
    return QString::fromUtf8(language == LanguageDutch ? dutch : english);
}

void print(FILE *to, const QString &s) { std::fputs(qPrintable(s + QLatin1Char('\n')), to); }

int languageOf(const QString &folder)
{
    return briqo::languageFromIniValue(
        briqo::ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), folder + QStringLiteral("/taal.ini")));
}

QString usage(int language, const QString &folder)
{
    return text(language,
        "Gebruik: briqo [--folder MAP] [--version] [--help]\n"
        "Briqo maakt van bridgespellen plaatjes voor hand-outs.\n"
        "  --folder MAP  bewaar de spellen, plaatjes en taal.ini in MAP (gemaakt als die er niet is)\n"
        "  --version     toon de versie en de map met spellen\n"
        "  --help        toon deze hulp\n"
        "Zonder --folder bewaart Briqo alles naast het programma; een geïnstalleerde Briqo\n"
        "bewaart alles in de gegevensmap van de gebruiker. Nu: %1\n"
        "briqo-cli doet hetzelfde werk zonder venster (briqo-cli --help).",
        "Usage: briqo [--folder DIR] [--version] [--help]\n"
        "Briqo turns bridge deals into pictures for handouts.\n"
        "  --folder DIR  keep the games, pictures and taal.ini in DIR (made when missing)\n"
        "  --version     print the version and the games folder\n"
        "  --help        print this help\n"
        "Without --folder Briqo keeps everything beside the program; an installed Briqo keeps\n"
        "everything in the user's data folder. Now: %1\n"
        "briqo-cli does the same work without a window (briqo-cli --help).")
        .arg(QDir::toNativeSeparators(folder));
}

QString versionText(int language, const QString &folder)
{
    return QStringLiteral("Briqo ") + briqo::programVersion() + QLatin1Char('\n')
        + text(language, "Spellen, plaatjes en taal.ini: %1", "Games, pictures and taal.ini: %1")
              .arg(QDir::toNativeSeparators(folder));
}

// The folder the user named, made when missing; empty (with the message printed) when Briqo
// could not keep its games there.
QString chosenFolder(const QString &asked)
{
    const QString folder = QFileInfo(asked).absoluteFilePath();
    QDir().mkpath(folder);
    if (!QFileInfo(folder).isDir() || ::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        print(stderr,
            QStringLiteral("Briqo kan de map niet gebruiken: %1\nBriqo cannot use the folder: %1")
                .arg(QDir::toNativeSeparators(folder)));
        return {};
    }
    return folder;
}

// Takes the lock of one running Briqo for the lifetime of this process; false while another process
// holds it. The kernel lets go of it when the process ends, however it ends, so no lock is ever
// left stale, and taking it writes nothing to the disk (a lock file that must be written and
// synced first would delay every start). A lock file that cannot be opened at all locks nothing.
bool holdInstanceLock(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true; // the descriptor stays open until the process ends
    ::close(fd);
    return false;
}

// Where no session bus can be found, D-Bus would try to start one ("autolaunch") when Qt's
// accessibility bridge first asks for it, while the window is being built: a fork that the window
// waits for and that can only fail when dbus-launch is not installed. Then D-Bus is told there is
// none, until the window stands (programs Briqo starts later get the environment as it was).
bool sessionBusUnreachable()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return false;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return false;
    return QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Briqo"));
    QCoreApplication::setApplicationVersion(briqo::programVersion());
    const Request request = readRequest(argc, argv);
    if (!request.error.isEmpty()) {
        print(stderr, QStringLiteral("%1 heeft een map nodig.\n%1 needs a folder.").arg(request.error));
        return ExitBadArguments;
    }

    // Help and version need no screen: they are answered before the window program starts.
    if (request.help || request.version) {
        QCoreApplication core(argc, argv);
        const QString folder = request.folder.isEmpty() ? briqo::dataFolderFor(QCoreApplication::applicationDirPath())
                                                        : QFileInfo(request.folder).absoluteFilePath();
        const int language = languageOf(folder);
        print(stdout, request.help ? usage(language, folder) : versionText(language, folder));
        return ExitOk;
    }

    const bool noSessionBus = sessionBusUnreachable();
    if (noSessionBus)
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(briqo::applicationId());
    // One size of the icon until the window shows; every size right after (see below).
    QApplication::setWindowIcon(briqo::programIconAtStart());

    const QString folder = request.folder.isEmpty() ? briqo::dataFolderFor(QCoreApplication::applicationDirPath())
                                                    : chosenFolder(request.folder);
    if (folder.isEmpty())
        return ExitBadArguments;

    // Qt has taken its own options out; anything else starting with a dash is not understood.
    const QStringList rest = QCoreApplication::arguments().mid(1);
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == QLatin1String("--folder")) {
            ++i;
        } else if (rest[i].startsWith(QLatin1Char('-')) && !rest[i].startsWith(QLatin1String("--folder="))) {
            print(stderr,
                text(languageOf(folder), "Onbekende optie: %1 (briqo --help toont de opties).",
                    "Unknown option: %1 (briqo --help lists the options).")
                    .arg(rest[i]));
            return ExitBadArguments;
        }
    }

    // One Briqo per program folder: a second start ends at once, showing nothing.
    const QByteArray key
        = QCryptographicHash::hash(QFileInfo(folder).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(16);
    if (!holdInstanceLock(
            QDir::tempPath() + QStringLiteral("/briqo-") + QString::fromLatin1(key) + QStringLiteral(".lock")))
        return 0;

    briqo::installFonts();
    briqo::QtServices services;
    services.useProgramFolder(folder);
    // With years of lessons stored, listing them is the slowest part of the start: the window
    // shows first and lists them right after.
    briqo::frmBordix window(services.services(), folder, nullptr, briqo::frmBordix::GameListAtStart::AfterShow);
    window.endProgram = [] { QCoreApplication::exit(0); };
    window.show();
    window.Form_Resize();
    if (noSessionBus)
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    // Once the window has been asked for, the icon gets all its sizes (the task bar and the window
    // manager pick from them); the window appears sooner for not waiting on them.
    QTimer::singleShot(0, &app, [] { QApplication::setWindowIcon(briqo::programIcon()); });
    return app.exec();
}
