// Start-up of Briqo against a bare Qt Widgets window with as many widgets of each kind
// (startup_bare), started alternately under one virtual display (Xvfb) that this program runs:
//  - the time from starting the process until its window is mapped on the display;
//  - the resident memory once the process has gone idle after that.
// Briqo starts each time from the same program folder, which may hold stored games.
// Prints every round, then the medians and the least values and their ratios (Briqo / bare).
//
//   startup [--rounds N] [--games N] [--program PATH-TO-ANOTHER-BRIQO]

#include "base/fonts.h"
#include "base/profile.h"
#include "base/string_table.h"
#include "platform/qt_services.h"
#include "store/game_store.h"
#include "ui/main_window/frm_bordix.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace briqo;
using SteadyClock = std::chrono::steady_clock;

namespace {

// The widgets of Briqo's main window by kind, without the parts Qt builds inside its own
// widgets (scroll bars and viewports of lists and grids), which the bare window's widgets get
// from Qt in the same way.
QStringList census()
{
    QTemporaryDir folder;
    QtServices services;
    frmBordix window(services.services(), folder.path());
    static const QStringList kinds = {"QLabel", "QPushButton", "QLineEdit", "QCheckBox", "QGroupBox", "QListWidget",
        "QPlainTextEdit", "QScrollBar", "QTableWidget", "QFrame"};
    QMap<QString, int> counts;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        bool inside = w->objectName().startsWith(QLatin1String("qt_"));
        for (QWidget *up = w->parentWidget(); up && up != &window && !inside; up = up->parentWidget())
            inside = qobject_cast<QAbstractScrollArea *>(up) != nullptr;
        if (inside)
            continue;
        QString kind = QStringLiteral("QWidget");
        for (const QMetaObject *m = w->metaObject(); m; m = m->superClass()) {
            if (kinds.contains(QLatin1String(m->className()))) {
                kind = QLatin1String(m->className());
                break;
            }
        }
        ++counts[kind];
    }
    QStringList arguments;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        arguments << it.key() + u'=' + QString::number(it.value());
    return arguments;
}

