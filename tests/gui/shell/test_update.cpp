#include "base/profile.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "platform/qt_services.h"
#include "platform/update_files.h"
#include "shell/update_rules.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "support/test_files.h"
#include "ui/main_window/frm_bordix.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

using namespace briqo;
using briqo::testing::contents;
using briqo::testing::put;

namespace {

// A web server on 127.0.0.1 inside the test: serves the files it holds, answers 404 for anything
// else, or, when stalling, accepts every connection and never says a word.
class LocalServer {
public:
    LocalServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] { accept(); });
    }

    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_server.serverPort()).arg(path);
    }

    QHash<QString, QByteArray> files; // by path, "/versie.txt"
    bool stall = false;
    QStringList requests; // the paths asked for

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void answer(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        if (!pending.contains("\r\n\r\n"))
            return;
        const QByteArray request = m_pending.take(socket);
        const QString path = QString::fromLatin1(request.split(' ').value(1));
        requests << path;
        if (stall)
            return;
        const bool found = files.contains(path);
        const QByteArray body = found ? files.value(path) : QByteArray("Not found");
        socket->write((found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n")
            + QByteArray("Content-Type: application/octet-stream\r\nContent-Length: ") + QByteArray::number(body.size())
            + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

// A port on which nothing listens, so a connection to it is refused.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

// The longest the event loop went without running while a test waited. A window that waited for
// the network inside a handler would show one long gap here.
class EventLoopWatch {
public:
    EventLoopWatch()
    {
        m_clock.start();
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_clock.elapsed() - m_last);
            m_last = m_clock.elapsed();
        });
        m_timer.start();
    }
    qint64 longestGapMs() const { return std::max(m_longest, m_clock.elapsed() - m_last); }

private:
    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// Handlers return at once; the network answers later.
constexpr qint64 HandlerMs = 500;
constexpr qint64 GapMs = 1000;
constexpr int GraceMs = 3000;

const QString Website = QStringLiteral("https://intranet.local/briqo");

QByteArray installerBytes()
{
    QByteArray bytes("#!/bin/sh\r\nexit 0\r\n");
    bytes.append('\0');
    QRandomGenerator random(13);
    for (int i = 0; i < 256 * 1024; ++i)
        bytes.append(char(random.bounded(256)));
    return bytes;
}

enum class Failure { NotFound, Refused, Stall };

// A main window whose update goes over real HTTP to the local server, as taal.ini tells it.
class UpdateBoard {
public:
    explicit UpdateBoard(Failure failure = Failure::NotFound)
    {
        board.network.real = &http;
        const QString host = failure == Failure::Refused ? QStringLiteral("http://127.0.0.1:%1/").arg(closedPort())
                                                         : server.url(QString());
        server.stall = failure == Failure::Stall;
        const QString ini = board->iniPath();
        WriteIni(QStringLiteral("Update"), QStringLiteral("VersionUrl"), host + QStringLiteral("versie.txt"), ini);
        WriteIni(QStringLiteral("Update"), QStringLiteral("InstallerUrl"), host + QStringLiteral("Briqo.run"), ini);
        WriteIni(QStringLiteral("Update"), QStringLiteral("Website"), Website, ini);
        // Shown offline, so the activation that comes with showing checks nothing by itself.
        board.network.connected = false;
        briqo::activate(board.window());
        board.network.connected = true;
    }

    // Runs the version check the way an activation does and waits for its answer.
    void checkVersion()
    {
        QElapsedTimer handler;
        handler.start();
        board->Form_Activate();
        QVERIFY(handler.elapsed() < HandlerMs);
        QTRY_VERIFY_WITH_TIMEOUT(!board->VersionCheckRunning, 2000);
    }

    QString versionFile() const { return versionFilePath(board.folder()); }
    QString installer() const { return installerPath(board.folder()); }

    LocalServer server;
    QtNetwork http;
    TestBoard board;
};

} // namespace

