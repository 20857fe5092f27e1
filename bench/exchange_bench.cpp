// Reading a large PBN file against reading its bytes alone, in one run. The bench writes the
// files itself, boards numbered 1..999 over and over as a long session's file is: boards of a
// lesson (tags, a deal, an auction over two lines, a lead, a line of commentary; about 300 bytes
// each), or a dealing machine's boards (a number and a deal; about 95 bytes each).
// Each measurement runs in a child process of its own, so its peak memory (getrusage) is its own:
//  - bare:   the file's bytes read into memory;
//  - boards: the bytes read, decoded and turned into boards (what every import starts with);
//  - plan:   the whole import plan against an empty games folder (boards checked, made into games).
// Prints MB/s (by the clock, and by the child's processor time, which a busy machine disturbs
// less), the peak memory against the file size, and the ratios against the bare read.
// Then the bulk import: 999 lesson boards imported into an empty games folder (each game whole or
// not at all, durable when the import returns), against writing the very same files and folders
// with plain system calls and no fsync at all; the median of a few rounds of each.
//
//   exchange_bench [BOARDS[:deals]...] [import|read]
//     (default: 99900 1000000:deals; "import" for the import only, "read" for the reading only)

#include "base/string_table.h"
#include "deal/deal.h"
#include "exchange/importer.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;