class VirtualDisplay {
public:
    VirtualDisplay()
    {
        for (int n = 87; n < 120 && m_pid <= 0; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_name = QStringLiteral(":%1").arg(n);
            const QByteArray display = m_name.toLatin1();
            const char *argv[]
                = {"Xvfb", display.constData(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", nullptr};
            if (posix_spawnp(&m_pid, "Xvfb", nullptr, nullptr, const_cast<char **>(argv), environ) != 0)
                m_pid = 0;
            for (int tries = 0; tries < 100 && m_pid > 0; ++tries) {
                m_connection = xcb_connect(display.constData(), nullptr);
                if (!xcb_connection_has_error(m_connection))
                    break;
                xcb_disconnect(m_connection);
                m_connection = nullptr;
                QThread::msleep(50);
            }
        }
        if (!m_connection)
            return;
        // Every window mapped as a child of the root, that is every top-level window (no window
        // manager runs here to reparent them).
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~VirtualDisplay()
    {
        if (m_connection)
            xcb_disconnect(m_connection);
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    bool ready() const { return m_connection != nullptr; }
    const QString &name() const { return m_name; }

    // Forgets what earlier programs' windows did.
    void drain()
    {
        xcb_flush(m_connection);
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
            free(event);
    }

    // Waits for the next top-level window to be mapped; false after timeoutMs.
    bool waitForMap(int timeoutMs)
    {
        const auto end = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
        while (SteadyClock::now() < end) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                free(event);
                if (mapped)
                    return true;
            }
            pollfd fd {xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&fd, 1, 5);
        }
        return false;
    }

private:
    pid_t m_pid = 0;
    QString m_name;
    xcb_connection_t *m_connection = nullptr;
};

long cpuTicks(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong(); // utime + stime
}

double residentMiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

struct Sample {
    double mapMs = 0;
    double rssMiB = 0;
};

// Starts the program with the virtual display, measures, and ends it.
std::optional<Sample> measure(VirtualDisplay &display, const QString &program, const QStringList &arguments)
{
    QByteArrayList args {QFile::encodeName(program)};
    for (const QString &a : arguments)
        args << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    QByteArrayList env {"DISPLAY=" + display.name().toLatin1(), "QT_QPA_PLATFORM=xcb", "HOME=" + qgetenv("HOME"),
        "PATH=" + qgetenv("PATH"), "LANG=C.UTF-8", "XDG_RUNTIME_DIR=/tmp"};
    std::vector<char *> envp;
    for (QByteArray &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    display.drain();
    pid_t pid = 0;
    const auto start = SteadyClock::now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;
    const bool mapped = display.waitForMap(20000);
    const auto shown = SteadyClock::now();
    Sample sample;
    sample.mapMs = std::chrono::duration<double, std::milli>(shown - start).count();

    // Idle: less than one clock tick of work in a quarter second, after the first second.
    QThread::msleep(1000);
    long before = cpuTicks(pid);
    for (int i = 0; i < 40; ++i) {
        QThread::msleep(250);
        const long now = cpuTicks(pid);
        if (now - before < 1)
            break;
        before = now;
    }
    sample.rssMiB = residentMiB(pid);
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    if (!mapped)
        return std::nullopt;
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double least(const std::vector<double> &values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// The program folder Briqo starts from, as a teacher's copy: the program, its settings (the update
// check asks a local address that refuses at once) and the stored games.
QString prepareBriqoFolder(const QTemporaryDir &root, int games, const QString &from)
{
    const QString folder = root.filePath(QStringLiteral("briqo"));
    QDir().mkpath(folder);
    const QString program = folder + QStringLiteral("/briqo");
    QFile::copy(from, program);
    // The network module the update check opens, beside the program as on a teacher's stick.
    const QString module = QFileInfo(from).absolutePath() + QStringLiteral("/" BRIQO_NETWORK_MODULE_RELATIVE_DIR "/")
        + QStringLiteral(BRIQO_NETWORK_MODULE_NAME);
    if (QFile::exists(module))
        QFile::copy(module, folder + QStringLiteral("/") + QStringLiteral(BRIQO_NETWORK_MODULE_NAME));
    WriteIni(QStringLiteral("Update"), QStringLiteral("VersionUrl"), QStringLiteral("http://127.0.0.1:9/versie.txt"),
        folder + QStringLiteral("/taal.ini"));
    const GameStore store(folder, LanguageDutch);
    for (int n = 1; n <= games; ++n) {
        Game game;
        game.number = n;
        game.auction = AuctionFile {};
        game.auction->callKinds = QStringLiteral("1222");
        game.auction->cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
        for (int i = 0; i < FieldCount; ++i)
            game.holdings[i] = QStringLiteral("AHV");
        store.save(game);
        store.writeContract(n, QStringLiteral("Noord 1 SA"));
    }
    return program;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int rounds = 15;
    int games = 0;
    QString briqo = QStringLiteral(BRIQO_APP_PATH); // another build of Briqo may be compared
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--rounds"))
            rounds = args[i + 1].toInt();
        if (args[i] == QLatin1String("--games"))
            games = args[i + 1].toInt();
        if (args[i] == QLatin1String("--program"))
            briqo = args[i + 1];
    }
    installFonts();
    const QStringList widgets = census();
    std::printf("widgets of the main window: %s\n", qPrintable(widgets.join(u' ')));

    VirtualDisplay display;
    if (!display.ready()) {
        std::fprintf(stderr, "startup: cannot start a virtual display (Xvfb)\n");
        return 2;
    }
    QTemporaryDir root;
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/startup_bare");
    std::vector<double> briqoMs, bareMs, briqoRss, bareRss;
    // One start of each first, unmeasured, so both find the libraries in the cache.
    const QString program = prepareBriqoFolder(root, games, briqo);
    measure(display, bare, widgets);
    measure(display, program, {});
    std::printf("%-6s %12s %12s %12s %12s\n", "round", "briqo ms", "bare ms", "briqo MiB", "bare MiB");
    for (int round = 1; round <= rounds; ++round) {
        const std::optional<Sample> b = measure(display, program, {});
        const std::optional<Sample> f = measure(display, bare, widgets);
        if (!b || !f) {
            std::fprintf(stderr, "startup: a window did not appear within 20 s\n");
            return 1;
        }
        briqoMs.push_back(b->mapMs);
        bareMs.push_back(f->mapMs);
        briqoRss.push_back(b->rssMiB);
        bareRss.push_back(f->rssMiB);
        std::printf("%-6d %12.1f %12.1f %12.1f %12.1f\n", round, b->mapMs, f->mapMs, b->rssMiB, f->rssMiB);
    }
    std::printf(
        "median %12.1f %12.1f %12.1f %12.1f\n", median(briqoMs), median(bareMs), median(briqoRss), median(bareRss));
    std::printf("least  %12.1f %12.1f %12.1f %12.1f\n", least(briqoMs), least(bareMs), least(briqoRss), least(bareRss));
    std::printf("stored games: %d\n", games);
    // On a busy machine the least time is the start-up's own cost; the median shows the spread.
    std::printf("ratio start-up time (window mapped) briqo/bare: %.2f of the medians, %.2f of the least\n",
        median(briqoMs) / median(bareMs), least(briqoMs) / least(bareMs));
    std::printf("ratio resident memory when idle       briqo/bare: %.2f\n", median(briqoRss) / median(bareRss));
    return 0;
}
