#include "store/game_list.h"
#include "store_test_files.h"

#include "shell/string_table.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace briqo;
using briqo::test::putBytes;

class GameListTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
    const GameWords m_words = gameWords(LanguageDutch);

    void store(const QString &relativeFile, const QByteArray &bytes = "1\r\n")
    {
        putBytes(m_root + "/" + relativeFile, bytes);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_root = m_dir->filePath("Spellen");
        QDir().mkpath(m_root);
    }

    void gamesListInNumberOrderBothWays()
    {
        for (const char *game : {"Spel 012", "Spel 003", "Spel 140"})
            store(QString("%1/%1 bieding.txt").arg(game));
        const QStringList ascending = scanGameList(m_root, m_words);
        QCOMPARE(ascending, (QStringList{"Spel 003", "Spel 012", "Spel 140"}));
        QCOMPARE(orderedGameList(ascending, false), ascending);
        QCOMPARE(orderedGameList(ascending, true), (QStringList{"Spel 140", "Spel 012", "Spel 003"}));
    }

    void folderWithoutAnAuctionFileIsNotListed()
    {
        store("Spel 007/Spel 007 Uitkomst.txt");
        store("Spel 008/Spel 008 Contract.txt");
        store("Spel 009/Spel 009 handen.txt");
        QDir(m_root).mkpath("Spel 010");
        QCOMPARE(scanGameList(m_root, m_words), QStringList{});
    }

    void copiesInOtherLetterCaseAreListedOnceInOurSpelling()
    {
        store("SPEL 012/SPEL 012 BIEDING.TXT");
        store("Spel 012/Spel 012 bieding.txt");
        store("spel 004/spel 004 Bieding.txt");
        QCOMPARE(scanGameList(m_root, m_words), (QStringList{"Spel 004", "Spel 012"}));
        QCOMPARE(scanGameList(m_dir->filePath("SPELLEN"), m_words).size(), 2);
    }

    void namesThatAreNoGameOfThisLanguageAreSkipped()
    {
        store("a/bieding.txt");              // no second word: the original failed here
        store("b/Game 005 bieding.txt");     // the English game word
        store("c/Spel 5 bieding.txt");       // not three digits
        store("d/Spel 0051 bieding.txt");
        store("Spel 006/Spel 006 bieding.txt.bak");
        QCOMPARE(scanGameList(m_root, m_words), QStringList{});
        QCOMPARE(scanGameList(m_dir->filePath("missing"), m_words), QStringList{});
    }

    void contractCaptionsShowTheStoredContract()
    {
        store("Spel 012/Spel 012 bieding.txt");
        store("Spel 012/Spel 012 Contract.txt", "Zuid 4 Schoppen\r\n");
        store("Spel 013/Spel 013 Contract.txt", "");
        QCOMPARE(contractCaptionText(m_root, m_words, "Spel 012"), QString("12: Zuid 4 Schoppen"));
        QCOMPARE(gamesFrameCaption(m_root, m_words, "Spel 012"), QString("Spel 12: Zuid 4 Schoppen"));
        QCOMPARE(contractTooltip(m_root, m_words, "Spel 012"), QString("Spel 012: Zuid 4 Schoppen"));
        for (const char *noContract : {"Spel 013", "Spel 014"}) {
            QCOMPARE(contractCaptionText(m_root, m_words, noContract), QString());
            QCOMPARE(gamesFrameCaption(m_root, m_words, noContract), QString("Spellen"));
            QCOMPARE(contractTooltip(m_root, m_words, noContract), QString());
        }
    }
};

QTEST_APPLESS_MAIN(GameListTest)
#include "test_game_list.moc"