namespace {

// A random deal in PBN order (North first), spades to clubs, each suit high to low.
std::string randomDeal(std::mt19937 &rng)
{
    int cards[52];
    for (int i = 0; i < 52; ++i)
        cards[i] = i;
    std::shuffle(cards, cards + 52, rng);
    static const char ranks[] = "AKQJT98765432";
    std::string out = "N:";
    for (int seat = 0; seat < 4; ++seat) {
        bool has[52] = {};
        for (int i = 0; i < 13; ++i)
            has[cards[seat * 13 + i]] = true;
        for (int suit = 0; suit < 4; ++suit) {
            for (int rank = 0; rank < 13; ++rank)
                if (has[suit * 13 + rank])
                    out += ranks[rank];
            if (suit < 3)
                out += '.';
        }
        if (seat < 3)
            out += ' ';
    }
    return out;
}

bool writeFile(const std::string &path, long boards, bool dealsOnly)
{
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::mt19937 rng(2024);
    static const char *seats[] = {"N", "E", "S", "W"};
    static const char *vulnerable[] = {"None", "NS", "EW", "All"};
    std::fputs("% PBN 2.1\r\n% EXPORT\r\n\r\n", f);
    for (long b = 0; b < boards; ++b) {
        const int number = static_cast<int>(b % 999) + 1;
        const char *dealer = seats[DealerOf(number)];
        if (dealsOnly) {
            std::fprintf(f, "[Board \"%d\"]\r\n[Deal \"%s\"]\r\n\r\n", number, randomDeal(rng).c_str());
            continue;
        }
        std::fprintf(f,
            "[Event \"Les\"]\r\n[Site \"Club\"]\r\n[Board \"%d\"]\r\n[Dealer \"%s\"]\r\n[Vulnerable \"%s\"]\r\n"
            "[Deal \"%s\"]\r\n[Declarer \"S\"]\r\n[Contract \"4S\"]\r\n[Auction \"%s\"]\r\n"
            "1S Pass 2S Pass\r\n4S Pass Pass Pass\r\n[Play \"W\"]\r\nHA\r\n{Lead the ace and look at dummy.}\r\n\r\n",
            number, dealer, vulnerable[VulnerabilityOf(number)], randomDeal(rng).c_str(), dealer);
    }
    return std::fclose(f) == 0;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// One measurement in this process: seconds taken, and something of the result so nothing is
// left out by the compiler.
double runPhase(const std::string &phase, const QString &path, long &check)
{
    const auto start = std::chrono::steady_clock::now();
    const QByteArray bytes = readAll(path);
    if (phase == "bare") {
        long lines = 0;
        for (char c : bytes)
            lines += c == '\n';
        check = lines;
    } else if (phase == "boards") {
        // Each board as the import gets it: streamed from the bytes, never held whole.
        QList<ExchangeProblem> problems;
        long boards = 0;
        readPbnFile(bytes, LanguageEnglish, problems, [&](ExchangeBoard &&) { ++boards; });
        check = boards;
    } else {
        QTemporaryDir folder;
        const ImportPlan plan = planImport(bytes, ExchangeFormat::Pbn, GameStore(folder.path(), LanguageEnglish));
        check = plan.games.size() + plan.refused;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Measured {
    double seconds = 0;
    double cpuSeconds = 0; // the child's processor time: on a busy machine, the steadier figure
    double peakMiB = 0;
    long check = 0;
};

// The phase in a child of its own; its peak resident memory comes back with wait4.
Measured measureInChild(const std::string &phase, const QString &path)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        Measured m;
        m.seconds = runPhase(phase, path, m.check);
        if (write(pipeFds[1], &m, sizeof m) != sizeof m)
            _exit(1);
        _exit(0);
    }
    close(pipeFds[1]);
    Measured m;
    if (read(pipeFds[0], &m, sizeof m) != sizeof m)
        m.seconds = -1;
    close(pipeFds[0]);
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    m.peakMiB = usage.ru_maxrss / 1024.0;
    m.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return m;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The files below a folder, by their path relative to it.
std::map<std::string, QByteArray> filesBelow(const QString &root)
{
    std::map<std::string, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files[QDir(root).relativeFilePath(path).toStdString()] = f.readAll();
    }
    return files;
}

// The floor: the same folders and files written with plain system calls and never flushed.
bool writePlain(const std::string &root, const std::map<std::string, QByteArray> &files)
{
    std::string lastFolder;
    for (const auto &[relative, bytes] : files) {
        const std::string path = root + "/" + relative;
        const std::string folder = path.substr(0, path.rfind('/'));
        if (folder != lastFolder) {
            for (size_t slash = root.size(); slash != std::string::npos; slash = folder.find('/', slash + 1))
                ::mkdir(folder.substr(0, slash).c_str(), 0777);
            ::mkdir(folder.c_str(), 0777);
            lastFolder = folder;
        }
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
            return false;
        ::close(fd);
    }
    return true;
}

int benchImport(const QString &scratch)
{
    constexpr int Games = 999;
    constexpr int Rounds = 5;
    const std::string path = (scratch + QStringLiteral("/import.pbn")).toStdString();
    if (!writeFile(path, Games, false))
        return 2;
    const QByteArray bytes = readAll(QString::fromStdString(path));
    std::vector<double> imports, floors;
    std::map<std::string, QByteArray> files;
    // Nothing is removed until the end: ext4 makes new files slow for a while after many were
    // removed, which would weigh on whichever side came next.
    std::vector<std::unique_ptr<QTemporaryDir>> kept;
    for (int round = 0; round < Rounds; ++round) {
        kept.push_back(std::make_unique<QTemporaryDir>(scratch + QStringLiteral("/import-XXXXXX")));
        const QTemporaryDir &into = *kept.back();
        // Each side starts with nothing of the other waiting to be written.
        ::sync();
        const auto start = std::chrono::steady_clock::now();
        const GameStore store(into.path(), LanguageEnglish);
        const ImportPlan plan = planImport(bytes, ExchangeFormat::Pbn, store);
        const ImportResult result = applyImport(plan, ClashChoice::Overwrite, store);
        imports.push_back(secondsSince(start));
        if (result.written != Games || result.writeFailed()) {
            std::fprintf(stderr, "exchange_bench: the import wrote %d games\n", result.written);
            return 2;
        }
        if (files.empty())
            files = filesBelow(into.path());

        kept.push_back(std::make_unique<QTemporaryDir>(scratch + QStringLiteral("/plain-XXXXXX")));
        const QTemporaryDir &plain = *kept.back();
        ::sync();
        const auto floorStart = std::chrono::steady_clock::now();
        if (!writePlain(plain.path().toStdString(), files)) {
            std::fprintf(stderr, "exchange_bench: the plain files could not be written\n");
            return 2;
        }
        floors.push_back(secondsSince(floorStart));
    }
    const double import = median(imports);
    const double floor = median(floors);
    std::printf("bulk import of %d games (%zu files), median of %d rounds\n", Games, files.size(), Rounds);
    std::printf("  import (durable)       %8.3f s\n", import);
    std::printf("  same files, no fsync   %8.3f s\n", floor);
    std::printf("  ratio                  %8.2f   (goal <= 3)\n", import / floor);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    std::vector<std::string> sizes(argv + 1, argv + argc);
    if (sizes.empty())
        sizes = {"99900", "1000000:deals"};
    QTemporaryDir folder;
    const bool importOnly = sizes.size() == 1 && sizes[0] == "import";
    const bool readOnly = std::find(sizes.begin(), sizes.end(), std::string("read")) != sizes.end();
    sizes.erase(std::remove(sizes.begin(), sizes.end(), std::string("import")), sizes.end());
    sizes.erase(std::remove(sizes.begin(), sizes.end(), std::string("read")), sizes.end());
    if (sizes.empty() && readOnly)
        sizes = {"99900", "1000000:deals"};
    for (const std::string &size : sizes) {
        const long boards = std::atol(size.c_str());
        const bool dealsOnly = size.find(":deals") != std::string::npos;
        const std::string path = (folder.path() + QStringLiteral("/lesson.pbn")).toStdString();
        if (!writeFile(path, boards, dealsOnly)) {
            std::fprintf(stderr, "exchange_bench: cannot write %s\n", path.c_str());
            return 2;
        }
        const double mb = QFile(QString::fromStdString(path)).size() / 1e6;
        std::printf("%ld boards (%s), %.1f MB\n", boards, dealsOnly ? "deals only" : "lessons", mb);
        std::printf(
            "  %-7s %9s %9s %9s %10s %10s %9s\n", "phase", "s", "MB/s", "cpu MB/s", "peak MiB", "peak/file", "x bare");
        double bareSeconds = 0;
        for (const char *phase : {"bare", "boards", "plan"}) {
            const Measured m = measureInChild(phase, QString::fromStdString(path));
            if (m.seconds < 0) {
                std::printf("  %-7s failed\n", phase);
                continue;
            }
            if (std::string(phase) == "bare")
                bareSeconds = m.seconds;
            std::printf("  %-7s %9.3f %9.1f %9.1f %10.1f %10.2f %9.1f   (%ld)\n", phase, m.seconds, mb / m.seconds,
                mb / m.cpuSeconds, m.peakMiB, m.peakMiB * 1048576 / (mb * 1e6), m.seconds / bareSeconds, m.check);
            std::fflush(stdout);
        }
    }
    if (!importOnly)
        std::printf("goal: boards and plan read at >= 30 MB/s, peak memory <= 2x the file\n\n");
    return readOnly ? 0 : benchImport(folder.path());
}
