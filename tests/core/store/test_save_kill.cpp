// A save killed at any instant leaves the auction file and the hands file of the same save: both
// the old ones or both the new ones, and no temporary file after the next load; so do two
// processes saving at once.

#include "base/string_table.h"
#include "store/game_store.h"
#include "store_test_files.h"

#include <QRandomGenerator>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;

namespace {

// Two versions of game 5 that differ in both files; the first cell's caption names the version
// and so does North's spade holding.
Game version(int v)
{
    Game game;
    game.number = 5;
    AuctionFile auction;
    auction.callKinds = v == 0 ? QStringLiteral("1222") : QStringLiteral("12222");
    auction.cells[0] = {QStringLiteral("V%1").arg(v), QStringLiteral("4"), QString()};
    game.auction = auction;
    game.holdings[0] = v == 0 ? QStringLiteral("AHV") : QStringLiteral("BT9876");
    // Larger files make the window between the two renames and the two writes wider.
    for (int i = 1; i < FieldCount; ++i)
        game.holdings[i] = QString(v == 0 ? 3 : 7, QLatin1Char('2' + i % 8));
    return game;
}

int versionOf(const Game &game)
{
    const bool auctionV0 = game.auction && game.auction->cells[0].caption == QLatin1String("V0");
    const bool handsV0 = game.holdings[0] == QLatin1String("AHV");
    if (auctionV0 != handsV0)
        return -1;
    return auctionV0 ? 0 : 1;
}

} // namespace

class SaveKillTest : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesOneConsistentVersion()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        QVERIFY(store.save(version(0)));
        auto *random = QRandomGenerator::global();
        int consistent = 0;
        constexpr int Rounds = 200;
        for (int round = 0; round < Rounds; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                for (int i = 0;; ++i)
                    (void)store.save(version((round + i) % 2));
            }
            ::usleep(random->bounded(200, 8000));
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);

            const Game loaded = store.load(5);
            const int v = versionOf(loaded);
            if (v < 0)
                qWarning("round %d: auction and hands from different saves", round);
            else
                ++consistent;
            const QStringList left = QDir(store.folderOf(5)).entryList(QDir::Files | QDir::Hidden);
            QCOMPARE(left.size(), 2);
        }
        qInfo("%d of %d consistent", consistent, Rounds);
        QCOMPARE(consistent, Rounds);
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
    }

    // Two processes saving into one games folder at once, the same game and games of their own,
    // both killed at a random instant: every game is one whole save, and the record of one
    // writer never finishes or undoes the other's.
    void twoWritersKilledAtAnyInstantLeaveWholeGames()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        const auto numbered = [](int v, long long n) {
            Game game = version(v);
            game.number = n;
            return game;
        };
        for (const long long n : {5, 6, 7})
            QVERIFY(store.save(numbered(0, n)));
        auto *random = QRandomGenerator::global();
        constexpr int Rounds = 40;
        int whole = 0;
        for (int round = 0; round < Rounds; ++round) {
            pid_t writers[2];
            for (int w = 0; w < 2; ++w) {
                writers[w] = fork();
                QVERIFY(writers[w] >= 0);
                if (writers[w] == 0) {
                    for (int i = 0;; ++i) {
                        (void)store.save(numbered((round + i) % 2, 5));
                        (void)store.save(numbered(i % 2, 6 + w));
                    }
                }
            }
            ::usleep(random->bounded(1000, 20000));
            for (const pid_t writer : writers) {
                ::kill(writer, SIGKILL);
                ::waitpid(writer, nullptr, 0);
            }
            QVERIFY(store.recoverAll());
            bool roundWhole = true;
            for (const long long n : {5, 6, 7}) {
                const int v = versionOf(store.load(n));
                if (v < 0 || QDir(store.folderOf(n)).entryList(QDir::Files | QDir::Hidden).size() != 2) {
                    roundWhole = false;
                    qWarning("round %d: game %lld is not one whole save", round, n);
                }
            }
            whole += roundWhole ? 1 : 0;
        }
        QCOMPARE(whole, Rounds);
    }
};

QTEST_GUILESS_MAIN(SaveKillTest)
#include "test_save_kill.moc"
