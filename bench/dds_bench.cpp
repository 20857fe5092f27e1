// Measures the double-dummy wrapper in one run:
//  (a) a full table and par for 100 random deals through solveDeal, against the same deals
//      through the library directly (CalcDDtable and Par, the way its documentation asks for a
//      table and par). The library keeps search memory from one table to the next, so both sides
//      see the deals in the same order, in passes ordered ours, direct, direct, ours.
//  (b) the gaps between the ticks of a 1 ms timer on the main thread's event loop while
//      DoubleDummyWorker solves deals one after the other, against the same loop left idle (on a
//      machine shared with other work the idle loop has gaps of its own).
// Usage: dds_bench [deals (100)] [deals for the stall (20)]; 0 skips a part.

#include "analysis/double_dummy.h"
#include "analysis/double_dummy_worker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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
    }
    return deals;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One pass through our wrapper; false when a table differs from the library's own.
double oursPass(const std::vector<RandomDeal> &deals, const std::vector<ddTableResults> &direct, bool &same)
{
    double seconds = 0;
    for (size_t i = 0; i < deals.size(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        const std::optional<DoubleDummyResult> result = solveDeal(deals[i].holdings, 11, 0);
        seconds += secondsSince(start);
        if (!result) {
            same = false;
            continue;
        }
        if (direct.empty())
            continue;
        // Our strains run clubs..no trump, the library's spades..clubs, no trump.
        for (int strain = 0; strain < StrainCount; ++strain)
            for (int seat = 0; seat < 4; ++seat)
                if (result->tricks[strain][seat] != direct[i].resTable[strain == 4 ? 4 : 3 - strain][seat])
                    same = false;
    }
    return seconds;
}

double directPass(const std::vector<RandomDeal> &deals, std::vector<ddTableResults> &tables)
{
    double seconds = 0;
    tables.assign(deals.size(), {});
    for (size_t i = 0; i < deals.size(); ++i) {
        parResults par;
        const auto start = std::chrono::steady_clock::now();
        CalcDDtable(deals[i].table, &tables[i]);
        Par(&tables[i], &par, 0);
        seconds += secondsSince(start);
    }
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100;
    const int stallCount = argc > 2 ? std::atoi(argv[2]) : 20;
    const std::vector<RandomDeal> deals = randomDeals(count, 20240611);

    SetMaxThreads(0);
    DDSInfo info;
    GetDDSInfo(&info);
    std::printf("DDS %s, %d threads on %d cores; %d random deals\n", info.versionString, info.noOfThreads,
        info.numCores, count);

    bool same = true;
    if (count > 0) {
        // Every pass follows the last deal, as the passes after it do.
        std::vector<ddTableResults> direct;
        directPass({deals.back()}, direct);
        const double ours1 = oursPass(deals, {}, same);
        const double direct1 = directPass(deals, direct);
        const double direct2 = directPass(deals, direct);
        const double ours2 = oursPass(deals, direct, same);
        std::printf(
            "(a) passes: ours %.2f s, direct %.2f s, direct %.2f s, ours %.2f s\n", ours1, direct1, direct2, ours2);
        std::printf(
            "    %d tables and par, solveDeal vs CalcDDtable + Par: %.2f s vs %.2f s = ratio %.3f (goal <= 1.05)%s\n",
            2 * count, ours1 + ours2, direct1 + direct2, (ours1 + ours2) / (direct1 + direct2),
            same ? "" : "  TABLES DIFFER");
        std::fflush(stdout);
    }

    if (stallCount > 0) {
        const Stall stall = measureStall(randomDeals(stallCount, 7));
        std::printf("(b) UI thread, gaps between the ticks of a 1 ms timer (goal: longest under 16 ms)\n");
        printGaps("idle loop", stall.idle);
        printGaps(qPrintable(QStringLiteral("while the worker solved %1 tables").arg(stall.tables)), stall.busy);
    }
    return same ? 0 : 1;
}
