// briqo-cli: what the window does with files, without a window, for scripts (a club's nightly
// import of the session's deals, a lesson exported for the web, its pictures and handouts). One
// function per subcommand; a subcommand is one entry of the table in main.

#include "cli_common.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "shell/fonts.h"
#include "shell/profile.h"
#include "shell/string_table.h"
#include "store/game_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <functional>

namespace {

using namespace briqo;
using namespace briqo::cli;

int runImport(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {QStringLiteral("--folder"), QStringLiteral("--lang"), QStringLiteral("--on-clash")}, a))
        return ExitBadInput;
    if (a.positional.size() != 1) {
        printError(cliText(MissingFile, a.language));
        return ExitBadInput;
    }
    const QString clash = a.options.value(QStringLiteral("--on-clash"), QStringLiteral("stop")).toLower();
    ClashChoice choice = ClashChoice::Cancel;
    if (clash == QLatin1String("overwrite"))
        choice = ClashChoice::Overwrite;
    else if (clash == QLatin1String("skip"))
        choice = ClashChoice::Skip;
    else if (clash != QLatin1String("stop")) {
        printError(cliText(BadValue, a.language).arg(QStringLiteral("--on-clash"), clash));
        return ExitBadInput;
    }

    const QString path = a.positional.first();
    const std::optional<QByteArray> read = readInputFile(path, a.language);
    if (!read)
        return ExitBadInput;
    const QByteArray &bytes = *read;
    const GameStore store(a.folder, a.language);
    store.ensureGamesRoot();
    // Saves and imports that were cut off are finished or undone before anything is planned.
    if (!store.recoverAll()) {
        printError(messageText(fillPlaceholder(ResString(own::GamesFolderBusy, a.language), QLatin1Char('~'),
            store.gamesRoot())));
        return ExitBadInput;
    }
    const ImportPlan plan = planImport(bytes, formatOfFile(path, bytes), store);
    const ImportResult result = applyImport(plan, choice, store);
    if (result.cancelled) {
        QStringList names;
        for (long long n : plan.clashes)
            names << QString::number(n);
        printError(cliText(ClashStop, a.language).arg(names.join(QStringLiteral(", "))));
        return ExitRefused;
    }
    for (const QString &line : importSummary(plan, result, a.language))
        printError(line);
    // A game that could not be written (a full disk, a busy games folder) is a file that cannot be
    // written; boards of the file that make no game are refusals.
    if (result.writeFailed())
        return ExitBadInput;
    return plan.refused > 0 ? ExitRefused : ExitOk;
}

int runExport(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args,
            {QStringLiteral("--folder"), QStringLiteral("--lang"), QStringLiteral("--games"), QStringLiteral("--out")},
            a))
        return ExitBadInput;
    const QString out = a.options.value(QStringLiteral("--out"));
    if (out.isEmpty() || !a.positional.isEmpty()) {
        printError(cliText(MissingFile, a.language));
        return ExitBadInput;
    }
    const GameStore store(a.folder, a.language);
    const QList<long long> stored = storedGameNumbers(store);
    QList<long long> numbers = stored;
    int status = ExitOk;
    if (a.options.contains(QStringLiteral("--games"))) {
        const std::optional<QList<long long>> asked = parseGameList(a.options.value(QStringLiteral("--games")));
        if (!asked) {
            printError(cliText(BadGames, a.language).arg(a.options.value(QStringLiteral("--games"))));
            return ExitBadInput;
        }
        numbers.clear();
        for (long long n : *asked) {
            if (stored.contains(n)) {
                numbers << n;
            } else {
                printError(cliText(NotStored, a.language).arg(n));
                status = ExitRefused;
            }
        }
    }
    const ExchangeFormat format
        = QFileInfo(out).suffix().toLower() == QLatin1String("lin") ? ExchangeFormat::Lin : ExchangeFormat::Pbn;
    const ExportResult exported = exportGames(store, numbers, format);
    for (long long n : exported.leftOut) {
        printError(
            fillPlaceholder(ResString(exchange_text::NotExported, a.language), QLatin1Char('~'), store.folderName(n)));
        status = ExitRefused;
    }
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(exported.bytes) != exported.bytes.size() || !file.commit()) {
        printError(fillPlaceholder(ResString(own::CannotWriteGame, a.language), QLatin1Char('~'), out));
        return ExitBadInput;
    }
    QString done = fillPlaceholder(
        ResString(exchange_text::Exported, a.language), QLatin1Char('~'), QString::number(exported.exported.size()));
    printError(fillPlaceholder(done, QLatin1Char('#'), out));
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // The command speaks for itself on standard error; the platform's own notices (no runtime
    // folder, no screen) would only hide its messages.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            printError(message);
    });
    // Pictures need a platform even without a screen: a script runs where there is no display.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Briqo"));
    // The pictures are drawn in the shipped font, as in the window.
    installFonts();

    const QMap<QString, std::function<int(const QStringList &)>> commands {
        {QStringLiteral("import"), runImport},
        {QStringLiteral("export"), runExport},
        {QStringLiteral("picture"), runPicture},
        {QStringLiteral("handout"), runHandout},
    };
    QStringList args = QCoreApplication::arguments().mid(1);
    const int language = languageFromIniValue(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"),
        QCoreApplication::applicationDirPath() + QStringLiteral("/taal.ini")));
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        const bool asked = !args.isEmpty();
        std::fputs(qPrintable(cliText(Usage, language)), asked ? stdout : stderr);
        return asked ? ExitOk : ExitBadInput;
    }
    const QString command = args.takeFirst();
    const auto run = commands.constFind(command);
    if (run == commands.constEnd()) {
        printError(cliText(UnknownCommand, language).arg(command));
        printError(cliText(Usage, language));
        return ExitBadInput;
    }
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        std::fputs(qPrintable(cliText(Usage, language)), stdout);
        return ExitOk;
    }
    return (*run)(args);
}
