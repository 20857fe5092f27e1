// Measures the board picture in the real main window, offscreen, against what picturing a window
// costs Qt alone, in one run:
//  (a) "Save as Bitmap": the whole capture (strip, stack, Alt+Print Screen through the keystroke
//      sender, the picture on the clipboard, the numbered 24-bit bitmap written, the window put
//      back), with the fixed pauses of the capture (100 ms, 1000 ms) counted but not slept;
//  (b) "To Clipboard": the same without the file;
//  (c) the floor: grabbing the unchanged window with QWidget::grab and writing it as a 24-bit
//      bitmap file.
// Prints the Google Benchmark table, then the ratios. The goal for (a) is under 50 ms.

#include "window_fixture.h"

#include "base/fonts.h"

#include <QDir>
#include <QImageWriter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace briqo;
using namespace briqo::benchmarks;

namespace {

Bench *bench = nullptr;

void removePictures(const GameStore &store)
{
    for (const QString &name : store.pictures(GameNumber))
        store.removePicture(GameNumber, name);
}

void BM_SaveAsBitmap(benchmark::State &state)
{
    frmBordix &w = *bench->window;
    const GameStore store = w.store();
    for (auto _ : state) {
        if (w.takePicture(frmBordix::PictureUse::File).isNull())
            state.SkipWithError("no picture arrived");
        state.PauseTiming();
        removePictures(store); // every capture writes the first picture again
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveAsBitmap)->Unit(benchmark::kMillisecond);

void BM_ToClipboard(benchmark::State &state)
{
    frmBordix &w = *bench->window;
    for (auto _ : state) {
        if (w.takePicture(frmBordix::PictureUse::Clipboard).isNull())
            state.SkipWithError("no picture arrived");
    }
}
BENCHMARK(BM_ToClipboard)->Unit(benchmark::kMillisecond);

void BM_GrabAndWriteFloor(benchmark::State &state)
{
    frmBordix &w = *bench->window;
    const QString path = bench->folder.filePath(QStringLiteral("floor.bmp"));
    for (auto _ : state) {
        const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB888);
        QImageWriter writer(path, "bmp");
        if (!writer.write(image))
            state.SkipWithError("cannot write the floor's bitmap");
    }
}
BENCHMARK(BM_GrabAndWriteFloor)->Unit(benchmark::kMillisecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> real;

    RatioReporter()
        : ConsoleReporter(OO_Tabular)
    { }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median")
                continue;
            real[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

void printRatio(const RatioReporter &reporter, const char *what, const std::string &ours, const std::string &floor)
{
    const auto a = reporter.real.find(ours);
    const auto b = reporter.real.find(floor);
    if (a == reporter.real.end() || b == reporter.real.end() || b->second <= 0)
        return;
    std::printf("%-44s %7.2f ms vs %7.2f ms = %5.2f\n", what, a->second, b->second, a->second / b->second);
}

} // namespace

int main(int argc, char **argv)
{
    // No display is needed: the picture is drawn from the widgets, as the command line will.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installFonts();
    Bench b;
    if (!b.folder.isValid() || !setUp(b)) {
        std::fprintf(stderr, "the window could not be set up for a picture\n");
        return 1;
    }
    bench = &b;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\n");
    printRatio(reporter, "(a/c) Save as Bitmap vs grab and write", "BM_SaveAsBitmap", "BM_GrabAndWriteFloor");
    printRatio(reporter, "(b/c) To Clipboard vs grab and write", "BM_ToClipboard", "BM_GrabAndWriteFloor");
    if (const auto a = reporter.real.find("BM_SaveAsBitmap"); a != reporter.real.end())
        std::printf("Save as Bitmap without its fixed pauses: %.2f ms (goal: under 50 ms)\n", a->second);
    return 0;
}
