// Measures double-dummy handouts in one run, on the same random deals:
//  (a) the library's own batch call (CalcAllTables with par, all cores, 40 tables a call): the
//      floor of solving the deals at all;
//  (b) `briqo-cli handout --dd` of the deals with an empty cache (every deal solved), then the
//      same handout again (every table from the cache), and the handout without --dd (these two
//      taking turns, five rounds each, compared by their medians). Goals: the
//      first within 1.1 x the batch call, the second within 1.2 x the handout without --dd;
//  (c) the gaps between the ticks of a 1 ms timer on the main thread's event loop while
//      DoubleDummyWorker solves deals one after the other, against the same loop left idle (on a
//      machine shared with other work the idle loop has gaps of its own). Goal: none over 16 ms.
// Usage: dds_bench [deals (120)] [deals for the stall (20)]; 0 skips a part.

#include "analysis/double_dummy.h"
#include "analysis/double_dummy_worker.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <dds/dll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

using namespace briqo;

namespace {

struct RandomDeal {
    Holdings holdings; // English letters
    ddTableDeal table {};
};

std::vector<RandomDeal> randomDeals(int count, unsigned seed)
{
    static const char ranks[] = "23456789TJQKA";
    std::mt19937 random(seed);
    std::vector<RandomDeal> deals(count);
    for (RandomDeal &deal : deals) {
        std::array<int, 52> cards;
        for (int c = 0; c < 52; ++c)
            cards[c] = c;
        std::shuffle(cards.begin(), cards.end(), random);
        for (int i = 0; i < 52; ++i) {
            const int seat = i / 13, suit = cards[i] / 13, rank = cards[i] % 13;
            deal.holdings[FieldOf(seat, suit)] += QLatin1Char(ranks[rank]);
            deal.table.cards[seat][suit] |= 1u << (rank + 2);
        }
        // Highest card first, as a PBN deal writes it.
        for (QString &holding : deal.holdings)
            std::sort(holding.begin(), holding.end(),
                [](QChar a, QChar b) { return std::strchr(ranks, a.toLatin1()) > std::strchr(ranks, b.toLatin1()); });
    }
    return deals;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The library's batch call: the five strains of up to 40 deals spread over its threads at once,
// with the par of each deal (none vulnerable).
double batchSeconds(const std::vector<RandomDeal> &deals)
{
    const auto start = std::chrono::steady_clock::now();
    for (size_t first = 0; first < deals.size(); first += MAXNOOFTABLES) {
        const int n = static_cast<int>(std::min<size_t>(MAXNOOFTABLES, deals.size() - first));
        ddTableDeals batch {};
        batch.noOfTables = n;
        for (int i = 0; i < n; ++i)
            batch.deals[i] = deals[first + i].table;
        int filter[DDS_STRAINS] = {0, 0, 0, 0, 0};
        ddTablesRes results {};
        allParResults par {};
        if (CalcAllTables(&batch, 0, filter, &results, &par) != RETURN_NO_FAULT)
            std::printf("    the batch call reported a fault\n");
    }
    return secondsSince(start);
}

// The deals as a PBN file of boards 1..n.
QByteArray pbnOf(const std::vector<RandomDeal> &deals)
{
    QByteArray pbn;
    for (size_t i = 0; i < deals.size(); ++i) {
        QStringList hands;
        for (int seat = 0; seat < 4; ++seat) {
            QStringList suits;
            for (int suit = 0; suit < 4; ++suit)
                suits << deals[i].holdings[FieldOf(seat, suit)];
            hands << suits.join(QLatin1Char('.'));
        }
        pbn += QStringLiteral("[Board \"%1\"]\r\n[Deal \"N:%2\"]\r\n\r\n").arg(i + 1).arg(hands.join(' ')).toLatin1();
    }
    return pbn;
}

// One handout of every board of the file, by briqo-cli with its cache in the folder given.
double handoutSeconds(const QString &pbn, const QString &folder, const QString &cache, bool dd)
{
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIQO_CACHE_DIR"), cache);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    cli.setProcessEnvironment(environment);
    QStringList arguments {QStringLiteral("handout"), QStringLiteral("--pbn"), pbn, QStringLiteral("--folder"), folder,
        QStringLiteral("--out"), folder + QStringLiteral("/handout.pdf")};
    if (dd)
        arguments << QStringLiteral("--dd");
    const auto start = std::chrono::steady_clock::now();
    cli.start(QStringLiteral(BRIQO_CLI_PATH), arguments);
    cli.waitForFinished(-1);
    const double seconds = secondsSince(start);
    if (cli.exitCode() != 0)
        std::printf("    briqo-cli %s: exit %d: %s\n", qPrintable(arguments.join(' ')), cli.exitCode(),
            cli.readAllStandardError().constData());
    return seconds;
}

// The gaps between the ticks of a 1 ms timer in one phase of the loop.
struct Gaps {
    double longestMs = 0;
    int over16 = 0;
    double seconds = 0;

    void add(double ms)
    {
        longestMs = std::max(longestMs, ms);
        over16 += ms > 16;
    }
};

struct Stall {
    Gaps idle, busy;
    int tables = 0;
};

// The main thread runs an event loop with a 1 ms timer and notes the gaps between ticks: first
// for five idle seconds, then while the worker solves the deals one after the other.
Stall measureStall(const std::vector<RandomDeal> &deals)
{
    Stall stall;
    DoubleDummyWorker worker;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    QElapsedTimer sinceTick, phase;
    bool busy = false;
    size_t next = 0;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        (busy ? stall.busy : stall.idle).add(sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
        if (!busy && phase.elapsed() >= 5000) {
            stall.idle.seconds = phase.restart() / 1000.0;
            busy = true;
            worker.request(deals[next++].holdings, 11, 0);
        }
    });
    QObject::connect(&worker, &DoubleDummyWorker::finished, [&] {
        ++stall.tables;
        if (next < deals.size()) {
            worker.request(deals[next++].holdings, 11, 0);
            return;
        }
        stall.busy.seconds = phase.elapsed() / 1000.0;
        QCoreApplication::quit();
    });
    phase.start();
    sinceTick.start();
    tick.start();
    QCoreApplication::exec();
    return stall;
}

void printGaps(const char *what, const Gaps &gaps)
{
    std::printf("    %-42s longest %6.1f ms, %3d gaps over 16 ms in %5.1f s\n", what, gaps.longestMs, gaps.over16,
        gaps.seconds);
}

void printLoad()
{
    QFile load(QStringLiteral("/proc/loadavg"));
    if (load.open(QIODevice::ReadOnly))
        std::printf("    load average %s", load.readLine().constData());
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 120;
    const int stallCount = argc > 2 ? std::atoi(argv[2]) : 20;
    // The stall part solves in this process: its tables go to a cache of its own, in memory.
    qputenv("BRIQO_CACHE_DIR", "");

    SetMaxThreads(0);
    DDSInfo info;
    GetDDSInfo(&info);
    std::printf("DDS %s, %d threads on %d cores; %d random deals\n", info.versionString, info.noOfThreads,
        info.numCores, count);
    printLoad();

    if (count > 0) {
        const std::vector<RandomDeal> deals = randomDeals(count, 20240611);
        QTemporaryDir work;
        const QString pbn = work.filePath(QStringLiteral("deals.pbn"));
        QFile file(pbn);
        if (!file.open(QIODevice::WriteOnly) || file.write(pbnOf(deals)) < 0)
            return 1;
        file.close();
        const QString folder = work.filePath(QStringLiteral("program"));
        QDir().mkpath(folder);
        const QString cache = work.filePath(QStringLiteral("cache"));

        // The first handout of all starts the program and its fonts cold; this one is not counted.
        handoutSeconds(pbn, folder, work.filePath(QStringLiteral("unused")), false);
        const double batch = batchSeconds(deals);
        const double first = handoutSeconds(pbn, folder, cache, true);
        // The two quick handouts take turns, five rounds each, and their medians are compared: one
        // run of a tenth of a second is at the mercy of anything else the machine does.
        std::vector<double> seconds, plains;
        for (int round = 0; round < 5; ++round) {
            seconds.push_back(handoutSeconds(pbn, folder, cache, true));
            plains.push_back(handoutSeconds(pbn, folder, cache, false));
        }
        const auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        const double second = median(seconds);
        const double plain = median(plains);
        std::printf("(a) the library's batch call, %d tables and par:       %7.2f s\n", count, batch);
        std::printf("(b) handout of %d boards with --dd, empty cache:       %7.2f s = %.3f x the batch call"
                    " (goal <= 1.1)\n",
            count, first, first / batch);
        std::printf("    the same handout again (tables from the cache):   %7.2f s = %.3f x the handout without"
                    " --dd (goal <= 1.2; medians of 5)\n",
            second, second / plain);
        std::printf("    the handout without --dd:                         %7.2f s\n", plain);
        printLoad();
        std::fflush(stdout);
    }

    if (stallCount > 0) {
        const Stall stall = measureStall(randomDeals(stallCount, 7));
        std::printf("(c) UI thread, gaps between the ticks of a 1 ms timer (goal: longest under 16 ms)\n");
        printGaps("idle loop", stall.idle);
        printGaps(qPrintable(QStringLiteral("while the worker solved %1 tables").arg(stall.tables)), stall.busy);
    }
    return 0;
}
