// Measures the game store against what the file system alone costs, in one run:
//  (a) the game list scan and sort of 999 stored games, against (b) a bare recursive walk that
//      finds the same auction files;
//  (c) writing and reading one game's auction and hands files with our functions, against the
//      same bytes through std::ofstream / std::ifstream;
//  (d) saving one game through the store (its all-or-nothing commit) and reading it back, against
//      (e) the floor of any durable commit of the same two files written by hand: both written to
//      new names, both fsync'ed, both renamed over the old ones, the folder fsync'ed, both read;
//      (d) and (e) once more taking turns round by round, as the disk's speed drifts.
// Prints the Google Benchmark table, then the ratios.

#include "store/game.h"
#include "store/game_files.h"
#include "store/game_list.h"
#include "store/game_paths.h"
#include "store/game_store.h"

#include "base/string_table.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace briqo;

namespace {

QTemporaryDir *programFolder = nullptr;
const GameWords words = gameWords(LanguageDutch);

AuctionFile sampleAuction()
{
    AuctionFile a;
    a.callKinds = QStringLiteral("12131222");
    a.cells[auctionCellIndex(1, 0)] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("(1)")};
    a.cells[auctionCellIndex(2, 0)] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    a.cells[auctionCellIndex(3, 0)] = {QStringLiteral("3"), QStringLiteral("2"), QString()};
    a.cells[auctionCellIndex(0, 1)] = {QStringLiteral("DBL"), QStringLiteral("6"), QString()};
    a.cells[auctionCellIndex(1, 1)] = {QStringLiteral("4"), QStringLiteral("2"), QString()};
    return a;
}

Holdings sampleHands()
{
    return {"AK1032", "Q4", "J87", "952", "Q5", "AKJ976", "A43", "K7", "J876", "103", "KQ95", "J83", "94", "852",
        "1062", "AQ1064"};
}

void buildStore()
{
    const AuctionFile auction = sampleAuction();
    const Holdings hands = sampleHands();
    for (int n = 1; n <= 999; ++n) {
        const QString folder = GameFolder(programFolder->path(), words, n);
        const GameFilePaths files = gameFilePaths(folder, gameFolderName(words, n), words);
        std::filesystem::create_directories(folder.toStdString());
        writeAuctionFile(files.auction, auction);
        writeHandsFile(files.hands, hands);
        writeContractFile(files.contract, QStringLiteral("Zuid 4 Schoppen"));
    }
}

