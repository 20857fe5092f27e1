// Two writers in one games folder: two imports at once, and an import while another process saves
// game after game. No game may be lost or mixed, and every save reported done must be on disk.
// A writer that cannot get the folder says so and exits 2; so does an import onto a full disk.

#include "import_games.h"

#include "store/folder_lock.h"

#include <QLockFile>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;
using namespace briqo::test;

namespace {

// Game m as the saving process stores it in its round r: the caption of the first cell and
// North's spades both carry the round, so a mix of two saves shows.
Game savedVersion(long long m, int round)
{
    Game game;
    game.number = m;
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1222");
    auction.cells[0] = {QStringLiteral("S%1").arg(round), QStringLiteral("4"), QString()};
    game.auction = auction;
    game.holdings[0] = QString(round % 13 + 1, QLatin1Char('2'));
    for (int i = 1; i < FieldCount; ++i)
        game.holdings[i] = QStringLiteral("AH%1").arg(round % 7);
    return game;
}

// The round a game was saved in, -1 when its auction and its hands come from different saves.
int savedRound(const Game &game)
{
    if (!game.auction || !game.auction->cells[0].caption.startsWith(QLatin1Char('S')))
        return -1;
    const int round = game.auction->cells[0].caption.mid(1).toInt();
    return game.holdings == savedVersion(game.number, round).holdings ? round : -1;
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run finish(QProcess *p)
{
    p->waitForFinished(180000);
    Run run {
        p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1, QString::fromUtf8(p->readAllStandardError())};
    delete p;
    return run;
}

} // namespace

class ImportWritersTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;
    QString m_fileA, m_fileB;
    QList<Game> m_a, m_b;

private slots:
    void initTestCase()
    {
        m_fileA = m_files.filePath(QStringLiteral("a.pbn"));
        m_fileB = m_files.filePath(QStringLiteral("b.pbn"));
        for (const auto &[path, version] : {std::pair {m_fileA, 'A'}, std::pair {m_fileB, 'B'}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(versionFile(version));
        }
        m_a = importedVersion(versionFile('A'));
        m_b = importedVersion(versionFile('B'));
    }

    void twoImportsAtOnceLoseAndMixNothing()
    {
        const int rounds = fromEnvironment("BRIQO_TWO_WRITER_ROUNDS", 6);
        int checked = 0, failures = 0;
        for (int round = 0; round < rounds; ++round) {
            QTemporaryDir dir(scratchTemplate());
            const GameStore store(dir.path(), LanguageDutch);
            if (round % 2 == 1) // half of the rounds over an earlier import
                QCOMPARE(finish(startImport(dir.path(), m_fileB)).exitCode, 0);
            QProcess *a = startImport(dir.path(), m_fileA);
            QProcess *b = startImport(dir.path(), m_fileB);
            const Run ra = finish(a), rb = finish(b);
            if (ra.exitCode != 0 || rb.exitCode != 0) {
                ++failures;
                qWarning("round %d: exit %d and %d: %s %s", round, ra.exitCode, rb.exitCode, qPrintable(ra.err),
                    qPrintable(rb.err));
            }
            for (long long n = 1; n <= ImportedBoards; ++n) {
                ++checked;
                const Game game = store.load(n);
                if (game != m_a[n] && game != m_b[n]) {
                    ++failures;
                    qWarning("round %d: game %lld lost or mixed", round, n);
                }
            }
        }
        qInfo("two imports at once: %d rounds, %d games checked, %d failures", rounds, checked, failures);
        QCOMPARE(failures, 0);
    }

    void anImportWhileAnotherProcessSavesLosesNothing()
    {
        const int rounds = fromEnvironment("BRIQO_TWO_WRITER_ROUNDS", 6);
        constexpr int SavedOnly = 30; // games 51-80 are saved only, 1-50 saved and imported
        int checked = 0, failures = 0, savesDone = 0;
        for (int round = 0; round < rounds; ++round) {
            QTemporaryDir dir(scratchTemplate());
            const GameStore store(dir.path(), LanguageDutch);
            store.ensureGamesRoot();
            const QString stop = dir.filePath(QStringLiteral("stop"));
            const QString log = dir.filePath(QStringLiteral("saves.log"));
            const pid_t saver = fork();
            QVERIFY(saver >= 0);
            if (saver == 0) {
                // The other process: the window saving one game after the other, noting each save
                // that reported done.
                FILE *done = std::fopen(QFile::encodeName(log).constData(), "w");
                for (int r = 0; !QFileInfo::exists(stop) && r < 100000; ++r) {
                    for (long long m = 1; m <= ImportedBoards + SavedOnly; ++m) {
                        if (store.save(savedVersion(m, r)))
                            std::fprintf(done, "%lld %d\n", m, r);
                    }
                    std::fflush(done);
                }
                std::fclose(done);
                ::_exit(0);
            }
            const Run imported = finish(startImport(dir.path(), round % 2 ? m_fileB : m_fileA));
            QFile(stop).open(QIODevice::WriteOnly);
            int status = 0;
            ::waitpid(saver, &status, 0);
            if (imported.exitCode != 0) {
                ++failures;
                qWarning("round %d: the import exited %d: %s", round, imported.exitCode, qPrintable(imported.err));
            }

            QHash<long long, int> lastDone;
            QFile saves(log);
            QVERIFY(saves.open(QIODevice::ReadOnly));
            for (const QByteArray &line : saves.readAll().split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() == 2) {
                    lastDone[parts[0].toLongLong()] = parts[1].toInt();
                    ++savesDone;
                }
            }
            const Game &imported1 = round % 2 ? m_b[1] : m_a[1];
            Q_UNUSED(imported1);
            for (long long m = 1; m <= ImportedBoards + SavedOnly; ++m) {
                ++checked;
                const Game game = store.load(m);
                bool whole = false;
                if (m > ImportedBoards) {
                    // Only the saver writes here: the last save reported done is what is stored.
                    whole = lastDone.contains(m) && savedRound(game) == lastDone[m];
                } else {
                    // The import's whole game, or a save over it: its auction and hands together,
                    // beside the import's other files or none.
                    const Game &mine = round % 2 ? m_b[m] : m_a[m];
                    Game rest = game;
                    rest.auction = mine.auction;
                    rest.holdings = mine.holdings;
                    whole = game == mine
                        || (savedRound(game) >= 0
                            && (rest == mine
                                || (game.contract.isEmpty() && !game.lead && !game.hasQuestionFile
                                    && !game.hasAnswerFile)));
                }
                if (!whole) {
                    ++failures;
                    qWarning("round %d: game %lld lost or mixed", round, m);
                }
            }
        }
        qInfo("an import while another process saves: %d rounds, %d saves reported done, %d games checked, %d "
              "failures",
            rounds, savesDone, checked, failures);
        QCOMPARE(failures, 0);
    }