class TestUpdate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The local server must be reached directly, whatever proxy the machine names.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
    }

    // Which versions count as newer is the update rules' own test; here the window asks, keeps the
    // answer and offers the download.
    void everyActivationAsksTheServerAgain()
    {
        UpdateBoard u;
        QVERIFY(!u.board->cmdDownload->isEnabled());
        u.server.files[QStringLiteral("/versie.txt")] = "1.0.5\r\n";
        u.checkVersion();
        QCOMPARE(u.server.requests, QStringList {QStringLiteral("/versie.txt")});
        QCOMPARE(contents(u.versionFile()), QByteArray("1.0.5\r\n"));
        QVERIFY(!u.board->cmdDownload->isEnabled());
        // Back from another window after the maker published a new version.
        u.server.files[QStringLiteral("/versie.txt")] = "1.0.6\r\n";
        u.checkVersion();
        QVERIFY(u.board->cmdDownload->isEnabled());
        QCOMPARE(u.server.requests.size(), 2);
        QVERIFY(u.board.messages.shown.isEmpty());
    }

    // A version file left from an earlier run would offer an update the server no longer has.
    void failedCheckIsSilentQuickAndDropsTheOldVersionFile_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<bool>("online");
        QTest::newRow("offline") << int(Failure::NotFound) << false;
        QTest::newRow("404") << int(Failure::NotFound) << true;
        QTest::newRow("connection refused") << int(Failure::Refused) << true;
        QTest::newRow("server stalls") << int(Failure::Stall) << true;
    }
    void failedCheckIsSilentQuickAndDropsTheOldVersionFile()
    {
        QFETCH(int, failure);
        QFETCH(bool, online);
        UpdateBoard u {Failure(failure)};
        put(u.versionFile(), "9.9.9\r\n");
        u.board.network.connected = online;

        EventLoopWatch watch;
        QElapsedTimer total;
        total.start();
        u.board->Form_Activate();
        QVERIFY(total.elapsed() < HandlerMs);
        u.board->Form_Activate(); // a second activation does not start a second request
        // The user goes on working while the server is silent.
        typeGameNumber(u.board.window(), QStringLiteral("12"));
        QCOMPARE(u.board->txtSpel->text(), QStringLiteral("12"));
        QTRY_VERIFY_WITH_TIMEOUT(!u.board->VersionCheckRunning, VersionCheckSilenceMs + GraceMs);

        QVERIFY(total.elapsed() < VersionCheckSilenceMs + GraceMs);
        QVERIFY2(watch.longestGapMs() < GapMs, qPrintable(QString::number(watch.longestGapMs())));
        QVERIFY(!QFile::exists(u.versionFile()));
        QVERIFY(!u.board->cmdDownload->isEnabled());
        QVERIFY(u.board.messages.shown.isEmpty());
        QCOMPARE(u.board.network.requested.size(), online ? 1 : 0);
    }

    void downloadHandsOverToTheInstallerAndEndsWithoutTheSaveQuestion()
    {
        UpdateBoard u;
        const QByteArray installer = installerBytes();
        u.server.files[QStringLiteral("/versie.txt")] = "1.0.6\r\n";
        u.server.files[QStringLiteral("/Briqo.run")] = installer;
        QDir(u.board.folder()).mkpath(QStringLiteral("Update"));
        put(u.installer(), "the previous installer");
        u.checkVersion();
        typeSampleDeal(u.board.window());
        bid(u.board.window(), {0});
        QVERIFY(u.board->board().unsavedChanges());
        u.board.messages.shown.clear();
        u.board.messages.titles.clear();

        QTest::mouseClick(u.board->cmdDownload, Qt::LeftButton);
        // Nothing else can start while the installer comes in.
        QVERIFY(!u.board->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(u.board.ended, InstallerSilenceMs);

        QCOMPARE(contents(u.installer()), installer);
        QVERIFY(QFile::permissions(u.installer()) & QFile::ExeOwner);
        const QStringList started {u.installer(), QStringLiteral("/p=") + QDir::toNativeSeparators(u.board.folder())};
        QCOMPARE(u.board.processes.started, QList<QStringList> {started});
        QCOMPARE(u.board.processes.folders, QStringList {QDir::rootPath()});
        // The closing notice is the only message: no question about the unsaved auction.
        QCOMPARE(u.board.messages.shown, QStringList {messageText(u.board->ResString(Str::UpdateStarts))});
        QCOMPARE(u.board.messages.titles, QStringList {u.board->caption()});
    }

    void failedDownloadNamesTheWebsiteAndTheProgramGoesOn_data()
    {
        QTest::addColumn<int>("failure");
        QTest::newRow("404") << int(Failure::NotFound);
        QTest::newRow("server stalls") << int(Failure::Stall);
    }
    void failedDownloadNamesTheWebsiteAndTheProgramGoesOn()
    {
        QFETCH(int, failure);
        UpdateBoard u {Failure(failure)};
        u.board->cmdDownload->setEnabled(true);

        EventLoopWatch watch;
        QElapsedTimer handler;
        handler.start();
        QTest::mouseClick(u.board->cmdDownload, Qt::LeftButton);
        QVERIFY(handler.elapsed() < HandlerMs);
        QTRY_VERIFY_WITH_TIMEOUT(!u.board.messages.shown.isEmpty(), InstallerSilenceMs + GraceMs);

        QVERIFY2(watch.longestGapMs() < GapMs, qPrintable(QString::number(watch.longestGapMs())));
        QCOMPARE(u.board.messages.shown,
            QStringList {QStringLiteral("Er is geen update van Briqo.\nProbeer het straks nog eens een keer.\n\n"
                                        "Raadpleeg mijn website: https://intranet.local/briqo")});
        QVERIFY(u.board->isEnabled());
        QVERIFY(!u.board.ended);
        QVERIFY(u.board.processes.started.isEmpty());
        // The server's error page is not kept as an installer.
        QVERIFY(!QFile::exists(u.installer()));
    }

    // A download that cannot run must not close the program and leave the user with nothing.
    void installerThatCannotRunKeepsTheProgramOpen_data()
    {
        QTest::addColumn<QByteArray>("served");
        QTest::addColumn<bool>("startable");
        QTest::addColumn<int>("starts");
        QTest::newRow("empty file") << QByteArray() << true << 0;
        QTest::newRow("start refused") << installerBytes() << false << 1;
    }
    void installerThatCannotRunKeepsTheProgramOpen()
    {
        QFETCH(QByteArray, served);
        QFETCH(bool, startable);
        QFETCH(int, starts);
        UpdateBoard u;
        u.server.files[QStringLiteral("/Briqo.run")] = served;
        u.board.processes.startable = startable;
        u.board->cmdDownload->setEnabled(true);
        QTest::mouseClick(u.board->cmdDownload, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(u.board.messages.shown.size() == 1 + starts, 5000);
        QVERIFY(u.board.messages.shown.last().endsWith(Website));
        QCOMPARE(u.board.processes.started.size(), starts);
        QVERIFY(!u.board.ended);
        QVERIFY(u.board->isEnabled());
    }
};

QTEST_MAIN(TestUpdate)
#include "test_update.moc"
