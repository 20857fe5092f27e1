#include "cli_common.h"

#include "base/profile.h"
#include "base/string_table.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "platform/program_folder.h"
#include "platform/safe_write.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cstdio>

#include <unistd.h>

namespace briqo::cli {

namespace {

constexpr qint64 MaxInputFileSize = 256LL * 1024 * 1024;

const char *const CliTexts[][2] = {
    {"Gebruik:\n"
     "  briqo-cli import BESTAND.pbn [--folder PROGRAMMAMAP] [--lang nl|en] [--on-clash overwrite|skip|stop]\n"
     "  briqo-cli export [--games 1-12,15] --out BESTAND.pbn|BESTAND.lin [--folder PROGRAMMAMAP] [--lang nl|en]\n"
     "  briqo-cli picture --game 5 --out BESTAND.png|.bmp|.pdf|.svg [--scale 2] [--ten] [--hide NOZW] [--dd]\n"
     "                    [--no-lead] [--no-auction] [--no-contract] [--no-points]\n"
     "                    [--pbn BESTAND.pbn] [--folder PROGRAMMAMAP] [--lang nl|en]\n"
     "  briqo-cli picture --games 1-12,15 --out MAP/ [--format png|bmp|pdf|svg] [...]\n"
     "  briqo-cli handout [--games 1-12] --out BESTAND.pdf [--layout board|record|question] [--title TEKST]\n"
     "                    [--subtitle TEKST] [--no-notice] [--per-page 4] [--answers page|inline] [--ten] [--dd]\n"
     "                    [--hide NOZW] [--no-lead] [--no-auction] [--no-contract] [--no-points]\n"
     "                    [--pbn BESTAND.pbn] [--folder PROGRAMMAMAP] [--lang nl|en]\n"
     "\n"
     "import   leest elk bord van een PBN- of LIN-bestand in als spel met het bordnummer.\n"
     "         --on-clash zegt wat er met spellen gebeurt die al bestaan: overschrijven,\n"
     "         overslaan, of (standaard) stoppen zonder iets te schrijven.\n"
     "export   schrijft de opgeslagen spellen (standaard alle) naar een PBN- of LIN-bestand.\n"
     "picture  maakt het plaatje van een spel, zoals \"Opslaan als Bitmap\" het maakt; de extensie\n"
     "         kiest de vorm. PDF en SVG houden de tekst als tekst. --scale 2 maakt een PNG of BMP\n"
     "         met twee keer zoveel beeldpunten in de breedte en de hoogte. Met --games komt er een\n"
     "         bestand per spel in de map van --out (naam als \"Spel 005.png\").\n"
     "handout  maakt een A4-PDF voor een les. --layout board (standaard): de borden met hun bieding en\n"
     "         vraag, --per-page per pagina (1 tot 6, standaard 4; 7 tot 9 geeft 6: meer kan niet\n"
     "         zonder letters kleiner dan 8 punt), de antwoorden op de laatste pagina's of onder\n"
     "         elk bord (--answers inline). --layout record: spelverdelingen zoals\n"
     "         clubs ze afdrukken, 9 per pagina (--per-page 6 voor 6), zonder bieding. --layout\n"
     "         question: vragenblad met de zichtbare handen, de bieding tot nu toe en de vraag; de\n"
     "         antwoorden achteraan. --title en --subtitle staan op elke pagina, --no-notice laat de\n"
     "         vermelding van het programma weg. Zonder --games: alle spellen.\n"
     "--ten       tienen als \"10\" in plaats van \"T\".\n"
     "--hide      de handen die niet te zien zijn: N, O (of E), Z (of S), W.\n"
     "--no-lead, --no-auction, --no-contract, --no-points\n"
     "            laten de uitkomst, de bieding, het contract of de punten weg.\n"
     "            !S !H !D !C (of \\S \\H \\D \\C) in een vraag of antwoord worden kleursymbolen.\n"
     "--dd        de dubbeldummytabel en par onder het bord (elk spel met een volledige deal).\n"
     "--pbn    leest de borden uit een PBN- of LIN-bestand in plaats van de opgeslagen spellen.\n"
     "--folder de programmamap met de map Spellen of Games (standaard de map van Briqo).\n"
     "--lang   de taal van de spellen (standaard die van taal.ini).\n"
     "picture en handout schrijven nooit in de map met spellen.\n"
     "\n"
     "Afsluitcode: 0 gelukt, 1 sommige borden of spellen geweigerd (zie de melding) of geen\n"
     "enkel bord in het bestand,\n"
     "2 verkeerde argumenten, een spel dat er niet is, of een bestand dat niet gelezen of\n"
     "geschreven kan worden.\n",
        "Usage:\n"
        "  briqo-cli import FILE.pbn [--folder PROGRAM_FOLDER] [--lang nl|en] [--on-clash overwrite|skip|stop]\n"
        "  briqo-cli export [--games 1-12,15] --out FILE.pbn|FILE.lin [--folder PROGRAM_FOLDER] [--lang nl|en]\n"
        "  briqo-cli picture --game 5 --out FILE.png|.bmp|.pdf|.svg [--scale 2] [--ten] [--hide NESW] [--dd]\n"
        "                    [--no-lead] [--no-auction] [--no-contract] [--no-points]\n"
        "                    [--pbn FILE.pbn] [--folder PROGRAM_FOLDER] [--lang nl|en]\n"
        "  briqo-cli picture --games 1-12,15 --out FOLDER/ [--format png|bmp|pdf|svg] [...]\n"
        "  briqo-cli handout [--games 1-12] --out FILE.pdf [--layout board|record|question] [--title TEXT]\n"
        "                    [--subtitle TEXT] [--no-notice] [--per-page 4] [--answers page|inline] [--ten] [--dd]\n"
        "                    [--hide NESW] [--no-lead] [--no-auction] [--no-contract] [--no-points]\n"
        "                    [--pbn FILE.pbn] [--folder PROGRAM_FOLDER] [--lang nl|en]\n"
        "\n"
        "import   stores every board of a PBN or LIN file as the game of its board number.\n"
        "         --on-clash says what happens to games that exist already: overwrite them,\n"
        "         skip them, or (the default) stop without writing anything.\n"
        "export   writes the stored games (all by default) to a PBN or LIN file.\n"
        "picture  makes the picture of a game as \"Save as Bitmap\" makes it; the extension chooses\n"
        "         the format. PDF and SVG keep the text as text. --scale 2 makes a PNG or BMP with\n"
        "         twice the pixels across and down. With --games, one file per game goes into the\n"
        "         folder given by --out (named like \"Game 005.png\").\n"
        "handout  makes an A4 PDF for a lesson. --layout board (the default): the boards with their\n"
        "         auction and question, --per-page to a page (1 to 6, default 4; 7 to 9 give 6: more\n"
        "         would need type below 8 points), the answers on the last pages or under each board\n"
        "         (--answers inline). --layout record: a hand record as\n"
        "         clubs print it, 9 boards a page (--per-page 6 for 6), no auction. --layout question:\n"
        "         a question sheet with the hands that show, the auction so far and the question; the\n"
        "         answers at the end. --title and --subtitle stand on every page, --no-notice leaves\n"
        "         out the program's notice. Without --games: every game.\n"
        "--ten       tens written \"10\" instead of \"T\".\n"
        "--hide      the hands not shown: N, E, S, W.\n"
        "--no-lead, --no-auction, --no-contract, --no-points\n"
        "            leave out the lead, the auction, the contract or the points.\n"
        "            !S !H !D !C (or \\S \\H \\D \\C) in a question or answer become suit symbols.\n"
        "--dd        the double-dummy table and par below the board (each game with a full deal).\n"
        "--pbn    reads the boards from a PBN or LIN file instead of the stored games.\n"
        "--folder the program folder holding the Spellen or Games folder (default: Briqo's folder).\n"
        "--lang   the language of the games (default: the one in taal.ini).\n"
        "picture and handout never write into the games folder.\n"
        "\n"
        "Exit code: 0 done, 1 some boards or games were refused (see the messages) or the file\n"
        "holds no board at all,\n"
        "2 bad arguments, a game that is not there, or a file that cannot be read or written.\n"},
    {"Onbekende opdracht: %1", "Unknown command: %1"},
    {"Onbekende optie: %1", "Unknown option: %1"},
    {"%1 verwacht een waarde.", "%1 needs a value."},
    {"Ongeldige waarde voor %1: %2", "Bad value for %1: %2"},
    {"Geef het bestand op.", "Name the file."},
    {"Spel %1 is niet opgeslagen.", "Game %1 is not stored."},
    {"Deze spellen bestaan al: %1.\nEr is niets geschreven (gebruik --on-clash overwrite of skip).",
        "These games exist already: %1.\nNothing was written (use --on-clash overwrite or skip)."},
    {"Ongeldige lijst van spellen: %1 (de spellen lopen van 1 tot en met 999, zoals in 1-12,15).",
        "Bad list of games: %1 (games run from 1 to 999, as in 1-12,15)."},
    {"Zeg welk spel: --game 5 of --games 1-12,15.", "Say which game: --game 5 or --games 1-12,15."},
    {"Gebruik --game of --games, niet allebei.", "Use --game or --games, not both."},
    {"Voor meer dan een spel is --out een map (eindig met /): %1",
        "For more than one game --out is a folder (end it with /): %1"},
    {"%1 kan niet worden geschreven. Er is niets geschreven.", "%1 cannot be written. Nothing was written."},
    {"%1 geschreven.", "%1 written."},
    {"Bord %1 staat niet (als bruikbaar spel) in %2.", "Board %1 is not in %2 (as a usable game)."},
    {"Briqo schrijft hier niet: %1 ligt in de map met spellen.",
        "Briqo does not write there: %1 lies in the games folder."},
    {"Een hand-out is een PDF of een webpagina (.html): %1", "A handout is a PDF or a web page (.html): %1"},
};

// The program keeps its games beside itself, or in the user's data folder when its own folder is
// not writable (the same rule as the window program).
QString defaultFolder() { return dataFolderFor(QCoreApplication::applicationDirPath()); }

} // namespace

QString cliText(CliText t, int language) { return QString::fromUtf8(CliTexts[t][language == LanguageDutch ? 0 : 1]); }

std::optional<ClashChoice> clashChoiceOf(const Arguments &a)
{
    const QString clash = a.value("--on-clash").isEmpty() ? QStringLiteral("stop") : a.value("--on-clash").toLower();
    if (clash == QLatin1String("overwrite"))
        return ClashChoice::Overwrite;
    if (clash == QLatin1String("skip"))
        return ClashChoice::Skip;
    if (clash == QLatin1String("stop"))
        return ClashChoice::Cancel;
    printError(cliText(BadValue, a.language).arg(QStringLiteral("--on-clash"), clash));
    return std::nullopt;
}

ProgressReport terminalProgress(const QString &label)
{
    if (!isatty(STDERR_FILENO))
        return {};
    return [label](qsizetype done, qsizetype total) {
        const QByteArray line = QStringLiteral("\r%1 %2/%3").arg(label).arg(done).arg(total).toLocal8Bit();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        if (done >= total)
            std::fputc('\n', stderr);
        std::fflush(stderr);
        return true;
    };
}

void printError(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            c = QChar::ReplacementCharacter;
    }
    shown += QLatin1Char('\n');
    const QByteArray bytes = shown.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void printMessage(const QString &text) { printError(messageText(text)); }

bool writeOutput(const QString &path, const QByteArray &bytes, int language)
{
    const WriteOutcome written = writeFileSafely(path, bytes);
    if (!written) {
        // The file name goes in last, so a "*" in it stays as it is.
        const QString message = messageText(
            fillPlaceholder(ResString(exchange_text::FileNotWritten, language), QLatin1Char('*'), written.reason));
        printError(fillPlaceholder(message, QLatin1Char('~'), path));
    }
    return bool(written);
}

bool parseArguments(const QStringList &args, const QStringList &known, Arguments &out, const QStringList &flags)
{
    out.folder = defaultFolder();
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            out.positional << a;
            continue;
        }
        if (flags.contains(a)) {
            out.options.insert(a, QString());
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
            // The language asked for is not known, so the refusal cannot be in it.
            printError(cliText(BadValue, LanguageEnglish).arg(QStringLiteral("--lang"), lang));
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

std::optional<QByteArray> readInputFile(const QString &path, int language)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() > MaxInputFileSize || !file.open(QIODevice::ReadOnly)) {
        printError(fillPlaceholder(ResString(exchange_text::CannotRead, language), QLatin1Char('~'), path));
        return std::nullopt;
    }
    return file.readAll();
}

} // namespace briqo::cli
