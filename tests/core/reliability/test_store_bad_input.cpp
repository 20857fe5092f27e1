// What a user, an editor, a copy from another machine or a failing disk may do to the games
// folder, against the game store: each case loads what can be loaded, refuses what cannot be
// written with a reason, and never changes or loses a stored game.

#include "base/string_table.h"
#include "core/reliability/hostile_disk.h"
#include "store/game_store.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;
using test::ReadOnlyFolder;
using test::snapshot;

namespace {

Game sampleGame(long long n, const QString &northSpades = QStringLiteral("AHVB"))
{
    Game game;
    game.number = n;
    AuctionFile auction;
    auction.callKinds = QStringLiteral("12");
    auction.cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("(1)")};
    auction.cells[9] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    game.auction = auction;
    const QStringList hands = {northSpades, "AHV", "AHV", "AHV", "T987", "BT9", "BT9", "BT9", "6543", "876", "876",
        "876", "2", "5432", "5432", "5432"};
    for (int i = 0; i < FieldCount; ++i)
        game.holdings[i] = hands[i];
    return game;
}

// A stored game with every kind of file, as the program writes them.
void storeFullGame(const GameStore &store, long long n)
{
    QVERIFY(store.save(sampleGame(n)));
    QVERIFY(store.writeContract(n, QStringLiteral("Zuid 1 SA")));
    QVERIFY(store.writeLead(n, {QStringLiteral("West"), 1, QStringLiteral("Heer")}));
    QVERIFY(store.writeQuestion(n, QStringLiteral("Wat start West?")));
    QVERIFY(store.writeAnswer(n, QStringLiteral("Harten heer.")));
}

} // namespace

class TestStoreBadInput : public QObject {
    Q_OBJECT

    void addDiskKinds()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("room");
        QTest::newRow("no byte fits") << int(FullDisk::FileSizeLimit) << qint64(0);
        QTest::newRow("room for half a file") << int(FullDisk::FileSizeLimit) << qint64(70);
        QTest::newRow("full file system") << int(FullDisk::SmallFileSystem) << qint64(0);
    }