void BM_ScanGameList(benchmark::State &state)
{
    const QString root = GamesRoot(programFolder->path(), words);
    for (auto _ : state) {
        const QStringList list = scanGameList(root, words);
        if (list.size() != 999)
            state.SkipWithError("scan did not find 999 games");
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_ScanGameList)->Unit(benchmark::kMicrosecond);

void BM_BareWalk(benchmark::State &state)
{
    const std::filesystem::path root = GamesRoot(programFolder->path(), words).toStdString();
    const std::string ending = " bieding.txt";
    for (auto _ : state) {
        std::vector<std::string> found;
        for (const auto &entry : std::filesystem::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file())
                continue;
            const std::string name = entry.path().filename().string();
            if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
                found.push_back(name);
        }
        if (found.size() != 999)
            state.SkipWithError("walk did not find 999 auction files");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMicrosecond);

void BM_GameFilesOurs(benchmark::State &state)
{
    const QString folder = programFolder->filePath(QStringLiteral("one"));
    std::filesystem::create_directories(folder.toStdString());
    const QString auctionPath = folder + QStringLiteral("/Spel 006 bieding.txt");
    const QString handsPath = folder + QStringLiteral("/Spel 006 handen.txt");
    const AuctionFile auction = sampleAuction();
    const Holdings hands = sampleHands();
    for (auto _ : state) {
        writeAuctionFile(auctionPath, auction);
        writeHandsFile(handsPath, hands);
        benchmark::DoNotOptimize(readAuctionFile(auctionPath));
        benchmark::DoNotOptimize(readHandsFile(handsPath));
    }
}
BENCHMARK(BM_GameFilesOurs)->Unit(benchmark::kMicrosecond);

std::string bytesOf(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_GameFilesPlain(benchmark::State &state)
{
    const std::string folder = programFolder->filePath(QStringLiteral("one")).toStdString();
    const std::string auctionPath = folder + "/Spel 006 bieding.txt";
    const std::string handsPath = folder + "/Spel 006 handen.txt";
    // The very bytes our writer produced, so both sides move the same data.
    const std::string auctionBytes = bytesOf(auctionPath);
    const std::string handsBytes = bytesOf(handsPath);
    const std::string plainAuction = folder + "/plain bieding.txt";
    const std::string plainHands = folder + "/plain handen.txt";
    for (auto _ : state) {
        std::ofstream(plainAuction, std::ios::binary) << auctionBytes;
        std::ofstream(plainHands, std::ios::binary) << handsBytes;
        benchmark::DoNotOptimize(bytesOf(plainAuction));
        benchmark::DoNotOptimize(bytesOf(plainHands));
    }
}
BENCHMARK(BM_GameFilesPlain)->Unit(benchmark::kMicrosecond);

void BM_GameSaveAndRead(benchmark::State &state)
{
    const QString folder = programFolder->filePath(QStringLiteral("commit"));
    const GameStore store(folder, LanguageDutch);
    Game game;
    game.number = 6;
    game.holdings = sampleHands();
    game.auction = sampleAuction();
    for (auto _ : state) {
        if (!store.save(game))
            state.SkipWithError("the game could not be saved");
        benchmark::DoNotOptimize(store.load(6));
    }
}
BENCHMARK(BM_GameSaveAndRead)->Unit(benchmark::kMicrosecond);

bool writeDurably(const std::string &path, const std::string &bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

// The floor's files: the bytes our writers produce, so both sides move the same data.
struct Floor {
    std::string folder;
    std::string auctionBytes;
    std::string handsBytes;
    std::string auction;
    std::string hands;

    Floor()
        : folder(programFolder->filePath(QStringLiteral("floor")).toStdString())
    {
        std::filesystem::create_directories(folder);
        writeAuctionFile(QString::fromStdString(folder + "/Spel 006 bieding.txt"), sampleAuction());
        writeHandsFile(QString::fromStdString(folder + "/Spel 006 handen.txt"), sampleHands());
        auctionBytes = bytesOf(folder + "/Spel 006 bieding.txt");
        handsBytes = bytesOf(folder + "/Spel 006 handen.txt");
        auction = folder + "/floor bieding.txt";
        hands = folder + "/floor handen.txt";
    }

    // Both files written to new names, both fsync'ed, both renamed over the old ones, the folder
    // fsync'ed, both read.
    bool commitAndRead() const
    {
        bool ok = writeDurably(auction + ".new", auctionBytes) && writeDurably(hands + ".new", handsBytes);
        ok = ok && ::rename((auction + ".new").c_str(), auction.c_str()) == 0
            && ::rename((hands + ".new").c_str(), hands.c_str()) == 0;
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ok = ok && dir >= 0 && ::fsync(dir) == 0;
        if (dir >= 0)
            ::close(dir);
        benchmark::DoNotOptimize(bytesOf(auction));
        benchmark::DoNotOptimize(bytesOf(hands));
        return ok;
    }
};

void BM_DurableCommitFloor(benchmark::State &state)
{
    const Floor floor;
    for (auto _ : state) {
        if (!floor.commitAndRead())
            state.SkipWithError("the floor's files could not be written");
    }
}
BENCHMARK(BM_DurableCommitFloor)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time (the median when repetitions are asked for) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    std::map<std::string, Times> times;

    RatioReporter()
        : ConsoleReporter(OO_Tabular)
    { }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            times[run.run_name.function_name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void printRatio(const RatioReporter &reporter, const char *what, const std::string &ours, const std::string &floor)
{
    const auto a = reporter.times.find(ours);
    const auto b = reporter.times.find(floor);
    if (a == reporter.times.end() || b == reporter.times.end() || b->second.real <= 0 || b->second.cpu <= 0)
        return;
    std::printf("%-36s real %9.1f us vs %9.1f us = %5.2f   cpu %9.1f us vs %9.1f us = %5.2f\n", what, a->second.real,
        b->second.real, a->second.real / b->second.real, a->second.cpu, b->second.cpu, a->second.cpu / b->second.cpu);
}

// The disk's speed drifts a lot from one second to the next when other programs use it, and the
// benchmarks above run one after the other. Here the store's save and the floor take turns in
// short runs, so both meet the same disk. Each run starts with one untimed commit of its own kind:
// what the other kind left for the file system's next journal commit is not counted against this
// one, and each timed commit pays for what the one before it left, as in a loop of its own.
void printInterleaved(int runs, int perRun)
{
    const GameStore store(programFolder->filePath(QStringLiteral("turns")), LanguageDutch);
    Game game;
    game.number = 6;
    game.holdings = sampleHands();
    game.auction = sampleAuction();
    const Floor floor;
    std::vector<double> ours;
    std::vector<double> floors;
    const auto timed = [](const auto &work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    };
    const auto save = [&] {
        if (!store.save(game))
            std::fprintf(stderr, "the game could not be saved\n");
        benchmark::DoNotOptimize(store.load(6));
    };
    const auto commitFloor = [&] {
        if (!floor.commitAndRead())
            std::fprintf(stderr, "the floor's files could not be written\n");
    };
    const auto run = [&](const auto &work, std::vector<double> &times) {
        work();
        for (int i = 0; i < perRun; ++i)
            times.push_back(timed(work));
    };
    for (int r = 0; r < runs; ++r) {
        // Each goes first in every other pair of runs.
        if (r % 2 == 0) {
            run(save, ours);
            run(commitFloor, floors);
        } else {
            run(commitFloor, floors);
            run(save, ours);
        }
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const double a = median(ours);
    const double b = median(floors);
    std::printf("%-36s real %9.1f us vs %9.1f us = %5.2f   (%d runs of %d, medians)\n", "(d/e) the same, taking turns",
        a, b, a / b, runs, perRun);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    programFolder = &dir;
    buildStore();

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    printRatio(reporter, "(a/b) game list scan vs bare walk", "BM_ScanGameList", "BM_BareWalk");
    printRatio(reporter, "(c) one game's files vs fstream", "BM_GameFilesOurs", "BM_GameFilesPlain");
    printRatio(reporter, "(d/e) save+read vs durable floor", "BM_GameSaveAndRead", "BM_DurableCommitFloor");
    printInterleaved(40, 10);
    std::printf("goal: (d/e) <= 1.3\n");
    return 0;
}
