#include "base/string_table.h"
#include "core/reliability/hostile_disk.h"
#include "store/game_store.h"
#include "store_test_files.h"

using namespace briqo;

namespace {

Game sampleGame(long long n)
{
    Game game;
    game.number = n;
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1222");
    auction.cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QStringLiteral("(1)")};
    game.auction = auction;
    const char *hands[] = {"AHV", "BT9", "876", "5432"};
    for (int i = 0; i < FieldCount; ++i)
        game.holdings[i] = QString::fromLatin1(hands[i % 4]);
    return game;
}

} // namespace

class GameStoreTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    GameStore m_store {m_dir.path(), LanguageDutch};

private slots:
    void init() { QDir(m_store.gamesRoot()).removeRecursively(); }

    void everyPartOfAGameComesBackAsWritten()
    {
        Game game = sampleGame(7);
        QVERIFY(m_store.save(game));
        QVERIFY(m_store.writeContract(7, QStringLiteral("Zuid 3 SA")));
        QVERIFY(m_store.writeLead(7, {QStringLiteral("West"), 1, QStringLiteral("Heer")}));
        QVERIFY(m_store.writeQuestion(7, QStringLiteral("Wat start West?\nEn waarom?")));
        QVERIFY(m_store.writeAnswer(7, QStringLiteral("Harten heer.")));
        game.contract = QStringLiteral("Zuid 3 SA");
        game.lead = LeadLine {QStringLiteral("West"), 1, QStringLiteral("Heer")};
        game.question = QStringLiteral("Wat start West?\r\nEn waarom?");
        game.answer = QStringLiteral("Harten heer.");
        game.hasQuestionFile = game.hasAnswerFile = true;
        QCOMPARE(m_store.load(7), game);
        QVERIFY(m_store.isStored(7));
        QCOMPARE(m_store.list(), QStringList {QStringLiteral("Spel 007")});
        QCOMPARE(m_store.contractOfEntry(QStringLiteral("Spel 007")), QStringLiteral("Zuid 3 SA"));

        QVERIFY(m_store.removeLead(7));
        QVERIFY(m_store.removeQuestion(7));
        QVERIFY(m_store.removeLead(7)); // already gone: nothing to do
        const Game after = m_store.load(7);
        QVERIFY(!after.lead);
        QVERIFY(!after.hasQuestionFile);
        QVERIFY(after.hasAnswerFile);
    }

    void aMissingGameLoadsEmpty()
    {
        const Game game = m_store.load(42);
        QCOMPARE(game.number, 42);
        QVERIFY(!game.auction);
        QCOMPARE(game.holdings, Holdings {});
        QVERIFY(!m_store.isStored(42));
    }

    void aSaveCutOffAfterItsRecordIsFinishedOnTheNextLoad()
    {
        QVERIFY(m_store.save(sampleGame(5)));
        const GameFilePaths p = m_store.paths(5);
        Game newer = sampleGame(5);
        newer.holdings[0] = QStringLiteral("A");
        test::putBytes(p.hands + ".new", handsFileBytes(newer.holdings));
        test::putBytes(p.folder + "/.briqo-commit", QFileInfo(p.hands).fileName().toUtf8() + "\n");
        QCOMPARE(m_store.load(5).holdings, newer.holdings);
        QCOMPARE(QDir(p.folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void aSaveCutOffBeforeItsRecordLeavesTheOldGame()
    {
        QVERIFY(m_store.save(sampleGame(5)));
        const GameFilePaths p = m_store.paths(5);
        test::putBytes(p.auction + ".new", "half");
        test::putBytes(p.hands + ".Ab12Cd", "left by a killed single-file write");
        QCOMPARE(m_store.load(5), sampleGame(5));
        QCOMPARE(QDir(p.folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void aSaveThatCannotStageChangesNothingAndSaysSo()
    {
        QVERIFY(m_store.save(sampleGame(5)));
        const GameFilePaths p = m_store.paths(5);
        const QByteArray before = test::bytesOf(p.auction);
        Game newer = sampleGame(5);
        newer.auction->callKinds = QStringLiteral("12222");
        StoreResult result;
        {
            test::FullDisk full(test::FullDisk::FileSizeLimit, p.folder, 40);
            full.fill(); // the auction file fits, the hands file does not
            result = m_store.save(newer);
        }
        QVERIFY(!result.ok);
        QVERIFY(result.unchanged);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(test::bytesOf(p.auction), before);
        QCOMPARE(QDir(p.folder).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void deletingRemovesTheGameAndItsPicturesButStopsAtForeignThings()
    {
        QVERIFY(m_store.save(sampleGame(5)));
        QVERIFY(m_store.writeContract(5, QStringLiteral("Zuid 3 SA")));
        const QString folder = m_store.folderOf(5);
        test::putBytes(folder + "/Spel 005.bmp", "BM");
        test::putBytes(folder + "/Spel 005_1.bmp", "BM");
        QDir().mkpath(folder + "/oud");
        test::putBytes(folder + "/notities.doc", "mine");

        RemoveResult refused = m_store.remove(5);
        QVERIFY(!refused.ok);
        QCOMPARE(refused.blockers, (QStringList {QStringLiteral("notities.doc"), QStringLiteral("oud")}));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 6); // nothing touched
        QCOMPARE(m_store.list(), QStringList {QStringLiteral("Spel 005")});

        QDir(folder + "/oud").removeRecursively();
        QFile::remove(folder + "/notities.doc");
        QVERIFY(m_store.remove(5).ok);
        QVERIFY(!QFileInfo::exists(folder));
        QCOMPARE(m_store.list(), QStringList {});
        // The last save's record named the deleted game: later saves are not held up by it.
        QVERIFY(m_store.save(sampleGame(6)));
        QVERIFY(m_store.recoverAll());
        QCOMPARE(m_store.list(), QStringList {QStringLiteral("Spel 006")});
    }

    void picturesAreNumberedAndListed()
    {
        QCOMPARE(QFileInfo(m_store.nextPicturePath(5)).fileName(), QStringLiteral("Spel 005.bmp"));
        QVERIFY(QFileInfo(m_store.folderOf(5)).isDir()); // the folder is made for the picture
        test::putBytes(m_store.folderOf(5) + "/Spel 005.bmp", "BM");
        QCOMPARE(QFileInfo(m_store.nextPicturePath(5)).fileName(), QStringLiteral("Spel 005_1.bmp"));
        QCOMPARE(m_store.pictures(5), QStringList {QStringLiteral("Spel 005.bmp")});
        QVERIFY(m_store.removePicture(5, QStringLiteral("Spel 005.bmp")));
        QVERIFY(!m_store.removePicture(5, QStringLiteral("../Spel 005 handen.txt")));
        QCOMPARE(m_store.pictures(5), QStringList {});
    }

    void aPictureIsWrittenUnderTheSuffixFoundBeforeInTheLanguageOfTheStore()
    {
        QCOMPARE(m_store.nextPictureSuffix(0), QString());
        QVERIFY(m_store.writePicture(0, QString(), "BM0"));
        QVERIFY(m_store.writePicture(0, QStringLiteral("_1"), "BM1"));
        QCOMPARE(m_store.pictures(0), (QStringList {"Spel 000.bmp", "Spel 000_1.bmp"}));
        QCOMPARE(m_store.nextPictureSuffix(0), QStringLiteral("_2"));
        QVERIFY(m_store.writePicture(0, QStringLiteral("_1"), "BM2")); // the same name is replaced
        QCOMPARE(test::bytesOf(m_store.folderOf(0) + "/Spel 000_1.bmp"), QByteArray("BM2"));

        // A suffix that is no picture number, or a picture of no bytes, never reaches the disk.
        for (const char *bad : {"/../x", "_", "_1/", "1", "_1.bmp"})
            QVERIFY(!m_store.writePicture(5, QString::fromLatin1(bad), "BM"));
        QVERIFY(!m_store.writePicture(5, QString(), QByteArray()));
        QVERIFY(!QFileInfo::exists(m_store.folderOf(5)));

        const GameStore english(m_dir.path(), LanguageEnglish);
        QCOMPARE(english.nextPictureSuffix(5), QString()); // the Dutch folder is not looked at
        QVERIFY(english.writePicture(5, QString(), "BM"));
        QVERIFY(QFileInfo::exists(m_dir.path() + "/Games/Game 005/Game 005.bmp"));
        QDir(english.gamesRoot()).removeRecursively();
    }

    void aStrayAuctionFileInAnotherFolderIsNoGame()
    {
        test::putBytes(m_store.gamesRoot() + "/Kopie/Spel 009 bieding.txt", "1\r\n");
        QCOMPARE(m_store.list(), QStringList {});
    }
};

QTEST_GUILESS_MAIN(GameStoreTest)
#include "test_game_store.moc"
