// Measures the double-dummy wrapper in one run:
//  (a) a full table and par for 100 random deals through solveDeal, against the same deals
//      through the library directly (CalcDDtable and Par, the way its documentation asks for a
//      table and par). The library keeps search memory from one table to the next and solves a
//      deal it has just seen faster, so each side goes through a block of deals in turn, in the
//      order ours, direct, direct, ours, and never meets the same deal twice in a row.
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
#include <ctime>
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

// Wall time, and the processor time of the whole process: the solver's own threads included,
// and less disturbed than the wall clock by other work on a shared machine.
struct Seconds {
    double wall = 0;
    double cpu = 0;

    Seconds &operator+=(const Seconds &o)
    {
        wall += o.wall;
        cpu += o.cpu;
        return *this;
    }
};

class Stopwatch {
public:
    Stopwatch() { m_wall = std::chrono::steady_clock::now(), m_cpu = cpuNow(); }
    Seconds elapsed() const
    {
        return {std::chrono::duration<double>(std::chrono::steady_clock::now() - m_wall).count(), cpuNow() - m_cpu};
    }

private:
    static double cpuNow()
    {
        timespec t;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return t.tv_sec + t.tv_nsec / 1e9;
    }
    std::chrono::steady_clock::time_point m_wall;
    double m_cpu;
};

// One pass through our wrapper; same turns false when a table differs from the library's own
// (when those are known already).
Seconds oursPass(const RandomDeal *deals, int count, const ddTableResults *direct, bool &same)
{
    Seconds total;
    for (int i = 0; i < count; ++i) {
        const Stopwatch watch;
        const std::optional<DoubleDummyResult> result = solveDeal(deals[i].holdings, 11, 0);
        total += watch.elapsed();
        if (!result) {
            same = false;
            continue;
        }
        if (!direct)
            continue;
        // Our strains run clubs..no trump, the library's spades..clubs, no trump.
        for (int strain = 0; strain < StrainCount; ++strain)
            for (int seat = 0; seat < 4; ++seat)
                if (result->tricks[strain][seat] != direct[i].resTable[strain == 4 ? 4 : 3 - strain][seat])
                    same = false;
    }
    return total;
}

Seconds directPass(const RandomDeal *deals, int count, ddTableResults *tables)
{
    Seconds total;
    for (int i = 0; i < count; ++i) {
        parResults par;
        const Stopwatch watch;
        CalcDDtable(deals[i].table, &tables[i]);
        Par(&tables[i], &par, 0);
        total += watch.elapsed();
    }
    return total;
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
        // Blocks of ten deals, each in passes ours, direct, direct, ours, so that a change in the
        // machine's load falls on both sides alike. The first block is solved once beforehand so
        // that no pass pays for the library's first memory.
        std::vector<ddTableResults> direct(deals.size());
        directPass(deals.data(), std::min(count, 10), direct.data());
        Seconds ours, library;
        for (int first = 0; first < count; first += 10) {
            const int n = std::min(10, count - first);
            const RandomDeal *block = deals.data() + first;
            ours += oursPass(block, n, nullptr, same);
            library += directPass(block, n, direct.data() + first);
            library += directPass(block, n, direct.data() + first);
            ours += oursPass(block, n, direct.data() + first, same);
        }
        std::printf("(a) %d tables and par, solveDeal vs CalcDDtable + Par (goal: ratio <= 1.05)%s\n", 2 * count,
            same ? "" : "  TABLES DIFFER");
        std::printf("    wall %8.2f s vs %8.2f s = %.3f\n", ours.wall, library.wall, ours.wall / library.wall);
        std::printf("    cpu  %8.2f s vs %8.2f s = %.3f\n", ours.cpu, library.cpu, ours.cpu / library.cpu);
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
