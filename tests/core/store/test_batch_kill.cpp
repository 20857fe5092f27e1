// Games written in one batch: a kill at any instant, and a batch cut off at each of its steps,
// leave every game entirely old, entirely new or absent after the next start, and no temporary
// file behind.

#include "base/string_table.h"
#include "store/game_batch.h"
#include "store/batch_commit.h"
#include "store/save_commit.h"
#include "store/text_file.h"
#include "store_test_files.h"

#include <QRandomGenerator>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;

namespace {

constexpr int Games = 24;

// Version v of game n. Every file tells the versions apart: version 0 has a contract and a lead,
// version 1 has neither (so writing it removes two files) but an answer.
Game version(long long n, int v)
{
    Game game;
    game.number = n;
    AuctionFile auction;
    auction.callKinds = v == 0 ? QStringLiteral("1222") : QStringLiteral("12222");
    auction.cells[0] = {QStringLiteral("V%1").arg(v), QStringLiteral("4"), QString()};
    game.auction = auction;
    game.holdings[0] = v == 0 ? QStringLiteral("AHV") : QStringLiteral("BT9876");
    for (int i = 1; i < FieldCount; ++i)
        game.holdings[i] = QString(v == 0 ? 3 : 7, QLatin1Char('2' + i % 8));
    if (v == 0) {
        game.contract = QStringLiteral("Noord 1 SA");
        game.lead = LeadLine {QStringLiteral("Oost"), 0, QStringLiteral("2")};
    } else {
        game.answer = QStringLiteral("Antwoord %1").arg(n);
        game.hasAnswerFile = true;
    }
    return game;
}

// 0 or 1 for a whole version, 2 for an absent game, -1 for anything else.
int versionOf(const GameStore &store, long long n)
{
    const Game game = store.load(n);
    if (game == version(n, 0))
        return 0;
    if (game == version(n, 1))
        return 1;
    const GameFilePaths p = store.paths(n);
    for (const QString &path : {p.auction, p.hands, p.contract, p.lead, p.question, p.answer})
        if (QFileInfo::exists(path))
            return -1;
    return 2;
}

// Files a cut-off write left anywhere below the games folder (the games folder's lock file stays
// in place).
QStringList leftovers(const QString &root)
{
    QStringList left = QDir(root).entryList(QDir::Files | QDir::Hidden);
    left.removeAll(QStringLiteral(".briqo-lock"));
    for (const QString &folder : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString &name : QDir(root + QLatin1Char('/') + folder).entryList(QDir::Files | QDir::Hidden))
            if (isTemporaryName(name))
                left << folder + QLatin1Char('/') + name;
    return left;
}

QString scratch()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    return (shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) + QStringLiteral("/briqo-XXXXXX");
}

} // namespace

class BatchKillTest : public QObject {
    Q_OBJECT

