// briqo-cli generate: deals that meet a condition written in the language of the classic deal
// generators, into the games folder, a PBN file, a handout, or standard output.

#include "base/string_table.h"
#include "cli_common.h"
#include "exchange/exchange_strings.h"
#include "generate/generate_strings.h"
#include "generate/generated_games.h"
#include "generate/generator.h"
#include "output/handout.h"
#include "store/game_store.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QThread>

#include <cstdio>

namespace briqo::cli {

namespace {

using namespace briqo::generate;

// The highest game number the game-number field takes.
constexpr long long LastGameNumber = 999;
constexpr long long MaxProduce = 1'000'000; // the produced deals are kept in memory until written

const char *const GenerateUsage[2] = {
    "  briqo-cli generate [--script BESTAND.dl] [--produce 12] [--first 1] [--seed N] [--threads N]\n"
    "                     [--generate N] [--folder PROGRAMMAMAP | --out BESTAND.pbn | --handout BESTAND.pdf]\n"
    "                     [--on-clash overwrite|skip|stop] [--lang nl|en]\n"
    "generate maakt spellen die aan de voorwaarde van het script voldoen (de taal van het programma\n"
    "         dealer). Met --folder als spellen vanaf --first, met --out als PBN-bestand, met --handout\n"
    "         als hand-out; anders naar de standaarduitvoer (printpbn of printoneline). Dezelfde --seed\n"
    "         geeft dezelfde spellen, met elk aantal --threads.\n",
    "  briqo-cli generate [--script FILE.dl] [--produce 12] [--first 1] [--seed N] [--threads N]\n"
    "                     [--generate N] [--folder PROGRAM_FOLDER | --out FILE.pbn | --handout FILE.pdf]\n"
    "                     [--on-clash overwrite|skip|stop] [--lang nl|en]\n"
    "generate makes deals that meet the condition of the script (the language of the dealer\n"
    "         program). With --folder as games from --first, with --out as a PBN file, with\n"
    "         --handout as a handout; otherwise to standard output (printpbn or printoneline). The\n"
    "         same --seed gives the same deals with any number of --threads.\n",
};

bool readCount(const Arguments &a, const char *option, long long low, long long high, long long &value)
{
    if (!a.has(option))
        return true;
    bool ok = false;
    value = a.value(option).toLongLong(&ok);
    if (ok && value >= low && value <= high)
        return true;
    printError(cliText(BadValue, a.language).arg(QLatin1String(option), a.value(option)));
    return false;
}

bool writeBytes(const QString &path, const QByteArray &bytes, int language)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    printError(fillPlaceholder(ResString(own::CannotWriteGame, language), QLatin1Char('~'), path));
    return false;
}

// Into the games folder, asking nothing: --on-clash says what happens to games stored already.
int storeIntoFolder(const Arguments &a, const QList<Game> &games)
{
    const std::optional<ClashChoice> clash = clashChoiceOf(a);
    if (!clash)
        return ExitBadInput;
    const ClashChoice choice = *clash;
    const GameStore store(a.folder, a.language);
    const ImportResult result = storeGames(games, choice, store);
    if (result.cancelled) {
        QStringList names;
        for (long long n : storedAmong(games, store))
            names << QString::number(n);
        printError(cliText(ClashStop, a.language).arg(names.join(QStringLiteral(", "))));
        return ExitBadInput;
    }
    for (const StoreResult &failure : result.failures)
        printError(fillPlaceholder(ResString(own::CannotWriteGame, a.language), QLatin1Char('~'), failure.path));
    return result.failures.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace

QString generateUsage(int language) { return QString::fromUtf8(GenerateUsage[language == LanguageEnglish ? 1 : 0]); }

int runGenerate(const QStringList &args)
{
    Arguments a;
    const QStringList known {QStringLiteral("--script"), QStringLiteral("--produce"), QStringLiteral("--generate"),
        QStringLiteral("--first"), QStringLiteral("--seed"), QStringLiteral("--threads"), QStringLiteral("--folder"),
        QStringLiteral("--out"), QStringLiteral("--handout"), QStringLiteral("--on-clash"), QStringLiteral("--lang")};
    if (!parseArguments(args, known, a))
        return ExitBadInput;
    if (!a.positional.isEmpty()) {
        printError(cliText(UnknownOption, a.language).arg(a.positional.first()));
        return ExitBadInput;
    }
    const int destinations = int(a.has("--folder")) + int(a.has("--out")) + int(a.has("--handout"));
    if (destinations > 1) {
        printError(cliText(BadValue, a.language).arg(QStringLiteral("--folder/--out/--handout"), QString()));
        return ExitBadInput;
    }

    QString script = QStringLiteral("condition 1\n");
    const QString scriptPath = a.value("--script");
    if (a.has("--script")) {
        const std::optional<QByteArray> bytes = readInputFile(scriptPath, a.language);
        if (!bytes)
            return ExitBadInput;
        script = QString::fromUtf8(*bytes);
    }
    const ParseResult parsed = parseScript(script, a.language);
    if (!parsed.program) {
        printError(scriptPath + QStringLiteral(": ") + parsed.error.text(a.language));
        return ExitBadInput;
    }
    const Program &program = *parsed.program;

    long long produce = program.produce.value_or(DefaultProduce);
    long long generateLimit = program.generate.value_or(DefaultGenerateLimit);
    long long first = 1;
    long long threads = std::max(1, QThread::idealThreadCount());
    long long seed = 0;
    if (!readCount(a, "--produce", 1, MaxProduce, produce) || !readCount(a, "--generate", 1, 1LL << 50, generateLimit)
        || !readCount(a, "--first", 1, LastGameNumber, first) || !readCount(a, "--threads", 1, 256, threads)
        || !readCount(a, "--seed", 0, std::numeric_limits<long long>::max(), seed))
        return ExitBadInput;
    if (destinations == 1 && first + produce - 1 > LastGameNumber) {
        printError(messageText(fillPlaceholder(ResString(generate_text::NumberTooHigh, a.language), QLatin1Char('~'),
            QString::number(first + produce - 1))));
        return ExitBadInput;
    }

    GenerateOptions options;
    options.seed = a.has("--seed") ? std::uint64_t(seed) : freshSeed();
    options.threads = int(threads);
    options.produce = produce;
    options.generateLimit = generateLimit;
    QElapsedTimer clock;
    clock.start();
    const GenerateOutcome outcome = generateDeals(program, options);
    const double seconds = double(clock.nsecsElapsed()) / 1e9;
    // The closing lines of the classic generators, for scripts that read them.
    printError(QStringLiteral("Generated %1 hands").arg(outcome.generated));
    printError(QStringLiteral("Produced %1 hands").arg(outcome.deals.size()));
    printError(QStringLiteral("Time needed %1 sec").arg(seconds, 0, 'f', 3));

    if (outcome.deals.size() < produce) {
        QString refusal = ResString(generate_text::Impossible, a.language);
        refusal = fillPlaceholder(refusal, QLatin1Char('#'), QString::number(produce));
        refusal = fillPlaceholder(refusal, QLatin1Char('~'), QString::number(outcome.deals.size()));
        refusal = fillPlaceholder(refusal, QLatin1Char('*'), QString::number(outcome.generated));
        printError(messageText(refusal));
        return ExitBadInput;
    }

    if (a.has("--folder"))
        return storeIntoFolder(a, gamesOfDeals(outcome.deals, first, a.language));
    if (a.has("--out"))
        return writeBytes(a.value("--out"), pbnOfDeals(outcome.deals, first), a.language) ? ExitOk : ExitBadInput;
    if (a.has("--handout")) {
        HandoutSettings settings;
        settings.picture.languageNumber = a.language;
        settings.picture.year = QDate::currentDate().year();
        const QByteArray pdf = handoutPdf(gamesOfDeals(outcome.deals, first, a.language), settings);
        return !pdf.isEmpty() && writeBytes(a.value("--handout"), pdf, a.language) ? ExitOk : ExitBadInput;
    }
    // Standard output: the script's print actions, PBN when it names none.
    const QList<Action> actions = program.actions.isEmpty() ? QList<Action> {Action::PrintPbn} : program.actions;
    QByteArray bytes;
    for (Action action : actions) {
        if (action == Action::PrintPbn) {
            bytes += pbnOfDeals(outcome.deals, first);
        } else {
            for (const Deal &deal : outcome.deals)
                bytes += oneLineOfDeal(deal).toLatin1() + '\n';
        }
    }
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
    return ExitOk;
}

} // namespace briqo::cli
