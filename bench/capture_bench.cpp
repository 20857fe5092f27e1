// Measures the board picture in the real main window, offscreen, against what picturing a window
// costs Qt alone, in one run:
//  (a) "Save as Bitmap": the whole capture (strip, stack, Alt+Print Screen through the keystroke
//      sender, the picture on the clipboard, the numbered 24-bit bitmap written, the window put
//      back), with the fixed pauses of the capture (100 ms, 1000 ms) counted but not slept;
//  (b) "To Clipboard": the same without the file;
//  (c) the floor: grabbing the unchanged window with QWidget::grab and writing it as a 24-bit
//      bitmap file.
// Prints the Google Benchmark table, then the ratios. The goal for (a) is under 50 ms.

#include "platform/qt_key_platform.h"
#include "platform/services.h"
#include "shell/fonts.h"
#include "shell/frm_bordix.h"
#include "shell/string_table.h"
#include "store/game_store.h"

#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace briqo;

namespace {

class SilentMessages : public MessageBoxes {
public:
    void info(QWidget *, const QString &, const QString &) override { ++shown; }
    bool askYesNo(QWidget *, const QString &, const QString &, int) override { return true; }
    int shown = 0;
};

class MemoryClipboard : public Clipboard {
public:
    void clear() override { m_image = {}; }
    void setImage(const QImage &image) override { m_image = image; }
    QImage image() const override { return m_image; }
    void setText(const QString &) override { }
    QString text() const override { return {}; }

private:
    QImage m_image;
};

// The spec's fixed pauses are the same on every machine: they are added up, not slept.
class CountedPause : public Pause {
public:
    void sleep(int milliseconds) override { total += milliseconds; }
    long long total = 0;
};

class FixedYear : public Clock {
public:
    int currentYear() const override { return 2026; }
};

struct Bench {
    QTemporaryDir folder;
    SilentMessages messages;
    MemoryClipboard clipboard;
    CountedPause pause;
    FixedYear clock;
    QtKeyPlatform keys;
    Services services;
    std::unique_ptr<frmBordix> window;
};

Bench *bench = nullptr;

constexpr long long GameNumber = 5;

// Game 5 with a deal and a finished auction, stored and shown from the list, as a teacher has it
// before taking its picture.
bool setUp(Bench &b)
{
    Game game;
    game.number = GameNumber;
    game.holdings = {"AHVB", "AHV", "AHV", "AHV", "T987", "BT9", "BT9", "BT9", "6543", "876", "876", "876", "2", "5432",
        "5432", "5432"};
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1222");
    auction.cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
    auction.cells[9] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[18] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[27] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    game.auction = auction;
    if (!GameStore(b.folder.path(), LanguageDutch).save(game))
        return false;

    b.keys.setClipboard(&b.clipboard);
    b.services.messages = &b.messages;
    b.services.clipboard = &b.clipboard;
    b.services.pause = &b.pause;
    b.services.clock = &b.clock;
    b.services.keys = &b.keys;
    b.window = std::make_unique<frmBordix>(b.services, b.folder.path());
    frmBordix &w = *b.window;
    w.show();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();
    const QList<QListWidgetItem *> found = w.lstSpellen->findItems(QStringLiteral("Spel 005"), Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    w.lstSpellen->setCurrentItem(found.first());
    w.cmdLeesSpel_Click();
    QCoreApplication::processEvents();
    return w.cmdKopie->isEnabled() && QApplication::activeWindow() == &w;
}

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
        if (!w.cmdKopie_Click())
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
        w.ClipboardMode = true;
        if (!w.cmdKopie_Click())
            state.SkipWithError("no picture arrived");
        w.ClipboardMode = false;
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
