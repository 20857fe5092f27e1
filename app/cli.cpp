// briqo-cli: what the window does with files, without a window, for scripts (a club's nightly
// import of the session's deals, a lesson exported for the web, its pictures and handouts). One
// function per subcommand; a subcommand is one entry of the table in main.

#include "base/fonts.h"
#include "base/profile.h"
#include "base/string_table.h"
#include "cli_common.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "exchange/pbn_writer.h"
#include "platform/program_folder.h"
#include "store/game_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <functional>

// briqo-cli generate, in cli_generate.cpp.
namespace briqo::cli {
int runGenerate(const QStringList &args);
QString generateUsage(int language);
} // namespace briqo::cli

namespace {

using namespace briqo;
using namespace briqo::cli;

// A file of no boards may be garbage: only its first complaints are worth reading.
constexpr qsizetype MaxNoticesWithoutBoard = 5;

int runImport(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(args, {QStringLiteral("--folder"), QStringLiteral("--lang"), QStringLiteral("--on-clash")}, a))
        return ExitBadInput;
    if (a.positional.size() != 1) {
        printError(cliText(MissingFile, a.language));
        return ExitBadInput;
    }
    const std::optional<ClashChoice> clash = clashChoiceOf(a);
    if (!clash)
        return ExitBadInput;
    const ClashChoice choice = *clash;

    const QString path = a.positional.first();
    const std::optional<QByteArray> read = readInputFile(path, a.language);
    if (!read)
        return ExitBadInput;
    const QByteArray &bytes = *read;
    const GameStore store(a.folder, a.language);
    store.ensureGamesRoot();
    // Saves and imports that were cut off are finished or undone before anything is planned.
    if (!store.recoverAll()) {
        printError(messageText(
            fillPlaceholder(ResString(own::GamesFolderBusy, a.language), QLatin1Char('~'), store.gamesRoot())));
        return ExitBadInput;
    }
    const ImportPlan plan = planImport(bytes, formatOfFile(path, bytes), store);
    // A file without a single board (another kind of file, or one in an encoding of its own) is
    // not an import of nothing: it is said, and the script learns it from the exit code.
    if (plan.games.isEmpty() && plan.refused == 0) {
        for (const ExchangeProblem &notice : plan.notices.mid(0, MaxNoticesWithoutBoard))
            printError(describe(notice, a.language));
        printError(fillPlaceholder(ResString(exchange_text::NoBoardFound, a.language), QLatin1Char('~'), path));
        return ExitRefused;
    }
    const ImportResult result
        = applyImport(plan, choice, store, terminalProgress(ResString(own::ProgressImport, a.language)));
    if (result.cancelled) {
        QStringList names;
        for (long long n : plan.clashes)
            names << QString::number(n);
        printError(cliText(ClashStop, a.language).arg(names.join(QStringLiteral(", "))));
        return ExitRefused;
    }
    QStringList lines = importSummary(plan, result, a.language);
    if (result.written == 1 && !lines.isEmpty()) {
        QString head = ResString(exchange_text::SummaryOneWritten, a.language);
        head = fillPlaceholder(head, QLatin1Char('#'), QString::number(result.skipped));
        lines.first()
            = fillPlaceholder(head, QLatin1Char('*'), QString::number(plan.refused + int(result.failures.size())));
    }
    // The summary, then a line per notice of the file (its own text, "|" and all), then a
    // message of the table per game that could not be written.
    const qsizetype messagesFrom = 1 + plan.notices.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i < messagesFrom)
            printError(lines[i]);
        else
            printMessage(lines[i]);
    }
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
        // A game asked for that is not there is a bad argument: nothing is written, as for a picture.
        bool missing = false;
        for (long long n : *asked) {
            if (!stored.contains(n)) {
                printError(cliText(NotStored, a.language).arg(n));
                missing = true;
            }
        }
        if (missing)
            return ExitBadInput;
        numbers = *asked;
    }
    const ExchangeFormat format
        = QFileInfo(out).suffix().toLower() == QLatin1String("lin") ? ExchangeFormat::Lin : ExchangeFormat::Pbn;
    const ExportResult exported
        = exportGames(store, numbers, format, terminalProgress(ResString(own::ProgressExport, a.language)));
    for (long long n : exported.leftOut) {
        printError(
            fillPlaceholder(ResString(exchange_text::NotExported, a.language), QLatin1Char('~'), store.folderName(n)));
        status = ExitRefused;
    }
    if (!writeOutput(out, exported.bytes, a.language))
        return ExitBadInput;
    const qsizetype count = exported.exported.size();
    const QString done = count == 1
        ? ResString(exchange_text::ExportedOne, a.language)
        : fillPlaceholder(ResString(exchange_text::Exported, a.language), QLatin1Char('~'), QString::number(count));
    printError(fillPlaceholder(done, QLatin1Char('#'), out));
    QList<ExchangeBoard> boards;
    for (long long n : exported.exported)
        boards << boardFromGame(store.load(n), a.language);
    if (const QString plain = charactersWrittenPlain(boards); !plain.isEmpty())
        printError(fillPlaceholder(ResString(exchange_text::CharactersReplaced, a.language), QLatin1Char('~'), plain));
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
    QApplication::setApplicationVersion(programVersion());
    // The pictures are drawn in the shipped font, as in the window.
    installFonts();

    const QMap<QString, std::function<int(const QStringList &)>> commands {
        {QStringLiteral("import"), runImport},
        {QStringLiteral("export"), runExport},
        {QStringLiteral("picture"), runPicture},
        {QStringLiteral("handout"), runHandout},
        {QStringLiteral("generate"), runGenerate},
    };
    QStringList args = QCoreApplication::arguments().mid(1);
    const qsizetype folderAt = args.indexOf(QStringLiteral("--folder"));
    const QString folder = folderAt >= 0 && folderAt + 1 < args.size()
        ? QFileInfo(args[folderAt + 1]).absoluteFilePath()
        : dataFolderFor(QCoreApplication::applicationDirPath());
    const int language = languageFromIniValue(
        ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), folder + QStringLiteral("/taal.ini")));
    if (!args.isEmpty() && args.first() == QLatin1String("--version")) {
        std::fputs(qPrintable(QStringLiteral("Briqo ") + programVersion() + QLatin1Char('\n')
                       + (language == LanguageDutch ? QStringLiteral("Spellen, plaatjes en taal.ini: %1\n")
                                                    : QStringLiteral("Games, pictures and taal.ini: %1\n"))
                             .arg(QDir::toNativeSeparators(folder))),
            stdout);
        return ExitOk;
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        const bool asked = !args.isEmpty();
        std::fputs(qPrintable(cliText(Usage, language)), asked ? stdout : stderr);
        std::fputs(qPrintable(QStringLiteral("\n") + generateUsage(language)), asked ? stdout : stderr);
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
        if (command == QLatin1String("generate")) {
            std::fputs(qPrintable(generateUsage(language)), stdout);
            return ExitOk;
        }
        std::fputs(qPrintable(cliText(Usage, language)), stdout);
        return ExitOk;
    }
    return (*run)(args);
}