    void writeAll(const GameStore &store, int v, int from = 1)
    {
        GameBatch batch(store);
        for (long long n = from; n <= Games; ++n)
            QVERIFY(batch.stage(version(n, v)));
        for (const GameBatch::Outcome &outcome : batch.commit())
            QVERIFY(outcome.result);
    }

private slots:
    void aBatchWritesEveryGameWholeAndLeavesNothingBehind()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        writeAll(store, 0, 13); // games 13-24 exist, 1-12 are new
        writeAll(store, 1);
        for (long long n = 1; n <= Games; ++n)
            QCOMPARE(versionOf(store, n), 1);
        QCOMPARE(leftovers(store.gamesRoot()), QStringList {});
        QCOMPARE(store.list().size(), Games);
    }

    void aBatchDroppedBeforeItsCommitChangesNothing()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        writeAll(store, 0, 13);
        {
            GameBatch batch(store);
            for (long long n = 1; n <= Games; ++n)
                QVERIFY(batch.stage(version(n, 1)));
        }
        for (long long n = 1; n <= Games; ++n)
            QCOMPARE(versionOf(store, n), n <= 12 ? 2 : 0);
        QCOMPARE(leftovers(store.gamesRoot()), QStringList {});
        QCOMPARE(QDir(store.gamesRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 12);
    }

    void aGameThatCannotBeStagedLeavesTheOthersToTheBatch()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        writeAll(store, 0);
        QDir().mkpath(store.paths(7).hands + QStringLiteral(".new/blocked"));
        GameBatch batch(store);
        for (long long n = 1; n <= Games; ++n) {
            const StoreResult r = batch.stage(version(n, 1));
            QCOMPARE(r.ok, n != 7);
            QVERIFY(r.unchanged);
        }
        QCOMPARE(batch.commit().size(), Games - 1);
        QDir(store.paths(7).hands + QStringLiteral(".new")).removeRecursively();
        for (long long n = 1; n <= Games; ++n)
            QCOMPARE(versionOf(store, n), n == 7 ? 0 : 1);
    }

    // The states a crash can leave at each step of a batch, made by hand.
    void aBatchCutOffAtEachStepIsUndoneBeforeItsRecordAndFinishedAfter_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("expected");
        QTest::newRow("staged, no record") << 1 << 0;
        QTest::newRow("record being written") << 2 << 0;
        QTest::newRow("record in place, nothing moved") << 3 << 1;
        QTest::newRow("record in place, half moved") << 4 << 1;
        QTest::newRow("all moved, record left") << 5 << 1;
    }
    void aBatchCutOffAtEachStepIsUndoneBeforeItsRecordAndFinishedAfter()
    {
        QFETCH(int, step);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        writeAll(store, 0);
        const QString root = store.gamesRoot();
        // What GameBatch leaves on disk at each step, for version 1 over version 0.
        QByteArray note;
        QList<BatchTarget> targets;
        for (long long n = 1; n <= Games; ++n) {
            const GameFilePaths p = store.paths(n);
            const Game v1 = version(n, 1);
            note += batchNoteLine(store.folderName(n), false);
            const QString folder = store.folderName(n);
            targets.append({folder, QFileInfo(p.contract).fileName(), true});
            targets.append({folder, QFileInfo(p.lead).fileName(), true});
            const QList<std::pair<QString, QByteArray>> files {{p.auction, auctionFileBytes(*v1.auction)},
                {p.hands, handsFileBytes(v1.holdings)}, {p.answer, textItemBytes(v1.answer)}};
            for (const auto &[path, bytes] : files) {
                test::putBytes(path + QStringLiteral(".new"), bytes);
                targets.append({folder, QFileInfo(path).fileName(), false});
            }
        }
        test::putBytes(batchNotePath(root), note);
        QString error;
        if (step == 2)
            test::putBytes(batchRecordPath(root) + QStringLiteral(".tmp"), "Spel 001/Spel 001 bieding.txt\n");
        if (step >= 3)
            QVERIFY(writeBatchRecord(root, targets, &error));
        // Moving the files, game by game in the record's order: half of the games, or all.
        const qsizetype moved = step == 4 ? targets.size() / 2 + 1 : step == 5 ? targets.size() : 0;
        for (qsizetype i = 0; i < moved; ++i) {
            const QString target
                = root + QLatin1Char('/') + targets[i].folderName + QLatin1Char('/') + targets[i].fileName;
            if (targets[i].remove)
                QFile::remove(target);
            else
                QCOMPARE(std::rename(QFile::encodeName(target + QStringLiteral(".new")).constData(),
                             QFile::encodeName(target).constData()),
                    0);
        }

        // A game read before the next start already sees one whole version.
        QCOMPARE(versionOf(store, 1), expected);
        QVERIFY(store.recoverAll());
        for (long long n = 1; n <= Games; ++n)
            QCOMPARE(versionOf(store, n), expected);
        QCOMPARE(leftovers(root), QStringList {});
    }

    void aBatchKilledAtAnyInstantLeavesWholeGames()
    {
        QTemporaryDir dir(scratch());
        const GameStore store(dir.path(), LanguageDutch);
        auto *random = QRandomGenerator::global();
        constexpr int Rounds = 150;
        int whole = 0, failures = 0;
        for (int round = 0; round < Rounds; ++round) {
            if (round % 3 == 0)
                QDir(store.gamesRoot()).removeRecursively(); // a third of the rounds into an empty folder
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (int i = 0;; ++i) {
                    GameBatch batch(store);
                    for (long long n = 1; n <= Games; ++n)
                        (void)batch.stage(version(n, (round + i) % 2));
                    (void)batch.commit();
                }
            }
            ::usleep(random->bounded(100, 6000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);

            // A game read before anything else is whole already.
            const int first = versionOf(store, 1 + round % Games);
            QVERIFY(store.recoverAll());
            bool roundWhole = first >= 0;
            for (long long n = 1; n <= Games; ++n) {
                if (versionOf(store, n) < 0) {
                    roundWhole = false;
                    qWarning("round %d: game %lld is neither old nor new nor absent", round, n);
                }
            }
            const QStringList left = leftovers(store.gamesRoot());
            if (!left.isEmpty()) {
                roundWhole = false;
                qWarning("round %d: left after recovery: %s", round, qPrintable(left.join(QLatin1Char(' '))));
            }
            roundWhole ? ++whole : ++failures;
        }
        qInfo("%d of %d rounds whole", whole, Rounds);
        QCOMPARE(failures, 0);
    }
};

QTEST_GUILESS_MAIN(BatchKillTest)
#include "test_batch_kill.moc"
