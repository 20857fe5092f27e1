// Opening the games overview on 999 stored games, against the game list scan of the same store
// measured in the same run:
//  (a) building the overview window: the contract file of every listed game read, the table
//      filled, its columns fitted and its rows shaded (the window is not shown, so its first
//      paint is not counted); (a') the same with the first paint, for information;
//  (b) the rows alone, without the window: reading the 999 contract files;
//  (c) the floor: the game list scan and sort of the store.
// Prints the Google Benchmark table, then the ratios.

#include "ui/overview/overview_window.h"
#include "output/overview_rows.h"
#include "platform/qt_services.h"
#include "base/fonts.h"
#include "ui/main_window/frm_bordix.h"
#include "base/string_table.h"
#include "store/game_list.h"
#include "store/game_paths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace briqo;

namespace {

constexpr int GameCount = 999;

QTemporaryDir *programFolder = nullptr;
frmBordix *mainWindow = nullptr;
const GameWords words = gameWords(LanguageDutch);

// Every game with an auction file (which lists it) and a contract file.
bool buildStore()
{
    const QString root = GamesRoot(programFolder->path(), words);
    for (int n = 1; n <= GameCount; ++n) {
        const QString name = gameFolderName(words, n);
        const QString folder = root + QLatin1Char('/') + name;
        if (!QDir().mkpath(folder))
            return false;
        for (const auto &[word, bytes] : {std::pair {words.bidding, QByteArray("\r\n")},
                 std::pair {words.contract, QByteArray("Zuid 4 Harten\r\n")}}) {
            QFile file(gameFilePath(folder, name, word));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return false;
        }
    }
    return true;
}

void BM_OpenOverview(benchmark::State &state)
{
    for (auto _ : state) {
        mainWindow->setEnabled(false);
        auto overview = std::make_unique<OverviewWindow>(*mainWindow);
        if (overview->rows().size() != GameCount)
            state.SkipWithError("the overview does not show 999 games");
        state.PauseTiming();
        overview.reset();
        mainWindow->setEnabled(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOverview)->Unit(benchmark::kMillisecond);

void BM_OpenOverviewAndPaint(benchmark::State &state)
{
    for (auto _ : state) {
        mainWindow->setEnabled(false);
        auto overview = std::make_unique<OverviewWindow>(*mainWindow);
        benchmark::DoNotOptimize(overview->grab());
        state.PauseTiming();
        overview.reset();
        mainWindow->setEnabled(true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenOverviewAndPaint)->Unit(benchmark::kMillisecond);

void BM_OverviewRows(benchmark::State &state)
{
    const GameStore store = mainWindow->store();
    QStringList entries;
    for (int i = 0; i < mainWindow->lstSpellen->count(); ++i)
        entries << mainWindow->lstSpellen->item(i)->text();
    for (auto _ : state) {
        const QList<OverviewRow> rows = overviewRows(store, entries);
        if (rows.size() != GameCount)
            state.SkipWithError("not 999 rows");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_OverviewRows)->Unit(benchmark::kMillisecond);

void BM_ScanGameList(benchmark::State &state)
{
    const QString root = GamesRoot(programFolder->path(), words);
    for (auto _ : state) {
        const QStringList list = scanGameList(root, words);
        if (list.size() != GameCount)
            state.SkipWithError("scan did not find 999 games");
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_ScanGameList)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time (the median when repetitions are asked for) for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> realTimes; // in the benchmark's unit
    std::map<std::string, double> cpuTimes;

    RatioReporter()
        : ConsoleReporter(OO_Tabular)
    { }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            realTimes[run.run_name.function_name] = run.GetAdjustedRealTime();
            cpuTimes[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void printRatio(const RatioReporter &reporter, const char *what, const std::string &ours, const std::string &floor)
{
    // On a busy machine the real time waits for the processor; the processor time does not.
    for (const auto *times : {&reporter.realTimes, &reporter.cpuTimes}) {
        const auto a = times->find(ours);
        const auto b = times->find(floor);
        if (a == times->end() || b == times->end() || b->second <= 0)
            return;
        std::printf("%-40s %4s %8.2f ms vs %8.2f ms = %5.2f\n", what, times == &reporter.realTimes ? "real" : "cpu",
            a->second, b->second, a->second / b->second);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFonts();
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    programFolder = &dir;
    if (!buildStore())
        return 1;
    QtServices services;
    frmBordix window(services.services(), dir.path());
    mainWindow = &window;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    if (const auto open = reporter.realTimes.find("BM_OpenOverview"); open != reporter.realTimes.end())
        std::printf("opening the overview on 999 games: %.2f ms real, %.2f ms processor (goal: under 100 ms)\n",
            open->second, reporter.cpuTimes["BM_OpenOverview"]);
    printRatio(reporter, "(a/c) open overview vs game list scan", "BM_OpenOverview", "BM_ScanGameList");
    printRatio(reporter, "(a'/c) open and first paint vs scan", "BM_OpenOverviewAndPaint", "BM_ScanGameList");
    printRatio(reporter, "(b/c) contract files read vs scan", "BM_OverviewRows", "BM_ScanGameList");
    return 0;
}
