// briqo-cli: what the window does with files, without a window, for scripts (a club's nightly
// import of the session's deals, a lesson exported for the web). One function per subcommand;
// a subcommand is one entry of the table in main.

#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "shell/profile.h"
#include "shell/string_table.h"
#include "store/game_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

using namespace briqo;

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1; // some boards or games were refused, left out or not written
constexpr int ExitBadInput = 2; // bad arguments, or a file that cannot be read or written
constexpr qint64 MaxImportFileSize = 256LL * 1024 * 1024;

// The command's own texts, Dutch and English; messages about games come from the string table.
enum CliText {
    Usage,
    UnknownCommand,
    UnknownOption,
    MissingValue,
    BadValue,
    MissingFile,
    NotStored,
    ClashStop,
    BadGames
};

const char *const CliTexts[][2] = {
    {"Gebruik:\n"
     "  briqo-cli import BESTAND.pbn [--folder PROGRAMMAMAP] [--lang nl|en] [--on-clash overwrite|skip|stop]\n"
     "  briqo-cli export [--games 1-12,15] --out BESTAND.pbn|BESTAND.lin [--folder PROGRAMMAMAP] [--lang nl|en]\n"
     "\n"
     "import   leest elk bord van een PBN- of LIN-bestand in als spel met het bordnummer.\n"
     "         --on-clash zegt wat er met spellen gebeurt die al bestaan: overschrijven,\n"
     "         overslaan, of (standaard) stoppen zonder iets te schrijven.\n"
     "export   schrijft de opgeslagen spellen (standaard alle) naar een PBN- of LIN-bestand.\n"
     "--folder de programmamap met de map Spellen of Games (standaard de map van Briqo).\n"
     "--lang   de taal van de spellen (standaard die van taal.ini).\n"
     "\n"
     "Afsluitcode: 0 gelukt, 1 sommige borden of spellen geweigerd (zie de melding),\n"
     "2 verkeerde argumenten of een bestand dat niet gelezen of geschreven kan worden.\n",
        "Usage:\n"
        "  briqo-cli import FILE.pbn [--folder PROGRAM_FOLDER] [--lang nl|en] [--on-clash overwrite|skip|stop]\n"
        "  briqo-cli export [--games 1-12,15] --out FILE.pbn|FILE.lin [--folder PROGRAM_FOLDER] [--lang nl|en]\n"
        "\n"
        "import   stores every board of a PBN or LIN file as the game of its board number.\n"
        "         --on-clash says what happens to games that exist already: overwrite them,\n"
        "         skip them, or (the default) stop without writing anything.\n"
        "export   writes the stored games (all by default) to a PBN or LIN file.\n"
        "--folder the program folder holding the Spellen or Games folder (default: Briqo's folder).\n"
        "--lang   the language of the games (default: the one in taal.ini).\n"
        "\n"
        "Exit code: 0 done, 1 some boards or games were refused (see the messages),\n"
        "2 bad arguments or a file that cannot be read or written.\n"},
    {"Onbekende opdracht: %1", "Unknown command: %1"},
    {"Onbekende optie: %1", "Unknown option: %1"},
    {"%1 verwacht een waarde.", "%1 needs a value."},
    {"Ongeldige waarde voor %1: %2", "Bad value for %1: %2"},
    {"Geef het bestand op.", "Name the file."},
    {"Spel %1 is niet opgeslagen.", "Game %1 is not stored."},
    {"Deze spellen bestaan al: %1.\nEr is niets geschreven (gebruik --on-clash overwrite of skip).",
        "These games exist already: %1.\nNothing was written (use --on-clash overwrite or skip)."},
    {"Ongeldige lijst van spellen: %1", "Bad list of games: %1"},
};

QString cliText(CliText t, int language) { return QString::fromUtf8(CliTexts[t][language == LanguageDutch ? 0 : 1]); }

void printError(const QString &text) { std::fputs(qPrintable(text + QLatin1Char('\n')), stderr); }

// The program keeps its games beside itself, or in the user's data folder when its own folder is
// not writable (the same rule as the window program).
QString defaultFolder()
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    QTemporaryFile probe(programFolder + QStringLiteral("/.briqo-write-test-XXXXXX"));
    if (probe.open())
        return programFolder;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

// The options of every subcommand: the positional words and "--name value" pairs.
struct Arguments {
    QStringList positional;
    QMap<QString, QString> options;
    QString folder;
    int language = LanguageDutch;
};

// Reads the options a subcommand knows; false (with the message printed) for anything else.
bool parseArguments(const QStringList &args, const QStringList &known, Arguments &out)
{
    out.folder = defaultFolder();
    QString langValue;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            out.positional << a;
            continue;
        }
        if (!known.contains(a)) {
            printError(cliText(UnknownOption, out.language).arg(a));
            return false;
        }
        if (i + 1 >= args.size()) {
            printError(cliText(MissingValue, out.language).arg(a));
            return false;
        }
        out.options.insert(a, args[++i]);
    }
    if (out.options.contains(QStringLiteral("--folder")))
        out.folder = out.options.value(QStringLiteral("--folder"));
    out.language = languageFromIniValue(
        ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), out.folder + QStringLiteral("/taal.ini")));
    if (out.options.contains(QStringLiteral("--lang"))) {
        const QString lang = out.options.value(QStringLiteral("--lang")).toLower();
        if (lang != QLatin1String("nl") && lang != QLatin1String("en")) {
            printError(cliText(BadValue, out.language).arg(QStringLiteral("--lang"), lang));
            return false;
        }
        out.language = lang == QLatin1String("nl") ? LanguageDutch : LanguageEnglish;
    }
    if (!QFileInfo(out.folder).isDir()) {
        printError(fillPlaceholder(ResString(exchange_text::CannotRead, out.language), QLatin1Char('~'), out.folder));
        return false;
    }
    return true;
}

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
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > MaxImportFileSize || !file.open(QIODevice::ReadOnly)) {
        printError(fillPlaceholder(ResString(exchange_text::CannotRead, a.language), QLatin1Char('~'), path));
        return ExitBadInput;
    }
    const QByteArray bytes = file.readAll();
    const GameStore store(a.folder, a.language);
    store.ensureGamesRoot();
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
    return plan.refused > 0 || !result.failures.isEmpty() ? ExitRefused : ExitOk;
}

// "1-12,15" -> 1..12, 15; nullopt for anything that is not such a list.
std::optional<QList<long long>> parseGameList(const QString &text)
{
    QList<long long> numbers;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList ends = part.trimmed().split(QLatin1Char('-'));
        bool ok1 = false, ok2 = true;
        const long long from = ends.value(0).toLongLong(&ok1);
        const long long to = ends.size() == 2 ? ends[1].toLongLong(&ok2) : from;
        if (ends.size() > 2 || !ok1 || !ok2 || from < 0 || to > MaxBoardNumber || from > to)
            return std::nullopt;
        for (long long n = from; n <= to; ++n) {
            if (!numbers.contains(n))
                numbers << n;
        }
    }
    if (numbers.isEmpty())
        return std::nullopt;
    return numbers;
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

    const QMap<QString, std::function<int(const QStringList &)>> commands {
        {QStringLiteral("import"), runImport},
        {QStringLiteral("export"), runExport},
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
