// The deal generator against the dealer program of Debian's archive (package "dealer"), on the
// same conditions in one run: hands generated per second for both, Briqo on 1 and 2 threads, and
// where Briqo's time goes (random numbers, dealing, evaluating the condition).
//
//   generate_bench [DEALS]      (default 4 000 000 deals per measurement)

#include "generate/dealing.h"
#include "generate/generator.h"
#include "generate/script.h"
#include "base/string_table.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <ctime>
#include <optional>
#include <sys/resource.h>
#include <vector>

using namespace briqo;
using namespace briqo::generate;

namespace {

struct Condition {
    const char *name;
    const char *script;
};

const Condition Conditions[] = {
    {"1NT 15-17 balanced, South 8+ with 4 spades",
        "condition shape(north, any 4333 + any 4432 + any 5332) && hcp(north) >= 15 && hcp(north) <= 17\n"
        "    && hcp(south) >= 8 && spades(south) >= 4\n"},
    {"shape with several patterns",
        "condition shape(west, any 5431 + any 5521 + any 6421 - 5xxx - x5xx) && shape(east, any 4441 + any 5440)\n"
        "    && hcp(west) >= 11\n"},
};

double cpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double childCpuSeconds()
{
    rusage u {};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Rate {
    double wall = 0; // hands per second
    double cpu = 0; // hands per CPU second
    std::int64_t produced = 0;
};

Rate briqoRate(const Program &program, std::int64_t deals, int threads)
{
    GenerateOptions o;
    o.seed = 1;
    o.threads = threads;
    o.produce = deals; // never reached: every deal is generated
    o.generateLimit = deals;
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    const GenerateOutcome out = generateDeals(program, o);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    return {double(deals) / seconds, double(deals) / (cpuSeconds() - cpu0), std::int64_t(out.deals.size())};
}

std::optional<Rate> dealerRate(const QString &dealer, const char *script, std::int64_t deals)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("bench.dl")));
    if (!file.open(QIODevice::WriteOnly))
        return std::nullopt;
    file.write(QByteArray(script) + "action printoneline\n");
    file.close();
    QProcess p;
    p.setStandardOutputFile(dir.filePath(QStringLiteral("out.txt")));
    const double cpu0 = childCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    p.start(dealer,
        {QStringLiteral("-s"), QStringLiteral("1"), QStringLiteral("-g"), QString::number(deals), QStringLiteral("-p"),
            QString::number(deals), file.fileName()});
    if (!p.waitForFinished(-1) || p.exitCode() != 0)
        return std::nullopt;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    QFile out(dir.filePath(QStringLiteral("out.txt")));
    out.open(QIODevice::ReadOnly);
    std::int64_t produced = 0;
    for (const QByteArray &line : out.readAll().split('\n'))
        if (line.startsWith("n "))
            ++produced;
    return Rate {double(deals) / seconds, double(deals) / (childCpuSeconds() - cpu0), produced};
}

// Nanoseconds per deal of each step, on one thread.
void whereTheTimeGoes(const Program &program, std::int64_t deals)
{
    volatile std::uint32_t sink = 0;
    Random random(1, 0);
    Dealer dealer(program.predeal);
    std::array<std::uint8_t, CardsInPack> offsets {};
    double t0 = cpuSeconds();
    for (std::int64_t i = 0; i < deals; ++i) {
        dealer.drawOffsets(random, offsets);
        sink = sink + offsets[i % 39];
    }
    const double randomNs = (cpuSeconds() - t0) / double(deals) * 1e9;

    std::vector<Deal> batch(1 << 16);
    t0 = cpuSeconds();
    for (std::int64_t i = 0; i < deals; ++i)
        batch[i & 0xFFFF] = dealer.deal(random);
    const double dealNs = (cpuSeconds() - t0) / double(deals) * 1e9;

    std::int64_t accepted = 0;
    t0 = cpuSeconds();
    for (std::int64_t i = 0; i < deals; ++i)
        accepted += accepts(program, batch[i & 0xFFFF]);
    const double evaluateNs = (cpuSeconds() - t0) / double(deals) * 1e9;
    sink = sink + std::uint32_t(accepted);
    std::printf("  per deal on one thread: random numbers %.1f ns, dealing (cards into hands) %.1f ns, "
                "evaluating %.1f ns\n",
        randomNs, dealNs - randomNs, evaluateNs);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const std::int64_t deals = argc > 1 ? QByteArray(argv[1]).toLongLong() : 4'000'000;
    QString dealer = QStandardPaths::findExecutable(QStringLiteral("dealer"));
    if (dealer.isEmpty())
        dealer = QStandardPaths::findExecutable(QStringLiteral("dealer"), {QStringLiteral("/usr/games")});
    std::printf("%lld deals per measurement; hands generated per second (wall clock / per CPU second)\n\n",
        static_cast<long long>(deals));
    std::printf("| condition | dealer 1 thread | Briqo 1 thread | Briqo 2 threads | Briqo 1 / dealer (CPU) |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const Condition &c : Conditions) {
        const ParseResult parsed = parseScript(QString::fromLatin1(c.script), LanguageEnglish);
        if (!parsed.program) {
            std::printf("%s\n", qPrintable(parsed.error.text(LanguageEnglish)));
            return 1;
        }
        const std::optional<Rate> theirs = dealer.isEmpty() ? std::nullopt : dealerRate(dealer, c.script, deals);
        const Rate one = briqoRate(*parsed.program, deals, 1);
        const Rate two = briqoRate(*parsed.program, deals, 2);
        auto cell = [](const Rate &r) {
            return QStringLiteral("%1 M / %2 M").arg(r.wall / 1e6, 0, 'f', 2).arg(r.cpu / 1e6, 0, 'f', 2);
        };
        std::printf("| %s | %s | %s | %s | %s |\n", c.name,
            theirs ? qPrintable(cell(*theirs)) : "(dealer not installed)", qPrintable(cell(one)), qPrintable(cell(two)),
            theirs ? qPrintable(QString::number(one.cpu / theirs->cpu, 'f', 1)) : "-");
        std::printf("  produced: dealer %lld, Briqo %lld of %lld (share %.4f %%)\n",
            static_cast<long long>(theirs ? theirs->produced : -1), static_cast<long long>(one.produced),
            static_cast<long long>(deals), 100.0 * double(one.produced) / double(deals));
        whereTheTimeGoes(*parsed.program, deals / 4);
    }
    return 0;
}
