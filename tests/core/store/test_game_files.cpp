#include "store/game_files.h"
#include "store_test_files.h"

using namespace briqo;
using namespace briqo::test;

class GameFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void auctionFilesAreWrittenByteForByteAndReadBack()
    {
        // Game 6, dealer East: 1H(1) Pas 3H DBL / 4H Pas Pas Pas, written seat by seat.
        AuctionFile full;
        full.callKinds = "12131222";
        const FileCell calls[] = {{"-", "", ""}, {"1", "2", "(1)"}, {"Pas", "5", ""}, {"3", "2", ""},
            {"DBL", "6", ""}, {"4", "2", ""}, {"Pas", "5", ""}, {"Pas", "5", ""}, {"Pas", "5", ""}};
        for (int call = 0; call < 9; ++call)
            full.cells[auctionCellIndex(call % 4, call / 4)] = calls[call];
        const QString path = m_dir.filePath("Spel 006 bieding.txt");
        for (const auto &[auction, goldenName] :
            {std::pair {AuctionFile {}, "auction_empty.txt"}, {full, "auction_full.txt"}}) {
            QVERIFY(writeAuctionFile(path, auction));
            QCOMPARE(bytesOf(path), bytesOf(golden(goldenName))); // the empty board is 146 bytes
            QCOMPARE(readAuctionFile(path), std::optional<AuctionFile>(auction));
        }
    }

    void damagedAuctionFilesLoadAsFarAsTheyGoAndTinyOnesNotAtAll()
    {
        const AuctionFile cut = readAuctionFile(golden("auction_short.txt")).value_or(AuctionFile {});
        QCOMPARE(cut.cells[2], (FileCell {"4", "2", ""})); // last line had no end
        QCOMPARE(cut.cells[3], FileCell {});
        const AuctionFile odd = readAuctionFile(golden("auction_without_tilde.txt")).value_or(AuctionFile {});
        QCOMPARE(odd.cells[0], (FileCell {"Pas", "", ""}));
        QCOMPARE(odd.cells[2], (FileCell {"1", "4", "(2)"})); // a fourth field is ignored
        QCOMPARE(nextNoteNumber(odd), 3);
        QVERIFY(!readAuctionFile(golden("auction_10_bytes.txt")));
        QVERIFY(!readAuctionFile(m_dir.filePath("missing bieding.txt")));
    }

    void handsFileWritesTensAsTAndMissingLinesAreEmpty()
    {
        const QString path = m_dir.filePath("hands.txt");
        QVERIFY(writeHandsFile(path,
            {"AK1032", "Q4", "J87", "952", "Q5", "AKJ976", "A43", "K7", "J876", "103", "KQ95", "J83", "94", "852",
                "1062", "AQ1064"}));
        QCOMPARE(bytesOf(path), bytesOf(golden("hands.txt")));
        QCOMPARE(readHandsFile(m_dir.filePath("none.txt")), Holdings {});
        putBytes(path, "AK\r\n\r\nQ2");
        QCOMPARE(readHandsFile(path), (Holdings {"AK", "", "Q2"}));
    }

    void leadAndContractFilesHoldOneLineAndMalformedLeadsAreRefused()
    {
        QVERIFY(writeLeadFile(m_dir.filePath("lead.txt"), {"Oost", 1, "Heer"}));
        QCOMPARE(bytesOf(m_dir.filePath("lead.txt")), bytesOf(golden("lead.txt")));
        QCOMPARE(readLeadFile(golden("lead.txt")), (std::optional<LeadLine>({"Oost", 1, "Heer"})));
        QCOMPARE(formatLeadLine("Noord", 2, "10"), QString("Noord - 2T"));
        for (const char *bad : {"", "Oost 1Heer", "Oost - 1", "Oost - 4Heer", " - 1Heer"})
            QVERIFY2(!parseLeadLine(bad), bad);
        QVERIFY(writeContractFile(m_dir.filePath("contract.txt"), "Zuid 4 Schoppen"));
        QCOMPARE(bytesOf(m_dir.filePath("contract.txt")), bytesOf(golden("contract.txt")));
        QCOMPARE(readContractFile(golden("contract.txt")), QString("Zuid 4 Schoppen"));
        QCOMPARE(readContractFile(m_dir.filePath("none.txt")), QString());
    }
};

QTEST_APPLESS_MAIN(GameFilesTest)
#include "test_game_files.moc"