    void aBusyGamesFolderStopsTheImportWithExitTwo_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("says");
        QTest::newRow("nl") << QStringLiteral("nl") << QStringLiteral("Een ander programma");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("Another program");
    }
    void aBusyGamesFolderStopsTheImportWithExitTwo()
    {
        QFETCH(QString, language);
        QFETCH(QString, says);
        QTemporaryDir dir(scratchTemplate());
        const GameStore store(dir.path(), language == QLatin1String("nl") ? LanguageDutch : LanguageEnglish);
        store.ensureGamesRoot();
        // Another live process holds the games folder for longer than the import waits.
        const pid_t holder = fork();
        QVERIFY(holder >= 0);
        if (holder == 0) {
            QLockFile lock(FolderLock::lockPath(store.gamesRoot()));
            lock.lock();
            QFile(dir.filePath(QStringLiteral("held"))).open(QIODevice::WriteOnly);
            ::pause();
            ::_exit(0);
        }
        while (!QFileInfo::exists(dir.filePath(QStringLiteral("held"))))
            QThread::msleep(10);
        const Run run = finish(startImport(dir.path(), m_fileA, nullptr, language));
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(says), qPrintable(run.err));
        QVERIFY(!run.err.contains(QLatin1Char('|')));
        QCOMPARE(store.list(), QStringList {});

        // The holder was killed: its lock is taken over and the import goes through.
        QCOMPARE(finish(startImport(dir.path(), m_fileA, nullptr, language)).exitCode, 0);
        QCOMPARE(store.list().size(), ImportedBoards);
    }

    void aFullDiskDuringAnImportExitsTwoWithTheReason()
    {
        QTemporaryDir dir(scratchTemplate());
        const GameStore store(dir.path(), LanguageDutch);
        QCOMPARE(finish(startImport(dir.path(), m_fileB)).exitCode, 0);
        // No file may grow past 100 bytes: no auction file fits.
        QProcess *p = new QProcess;
        p->setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit {100, 100};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->start(qEnvironmentVariable("BRIQO_CLI_UNDER_TEST", QStringLiteral(BRIQO_CLI)),
            {QStringLiteral("import"), m_fileA, QStringLiteral("--folder"), dir.path(), QStringLiteral("--lang"),
                QStringLiteral("nl"), QStringLiteral("--on-clash"), QStringLiteral("overwrite")});
        const Run run = finish(p);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QLatin1String("0 spellen geschreven")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QLatin1String("Dat spel is niet veranderd")), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QLatin1String("Er is niets veranderd")), qPrintable(run.err));
        QVERIFY2(run.err.contains(QLatin1String("large")) || run.err.contains(QLatin1String("space")),
            qPrintable(run.err)); // the disk's own reason
        for (long long n = 1; n <= ImportedBoards; ++n)
            QCOMPARE(store.load(n), m_b[n]);
        QCOMPARE(temporaryFilesBelow(store.gamesRoot()), 0);
    }
};

QTEST_GUILESS_MAIN(ImportWritersTest)
#include "test_import_writers.moc"
