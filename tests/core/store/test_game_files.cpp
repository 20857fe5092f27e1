#include "store/game_files.h"
#include "store_test_files.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace briqo;
Q_DECLARE_METATYPE(briqo::AuctionFile)
using briqo::test::bytesOf;
using briqo::test::golden;
using briqo::test::putBytes;

namespace {

// Game 6, dealer East: 1H(1) Pas 3H DBL / 4H Pas Pas Pas.
AuctionFile fullAuction()
{
    AuctionFile a;
    a.callKinds = "12131222";
    a.cells[auctionCellIndex(0, 0)] = {"-", "", ""};
    a.cells[auctionCellIndex(1, 0)] = {"1", "2", "(1)"};
    a.cells[auctionCellIndex(2, 0)] = {"Pas", "5", ""};
    a.cells[auctionCellIndex(3, 0)] = {"3", "2", ""};
    a.cells[auctionCellIndex(0, 1)] = {"DBL", "6", ""};
    a.cells[auctionCellIndex(1, 1)] = {"4", "2", ""};
    a.cells[auctionCellIndex(2, 1)] = {"Pas", "5", ""};
    a.cells[auctionCellIndex(3, 1)] = {"Pas", "5", ""};
    a.cells[auctionCellIndex(0, 2)] = {"Pas", "5", ""};
    return a;
}

} // namespace

class GameFilesTest : public QObject {
    Q_OBJECT

private slots:
    void auctionFilesAreWrittenByteForByteAndReadBack_data()
    {
        QTest::addColumn<AuctionFile>("auction");
        QTest::addColumn<QString>("goldenName");
        QTest::newRow("empty board: 146 bytes") << AuctionFile{} << "auction_empty.txt";
        QTest::newRow("full auction") << fullAuction() << "auction_full.txt";
    }

    void auctionFilesAreWrittenByteForByteAndReadBack()
    {
        QFETCH(AuctionFile, auction);
        QFETCH(QString, goldenName);
        QTemporaryDir dir;
        const QString path = dir.filePath("Spel 006 bieding.txt");
        QVERIFY(writeAuctionFile(path, auction));
        QCOMPARE(bytesOf(path), bytesOf(golden(goldenName)));
        QCOMPARE(readAuctionFile(path), std::optional<AuctionFile>(auction));
    }

    void malformedAuctionFilesLoadAsFarAsTheyGo()
    {
        QCOMPARE(readAuctionFile(golden("auction_lf_only.txt")),
                 std::optional<AuctionFile>(fullAuction()));

        const std::optional<AuctionFile> shortFile = readAuctionFile(golden("auction_short.txt"));
        QVERIFY(shortFile);
        QCOMPARE(shortFile->callKinds, QString("121"));
        QCOMPARE(shortFile->cells[1], (AuctionCellText{"Pas", "5", ""}));
        QCOMPARE(shortFile->cells[2], (AuctionCellText{"4", "2", ""})); // last line had no end
        QCOMPARE(shortFile->cells[3], AuctionCellText{});

        const std::optional<AuctionFile> odd = readAuctionFile(golden("auction_without_tilde.txt"));
        QVERIFY(odd);
        QCOMPARE(odd->cells[0], (AuctionCellText{"Pas", "", ""}));
        QCOMPARE(odd->cells[1], AuctionCellText{});
        QCOMPARE(odd->cells[2], (AuctionCellText{"1", "4", "(2)"}));
        QCOMPARE(odd->cells[3], (AuctionCellText{"3", "2", ""}));
        QCOMPARE(nextNoteNumber(*odd), 3);
    }

    void tenBytesOrAMissingFileIsNoAuction()
    {
        QTemporaryDir dir;
        QVERIFY(!readAuctionFile(golden("auction_10_bytes.txt")));
        QVERIFY(!readAuctionFile(dir.filePath("missing bieding.txt")));
    }

    void separatorInAFieldCannotShiftTheCells()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.txt");
        AuctionFile a;
        a.cells[0] = {"1~", "2", "(1)"};
        QVERIFY(writeAuctionFile(path, a));
        const std::optional<AuctionFile> read = readAuctionFile(path);
        QVERIFY(read);
        QCOMPARE(read->cells[0], (AuctionCellText{"1 ", "2", "(1)"}));
        QCOMPARE(bytesOf(path).count("\r\n"), 37);
    }

    void handsFileWritesTensAsT()
    {
        const Holdings shown = {"AK1032", "Q4", "J87", "952", "Q5", "AKJ976", "A43", "K7",
                                "J876", "103", "KQ95", "J83", "94", "852", "1062", "AQ1064"};
        QTemporaryDir dir;
        const QString path = dir.filePath("hands.txt");
        QVERIFY(writeHandsFile(path, shown));
        QCOMPARE(bytesOf(path), bytesOf(golden("hands.txt")));
        const Holdings read = readHandsFile(path);
        QCOMPARE(read[0], QString("AKT32"));
        QCOMPARE(read[15], QString("AQT64"));
    }

    void missingHandsOrLinesAreEmptyHoldings()
    {
        QTemporaryDir dir;
        QCOMPARE(readHandsFile(dir.filePath("none.txt")), Holdings{});
        putBytes(dir.filePath("short.txt"), "AK\r\n\r\nQ2");
        const Holdings read = readHandsFile(dir.filePath("short.txt"));
        QCOMPARE(read[0], QString("AK"));
        QCOMPARE(read[2], QString("Q2"));
        QCOMPARE(read[3], QString());
    }

    void leadLinesFormatAndParse()
    {
        const LeadLine leads[] = {{"Oost", 1, "Heer"}, {"West", 0, "Ace"}, {"Noord", 2, "T"},
                                  {"Zuid", 3, "7"}};
        const QStringList lines = {"Oost - 1Heer", "West - 0Ace", "Noord - 2T", "Zuid - 37"};
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(formatLeadLine(leads[i].leaderName, leads[i].suitIndex, leads[i].cardText),
                     lines[i]);
            QCOMPARE(parseLeadLine(lines[i]), std::optional<LeadLine>(leads[i]));
        }
    }

    void tenIsWrittenAsTAndMalformedLeadsAreRefused()
    {
        QCOMPARE(formatLeadLine("Noord", 2, "10"), QString("Noord - 2T"));
        QCOMPARE(formatLeadLine("Noord", 4, "T"), QString());
        for (const char *bad : {"", "Oost 1Heer", "Oost - ", "Oost - 1", "Oost - XHeer",
                                "Oost - 4Heer", " - 1Heer"})
            QVERIFY2(!parseLeadLine(bad), bad);
    }

    void leadAndContractFilesHoldOneLine()
    {
        QTemporaryDir dir;
        QVERIFY(writeLeadFile(dir.filePath("lead.txt"), {"Oost", 1, "Heer"}));
        QCOMPARE(bytesOf(dir.filePath("lead.txt")), bytesOf(golden("lead.txt")));
        QVERIFY(writeContractFile(dir.filePath("contract.txt"), "Zuid 4 Schoppen"));
        QCOMPARE(bytesOf(dir.filePath("contract.txt")), bytesOf(golden("contract.txt")));
        QCOMPARE(readContractFile(golden("contract.txt")), QString("Zuid 4 Schoppen"));
        QCOMPARE(readContractFile(dir.filePath("none.txt")), QString());
        QVERIFY(!readLeadFile(dir.filePath("none.txt")));
    }
};

QTEST_APPLESS_MAIN(GameFilesTest)
#include "test_game_files.moc"