private slots:
    void tinyAuctionFilesHoldNoAuctionUpToTenBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("auction");
        QTest::newRow("0 bytes") << QByteArray() << false;
        QTest::newRow("10 bytes") << QByteArray("1\r\n~~\r\n~~\r") << false;
        QTest::newRow("11 bytes") << QByteArray("1\r\n~~\r\n~~\r\n") << true;
    }
    void tinyAuctionFilesHoldNoAuctionUpToTenBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, auction);
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        QVERIFY(store.save(sampleGame(5)));
        put(store.paths(5).auction, bytes);
        const auto before = snapshot(dir.path());

        const Game game = store.load(5);
        QCOMPARE(game.auction.has_value(), auction);
        if (auction)
            QCOMPARE(game.auction->callKinds, QStringLiteral("1"));
        QCOMPARE(game.holdings, sampleGame(5).holdings);
        QCOMPARE(store.isStored(5), !bytes.isEmpty()); // an empty file is overwritten without a question
        QCOMPARE(snapshot(dir.path()), before);
    }

    void gamesWithLfOnlyOrCrOnlyLineEndsLoadAsWritten_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("LF only, as from a Linux editor") << QByteArray("\n");
        QTest::newRow("CR only, as from an old Mac") << QByteArray("\r");
    }
    void gamesWithLfOnlyOrCrOnlyLineEndsLoadAsWritten()
    {
        QFETCH(QByteArray, lineEnd);
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const Game written = store.load(5);
        const GameFilePaths p = store.paths(5);
        for (const QString &path : {p.auction, p.hands, p.lead, p.contract, p.question, p.answer}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            put(path, file.readAll().replace("\r\n", lineEnd));
        }
        const auto before = snapshot(dir.path());
        QCOMPARE(store.load(5), written);
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
        QCOMPARE(store.contractOfEntry(QStringLiteral("Spel 005")), QStringLiteral("Zuid 1 SA"));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void fiveMegabytesOfRandomBytesInAnyGameFileLoadWithoutHarm_data()
    {
        QTest::addColumn<int>("file");
        const char *names[] = {"auction", "hands", "lead", "contract", "question", "answer"};
        for (int i = 0; i < 6; ++i)
            QTest::newRow(names[i]) << i;
    }
    void fiveMegabytesOfRandomBytesInAnyGameFileLoadWithoutHarm()
    {
        QFETCH(int, file);
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const Game written = store.load(5);
        const GameFilePaths p = store.paths(5);
        const QString path = QStringList {p.auction, p.hands, p.lead, p.contract, p.question, p.answer}.at(file);
        put(path, randomBytes(5 * 1024 * 1024));
        const auto before = snapshot(dir.path());

        const Game game = store.load(5);
        // The other files of the game load as they were written.
        if (file != 0)
            QCOMPARE(game.auction, written.auction);
        if (file != 1)
            QCOMPARE(game.holdings, written.holdings);
        if (file == 2)
            QVERIFY(!game.lead); // random bytes are no lead line
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
        store.contractOfEntry(QStringLiteral("Spel 005"));
        QCOMPARE(snapshot(dir.path()), before);
    }

    void onlyFoldersNamedAsAGameOfThisLanguageAreGames()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        const QString root = store.gamesRoot();
        for (const char *game : {"Spel 1000", "Spel abc", "Spel -01", "SPEL 007"})
            put(root + '/' + game + '/' + game + " bieding.txt", "1\r\n~~\r\n~~\r\n");
        put(root + "/Spel 008", "not a folder"); // a file where game 8's folder belongs
        const auto before = snapshot(dir.path());

        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 007")}); // listed in our spelling
        QCOMPARE(store.load(7).auction->callKinds, QStringLiteral("1"));
        QVERIFY(!store.load(8).auction);

        const StoreResult saved = store.save(sampleGame(8));
        QVERIFY(!saved.ok);
        QVERIFY(saved.unchanged);
        QVERIFY(!store.writeQuestion(8, QStringLiteral("?")).ok);
        const RemoveResult removed = store.remove(8);
        QVERIFY(!removed.ok);
        QCOMPARE(removed.blockers, QStringList {QStringLiteral("Spel 008")});
        QCOMPARE(snapshot(dir.path()), before);
    }

    void aReadOnlyGamesFolderRefusesNewGamesAndKeepsTheStoredOnes()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const Game written = store.load(5);
        const auto before = snapshot(dir.path());
        const ReadOnlyFolder readOnly(store.gamesRoot());
        if (!readOnly.ready())
            QSKIP("this machine cannot make a folder read-only for this user");

        const StoreResult saved = store.save(sampleGame(6));
        QVERIFY(!saved.ok);
        QVERIFY(saved.unchanged);
        QVERIFY(!saved.path.isEmpty());
        QVERIFY(!store.writeQuestion(6, QStringLiteral("?")).ok);
        QVERIFY(!store.writeContract(6, QStringLiteral("Zuid 1 SA")).ok);
        QCOMPARE(store.load(5), written);
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
        QCOMPARE(snapshot(dir.path()), before);
    }

    // Found by the bad-input run: every file of the game went, the empty folder stayed, and the
    // window said the game stayed in the list while it had vanished from it.
    void deletingFromAReadOnlyGamesFolderRemovesNothing()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const auto before = snapshot(dir.path());
        const ReadOnlyFolder readOnly(store.gamesRoot());
        if (!readOnly.ready())
            QSKIP("this machine cannot make a folder read-only for this user");

        const RemoveResult removed = store.remove(5);
        QVERIFY(!removed.ok);
        QCOMPARE(removed.failedPath, store.folderOf(5));
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
        QCOMPARE(snapshot(dir.path()), before);
    }

    void aReadOnlyGameFolderKeepsEveryFileOfTheGame()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const Game written = store.load(5);
        const auto before = snapshot(dir.path());
        const ReadOnlyFolder readOnly(store.folderOf(5));
        if (!readOnly.ready())
            QSKIP("this machine cannot make a folder read-only for this user");

        const StoreResult saved = store.save(sampleGame(5, QStringLiteral("AHVBT")));
        QVERIFY(!saved.ok);
        QVERIFY(saved.unchanged);
        QVERIFY(!store.writeQuestion(5, QStringLiteral("Nieuw?")).ok);
        QVERIFY(!store.writeAnswer(5, QStringLiteral("Nieuw.")).ok);
        QVERIFY(!store.writeLead(5, {QStringLiteral("Noord"), 0, QStringLiteral("Aas")}).ok);
        QVERIFY(!store.removeLead(5).ok);
        QVERIFY(!store.removeQuestion(5).ok);
        QVERIFY(!store.remove(5).ok);
        QCOMPARE(store.load(5), written);
        QCOMPARE(snapshot(dir.path()), before);
    }

    void aFullDiskDuringASaveKeepsTheStoredGame_data() { addDiskKinds(); }
    void aFullDiskDuringASaveKeepsTheStoredGame()
    {
        QFETCH(int, kind);
        QFETCH(qint64, room);
        QTemporaryDir dir;
        FullDisk disk(FullDisk::Kind(kind), dir.path(), room);
        if (!disk.ready())
            QSKIP("this machine cannot mount a small file system");
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        const Game written = store.load(5);
        const auto before = snapshot(dir.path());

        disk.fill();
        const StoreResult saved = store.save(sampleGame(5, QStringLiteral("AHVBT")));
        const StoreResult savedNew = store.save(sampleGame(6));
        const StoreResult question = store.writeQuestion(5, QString(200, QLatin1Char('?')));
        const StoreResult answer = store.writeAnswer(5, QString(200, QLatin1Char('!')));
        const StoreResult contract = store.writeContract(5, QString(100, QLatin1Char('C')));
        const StoreResult lead = store.writeLead(5, {QStringLiteral("Noord"), 0, QString(100, QLatin1Char('A'))});
        const Game loaded = store.load(5); // recovery on a full disk
        disk.drain();

        for (const StoreResult &result : {saved, savedNew, question, answer, contract, lead}) {
            QVERIFY(!result.ok);
            QVERIFY(!result.error.isEmpty());
        }
        QVERIFY(saved.unchanged);
        QCOMPARE(loaded, written);
        QCOMPARE(store.load(5), written);
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 005")});
        QCOMPARE(snapshot(dir.path()), before); // no temporary file left behind either
    }

    void deletingAGameWorksOnAFullDisk_data() { addDiskKinds(); }
    void deletingAGameWorksOnAFullDisk()
    {
        QFETCH(int, kind);
        QFETCH(qint64, room);
        QTemporaryDir dir;
        FullDisk disk(FullDisk::Kind(kind), dir.path(), room);
        if (!disk.ready())
            QSKIP("this machine cannot mount a small file system");
        const GameStore store(dir.path(), LanguageDutch);
        storeFullGame(store, 5);
        storeFullGame(store, 6);
        const Game six = store.load(6);
        put(store.folderOf(5) + "/Spel 005.bmp", "BM");

        disk.fill();
        const RemoveResult removed = store.remove(5);
        disk.drain();
        QVERIFY(removed.ok);
        QVERIFY(!QFileInfo::exists(store.folderOf(5)));
        QCOMPARE(store.list(), QStringList {QStringLiteral("Spel 006")});
        QCOMPARE(store.load(6), six);
    }
};

QTEST_GUILESS_MAIN(TestStoreBadInput)
#include "test_store_bad_input.moc"
