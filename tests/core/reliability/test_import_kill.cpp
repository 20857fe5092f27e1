// briqo-cli import killed at random moments, into an empty folder and over an earlier import:
// afterwards every game is entirely the old one, entirely the new one, or not there at all, and a
// rerun finds no half game in its way. BRIQO_IMPORT_KILLS sets the kills of each half (default 40).

#include "import_games.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

using namespace briqo;
using namespace briqo::test;

class ImportKillTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_files;
    QString m_fileA, m_fileB;
    QList<Game> m_a, m_b;

    // Runs one import to its end and says how long it took.
    qint64 wholeImportMs(const QString &folder, const QString &file)
    {
        QElapsedTimer timer;
        timer.start();
        QProcess *p = startImport(folder, file);
        p->waitForFinished(120000);
        delete p;
        return timer.elapsed();
    }

    // Starts an import and kills it at a random moment of its expected run.
    void killedImport(const QString &folder, const QString &file, qint64 runMs)
    {
        QProcess *p = startImport(folder, file);
        p->waitForStarted();
        QThread::usleep(QRandomGenerator::global()->bounded(quint32(runMs * 1000)));
        p->kill();
        p->waitForFinished(30000);
        delete p;
    }

    struct Tally {
        int games = 0;
        int failures = 0;
    };

    // Every game is one version whole (or absent, when allowed); recovery leaves no temporary file.
    void check(const GameStore &store, bool absentAllowed, int trial, Tally &tally)
    {
        for (long long n = 1; n <= ImportedBoards; ++n) {
            ++tally.games;
            const Game game = store.load(n); // finishes or undoes a commit that was cut off
            if (game == m_a[n] || game == m_b[n] || (absentAllowed && absent(store, n)))
                continue;
            ++tally.failures;
            qWarning("trial %d: game %lld is neither old nor new nor absent", trial, n);
        }
        if (!store.recoverAll() || temporaryFilesBelow(store.gamesRoot()) != 0) {
            ++tally.failures;
            qWarning("trial %d: temporary files left after recovery: %s", trial,
                qPrintable(QDir(store.gamesRoot()).entryList(QDir::Files | QDir::Hidden).join(QLatin1Char(' '))));
        }
    }

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
        // The versions differ in every file, and each stores all its parts.
        QVERIFY(m_a[7].lead && m_a[7].hasQuestionFile && !m_a[7].contract.isEmpty());
        QVERIFY(!m_b[7].lead && !m_b[7].hasQuestionFile && m_b[7].contract.isEmpty() && m_b[7].hasAnswerFile);
        QVERIFY(m_a[7].holdings != m_b[7].holdings && m_a[7].auction != m_b[7].auction);
    }

    void killedImportIntoAnEmptyFolderLeavesWholeGamesOrNone()
    {
        const int kills = fromEnvironment("BRIQO_IMPORT_KILLS", 40);
        QTemporaryDir dir(scratchTemplate());
        const GameStore store(dir.path(), LanguageDutch);
        const qint64 runMs = wholeImportMs(dir.path(), m_fileA);
        Tally tally;
        for (int trial = 0; trial < kills; ++trial) {
            QDir(store.gamesRoot()).removeRecursively();
            killedImport(dir.path(), m_fileA, runMs);
            check(store, true, trial, tally);
        }
        qInfo("kills into an empty folder: %d, games checked %d, failures %d (a whole import takes %lld ms)", kills,
            tally.games, tally.failures, runMs);
        QCOMPARE(tally.failures, 0);

        // A rerun finds nothing half in its way.
        QProcess *rerun = startImport(dir.path(), m_fileA);
        QVERIFY(rerun->waitForFinished(120000));
        QCOMPARE(rerun->exitCode(), 0);
        delete rerun;
        for (long long n = 1; n <= ImportedBoards; ++n)
            QCOMPARE(store.load(n), m_a[n]);
    }

    void killedImportOverAnEarlierOneLeavesOldOrNewGames()
    {
        const int kills = fromEnvironment("BRIQO_IMPORT_KILLS", 40);
        QTemporaryDir dir(scratchTemplate());
        const GameStore store(dir.path(), LanguageDutch);
        const qint64 runMs = wholeImportMs(dir.path(), m_fileA);
        Tally tally;
        for (int trial = 0; trial < kills; ++trial) {
            killedImport(dir.path(), trial % 2 == 0 ? m_fileB : m_fileA, runMs);
            check(store, false, trial, tally);
        }
        qInfo("kills over an earlier import: %d, games checked %d, failures %d", kills, tally.games, tally.failures);
        QCOMPARE(tally.failures, 0);
    }
};

QTEST_GUILESS_MAIN(ImportKillTest)
#include "test_import_kill.moc"
