#include "base/string_table.h"
#include "store/game_list.h"
#include "store/game_store.h"
#include "store_test_files.h"

using namespace briqo;

class GameListTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_root = m_dir.filePath("Spellen");
    const GameWords m_words = gameWords(LanguageDutch);
    const GameStore m_games {m_dir.path(), LanguageDutch};

    QStringList scan() const { return scanGameList(m_root, m_words); }
    void store(const QString &file, const QByteArray &bytes = "1\r\n") { test::putBytes(m_root + "/" + file, bytes); }

private slots:
    void init() { QDir(m_root).removeRecursively(); }

    void gamesListInNumberOrderBothWays()
    {
        for (const char *game : {"Spel 012", "Spel 003", "Spel 140"})
            store(QString("%1/%1 bieding.txt").arg(game));
        QCOMPARE(scan(), (QStringList {"Spel 003", "Spel 012", "Spel 140"}));
        QCOMPARE(orderedGameList(scan(), true), (QStringList {"Spel 140", "Spel 012", "Spel 003"}));
    }

    void onlyFoldersHoldingAnAuctionFileOfThisLanguageAreListed()
    {
        QCOMPARE(scan(), QStringList {}); // no games folder yet
        for (const char *file : {"Spel 007/Spel 007 Uitkomst.txt", "Spel 008/Spel 008 Contract.txt", "a/bieding.txt",
                 "b/Game 005 bieding.txt", "c/Spel 5 bieding.txt", "d/Spel 0051 bieding.txt",
                 "Spel 006/Spel 006 bieding.txt.bak"})
            store(file);
        QCOMPARE(scan(), QStringList {});
    }

    void copiesInOtherLetterCaseAreListedOnceInOurSpelling()
    {
        for (const char *file :
            {"SPEL 012/SPEL 012 BIEDING.TXT", "Spel 012/Spel 012 bieding.txt", "spel 004/spel 004 Bieding.txt"})
            store(file);
        QCOMPARE(scan(), (QStringList {"Spel 004", "Spel 012"}));
    }

    void contractCaptionsShowTheStoredContract()
    {
        store("Spel 012/Spel 012 Contract.txt", "Zuid 4 Schoppen\r\n");
        store("Spel 013/Spel 013 Contract.txt", "");
        QCOMPARE(gamesFrameCaption(m_words, "Spel 012", m_games.contractOfEntry("Spel 012")), QString("Spel 12: Zuid 4 Schoppen"));
        QCOMPARE(contractTooltip("Spel 012", m_games.contractOfEntry("Spel 012")), QString("Spel 012: Zuid 4 Schoppen"));
        QCOMPARE(gamesFrameCaption(m_words, "Spel 013", m_games.contractOfEntry("Spel 013")), QString("Spellen")); // empty contract file
        QCOMPARE(contractTooltip("Spel 014", m_games.contractOfEntry("Spel 014")), QString()); // none at all
    }
};

QTEST_APPLESS_MAIN(GameListTest)
#include "test_game_list.moc"
