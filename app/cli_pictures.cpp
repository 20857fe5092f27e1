// briqo-cli picture and handout: the board's picture and a lesson's handout from the stored games
// or a board file, drawn by the same code as the window's picture. They only read the games
// folder; what they write goes where --out says, never into that folder.

#include "cli_common.h"

#include "analysis/double_dummy.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "output/handout.h"
#include "output/html_handout.h"
#include "output/picture_export.h"
#include "platform/safe_write.h"
#include "store/game_store.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <array>
#include <map>

namespace briqo::cli {

namespace {

// The options shared by both subcommands: where the games come from and how they are drawn.
const QStringList DrawingOptions {QStringLiteral("--folder"), QStringLiteral("--lang"), QStringLiteral("--games"),
    QStringLiteral("--out"), QStringLiteral("--pbn"), QStringLiteral("--hide")};
const QStringList DrawingFlags {QStringLiteral("--ten"), QStringLiteral("--no-points"), QStringLiteral("--dd"),
    QStringLiteral("--no-lead"), QStringLiteral("--no-auction"), QStringLiteral("--no-contract")};

void refuseValue(const Arguments &a, const char *option)
{
    printError(cliText(BadValue, a.language).arg(QLatin1String(option), a.value(option)));
}

// --hide "EW": the seats by their letter in either language (O and Z are Dutch for E and S).
std::optional<std::array<bool, 4>> hiddenSeats(const QString &letters)
{
    std::array<bool, 4> hidden {};
    for (const QChar c : letters.toUpper()) {
        static const std::map<char16_t, int> seats {
            {u'N', North}, {u'E', East}, {u'O', East}, {u'S', South}, {u'Z', South}, {u'W', West}};
        const auto seat = seats.find(c.unicode());
        if (seat == seats.end())
            return std::nullopt;
        hidden[seat->second] = true;
    }
    return hidden;
}

std::optional<PictureSettings> pictureSettings(const Arguments &a)
{
    PictureSettings settings;
    settings.languageNumber = a.language;
    settings.year = QDate::currentDate().year();
    settings.board.tenAs10 = a.has("--ten");
    settings.shown.points = !a.has("--no-points");
    settings.shown.lead = !a.has("--no-lead");
    settings.shown.auction = !a.has("--no-auction");
    settings.shown.contract = !a.has("--no-contract");
    settings.shown.doubleDummy = a.has("--dd");
    // A picture made here is for a handout or a web page, where "!S" in a question is a spade.
    settings.suitSymbols = true;
    if (a.has("--hide")) {
        const std::optional<std::array<bool, 4>> hidden = hiddenSeats(a.value("--hide"));
        if (!hidden) {
            refuseValue(a, "--hide");
            return std::nullopt;
        }
        for (int seat = 0; seat < 4; ++seat)
            settings.shown.hands[seat] = !(*hidden)[seat];
    }
    return settings;
}

// Where the games come from: the stored games, or the boards of a file. status turns 1 when a
// board of the file is refused without being asked for.
struct GameSource {
    std::map<long long, Game> games; // by number
    QString name; // the file, for the messages
    bool fromFile = false;
    QString lessonTitle; // a PBN file's event, site and date: a handout's title unless one is given
};

std::optional<GameSource> readSource(const Arguments &a, const GameStore &store, int &status)
{
    GameSource source;
    if (!a.has("--pbn")) {
        for (long long n : storedGameNumbers(store))
            source.games.emplace(n, Game {});
        return source;
    }
    source.fromFile = true;
    source.name = a.value("--pbn");
    const std::optional<QByteArray> bytes = readInputFile(source.name, a.language);
    if (!bytes)
        return std::nullopt;
    const ImportPlan plan = planImport(*bytes, formatOfFile(source.name, *bytes), store);
    for (const ExchangeProblem &notice : plan.notices)
        printError(describe(notice, a.language));
    if (plan.games.isEmpty() && plan.refused == 0) {
        printError(fillPlaceholder(ResString(exchange_text::NoBoardFound, a.language), QLatin1Char('~'), source.name));
        return std::nullopt;
    }
    if (plan.refused > 0)
        status = ExitRefused;
    source.lessonTitle = plan.lessonTitle;
    for (const Game &game : plan.games)
        source.games.emplace(game.number, game);
    return source;
}

// The games asked for, in the order asked; none (with the messages printed) when one is missing.
std::optional<QList<Game>> gamesAsked(
    const Arguments &a, const QList<long long> &numbers, const GameSource &source, const GameStore &store)
{
    QList<Game> games;
    bool missing = false;
    for (long long n : numbers) {
        const auto found = source.games.find(n);
        if (found == source.games.end()) {
            printError(source.fromFile ? cliText(NotInBoardFile, a.language).arg(n).arg(source.name)
                                       : cliText(NotStored, a.language).arg(n));
            missing = true;
            continue;
        }
        games << (source.fromFile ? found->second : store.load(n));
    }
    if (missing)
        return std::nullopt;
    return games;
}

// The numbers of --games, or of --game for a picture; all games of the source when neither is
// given and all is allowed.
std::optional<QList<long long>> numbersAsked(const Arguments &a, const GameSource &source, bool allByDefault)
{
    if (a.has("--game") && a.has("--games")) {
        printError(cliText(OneGameOnly, a.language));
        return std::nullopt;
    }
    if (a.has("--game")) {
        bool ok = false;
        const long long n = a.value("--game").toLongLong(&ok);
        if (!ok || n < 0 || n > MaxBoardNumber) {
            refuseValue(a, "--game");
            return std::nullopt;
        }
        return QList<long long> {n};
    }
    if (a.has("--games")) {
        const std::optional<QList<long long>> asked = parseGameList(a.value("--games"));
        if (!asked)
            printError(cliText(BadGames, a.language).arg(a.value("--games")));
        return asked;
    }
    if (!allByDefault || source.games.empty()) {
        printError(cliText(NoGame, a.language));
        return std::nullopt;
    }
    QList<long long> all;
    for (const auto &[n, game] : source.games)
        all << n;
    return all;
}

bool liesIn(const QString &path, const QString &folder)
{
    const QString inside = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString root = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return inside == root || inside.startsWith(root + QLatin1Char('/'));
}

// Writes one file whole, or says why it could not.
bool writeFile(const QString &path, const QByteArray &bytes, int language)
{
    if (bytes.isEmpty()) {
        printError(cliText(CannotWrite, language).arg(path));
        return false;
    }
    if (!writeOutput(path, bytes, language))
        return false;
    printError(cliText(Written, language).arg(path));
    return true;
}

// A folder of pictures; on a failure says which file and why, and no earlier file is replaced.
bool writePictureFolder(
    const QList<Game> &games, PictureFormat format, const PictureSettings &settings, const QStringList &paths, int language)
{
    QString failed;
    const WriteOutcome written = writePictureFiles(
        games, format, settings, paths, 0, &failed, terminalProgress(ResString(own::ProgressPictures, language)));
    if (!written) {
        if (written.reason.isEmpty()) {
            printError(cliText(CannotWrite, language).arg(failed));
            return false;
        }
        // The file name goes in last, so a "*" in it stays as it is.
        const QString message = messageText(
            fillPlaceholder(ResString(exchange_text::FileNotWritten, language), QLatin1Char('*'), written.reason));
        printError(fillPlaceholder(message, QLatin1Char('~'), failed));
        return false;
    }
    for (const QString &path : paths)
        printError(cliText(Written, language).arg(path));
    return true;
}

// What both subcommands read before drawing anything.
struct Request {
    Arguments args;
    PictureSettings settings;
    QList<Game> games;
    QString out;
    QString lessonTitle; // of the board file the games come from
    int status = ExitOk;
};

std::optional<Request> readRequest(
    const QStringList &args, const QStringList &extraOptions, const QStringList &extraFlags, bool allByDefault)
{
    Request r;
    Arguments &a = r.args;
    if (!parseArguments(args, DrawingOptions + extraOptions, a, DrawingFlags + extraFlags))
        return std::nullopt;
    r.out = a.value("--out");
    if (r.out.isEmpty() || !a.positional.isEmpty()) {
        printError(cliText(MissingFile, a.language));
        return std::nullopt;
    }
    const GameStore store(a.folder, a.language);
    if (liesIn(r.out, store.gamesRoot())) {
        printError(cliText(IntoGamesFolder, a.language).arg(r.out));
        return std::nullopt;
    }
    const std::optional<PictureSettings> settings = pictureSettings(a);
    if (!settings)
        return std::nullopt;
    r.settings = *settings;
    const std::optional<GameSource> source = readSource(a, store, r.status);
    if (!source)
        return std::nullopt;
    const std::optional<QList<long long>> numbers = numbersAsked(a, *source, allByDefault);
    if (!numbers)
        return std::nullopt;
    const std::optional<QList<Game>> games = gamesAsked(a, *numbers, *source, store);
    if (!games)
        return std::nullopt;
    r.games = *games;
    r.lessonTitle = source->lessonTitle;
    // Without the solver's library the pictures are drawn without their tables, and the user is
    // told once why, before anything is written. Tables solved before need no library.
    if (r.settings.shown.doubleDummy && anyTableToSolve(r.games, a.language) && !doubleDummyAvailable())
        printError(doubleDummyUnavailableText(a.language));
    return r;
}

} // namespace

int runPicture(const QStringList &args)
{
    std::optional<Request> r = readRequest(
        args, {QStringLiteral("--game"), QStringLiteral("--scale"), QStringLiteral("--format")}, {}, false);
    if (!r)
        return ExitBadInput;
    const Arguments &a = r->args;
    if (a.has("--scale")) {
        bool ok = false;
        r->settings.scale = a.value("--scale").toDouble(&ok);
        // Below 1 the cards cannot be read; above 8 a picture is larger than any screen or page.
        if (!ok || r->settings.scale < 1 || r->settings.scale > 8) {
            refuseValue(a, "--scale");
            return ExitBadInput;
        }
    }
    const bool intoFolder = r->out.endsWith(QLatin1Char('/')) || QFileInfo(r->out).isDir();
    std::optional<PictureFormat> format = pictureFormatOf(r->out);
    if (intoFolder) {
        format = a.has("--format") ? pictureFormatOf(QStringLiteral("x.") + a.value("--format")) : PictureFormat::Png;
        if (!format) {
            refuseValue(a, "--format");
            return ExitBadInput;
        }
    } else if (r->games.size() > 1) {
        printError(cliText(FolderForGames, a.language).arg(r->out));
        return ExitBadInput;
    } else if (!format) {
        printError(cliText(BadValue, a.language).arg(QStringLiteral("--out"), r->out));
        return ExitBadInput;
    }
    if (intoFolder && !QDir().mkpath(r->out)) {
        printError(cliText(CannotWrite, a.language).arg(r->out));
        return ExitBadInput;
    }

    if (!intoFolder && !r->games.isEmpty())
        return writeFile(r->out, pictureFileBytes(r->games.first(), *format, r->settings), a.language)
            ? r->status
            : ExitBadInput;
    const GameStore names(a.folder, a.language);
    QStringList paths;
    for (const Game &game : r->games)
        paths << QDir(r->out).filePath(names.folderName(game.number) + QLatin1Char('.') + extensionOf(*format));
    return writePictureFolder(r->games, *format, r->settings, paths, a.language) ? r->status : ExitBadInput;
}

int runHandout(const QStringList &args)
{
    std::optional<Request> r = readRequest(args,
        {QStringLiteral("--per-page"), QStringLiteral("--answers"), QStringLiteral("--layout"),
            QStringLiteral("--title"), QStringLiteral("--subtitle")},
        {QStringLiteral("--no-notice")}, true);
    if (!r)
        return ExitBadInput;
    const Arguments &a = r->args;
    if (!isHtmlFileName(r->out) && pictureFormatOf(r->out) != PictureFormat::Pdf) {
        printError(cliText(NotPdf, a.language).arg(r->out));
        return ExitBadInput;
    }
    HandoutSettings settings;
    settings.picture = r->settings;
    settings.title = a.has("--title") ? a.value("--title") : r->lessonTitle;
    settings.subtitle = a.value("--subtitle");
    settings.notice = !a.has("--no-notice");
    if (a.has("--layout")) {
        const std::optional<HandoutKind> kind = handoutKindOf(a.value("--layout"));
        if (!kind) {
            refuseValue(a, "--layout");
            return ExitBadInput;
        }
        settings.kind = *kind;
        // A hand record is 9 boards to a page unless 6 are asked for.
        if (settings.kind == HandoutKind::Record && !a.has("--per-page"))
            settings.perPage = MaxBoardsPerPage;
    }
    if (a.has("--per-page")) {
        bool ok = false;
        settings.perPage = a.value("--per-page").toInt(&ok);
        if (!ok || settings.perPage < 1 || settings.perPage > MaxBoardsPerPage) {
            refuseValue(a, "--per-page");
            return ExitBadInput;
        }
    }
    const QString answers = a.value("--answers").toLower();
    if (a.has("--answers") && answers != QLatin1String("inline") && answers != QLatin1String("page")) {
        refuseValue(a, "--answers");
        return ExitBadInput;
    }
    settings.answersInline = answers == QLatin1String("inline");
    const ProgressReport progress = terminalProgress(ResString(own::ProgressHandout, a.language));
    const QByteArray bytes = isHtmlFileName(r->out) ? handoutHtml(r->games, webPageSettings(settings), progress)
                                                    : handoutPdf(r->games, settings, progress);
    return writeFile(r->out, bytes, a.language) ? r->status : ExitBadInput;
}

} // namespace briqo::cli
