#include "auction/final_contract.h"
#include "auction_script.h"
#include "shell/string_table.h"

#include <QtTest>

using namespace briqo;
using briqo::test::auction;

class TestFinalContract : public QObject
{
    Q_OBJECT

private slots:
    void declarerFirstNamedTheStrain_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("dutch");
        QTest::addColumn<QString>("english");
        QTest::newRow("opener keeps partner's raise") << 0 << "1H P 4H P P P" << "Noord 4 Harten" << "North 4 Hearts";
        QTest::newRow("responder's suit raised") << 0 << "1C P 1S P 4S P P P" << "Zuid 4 Schoppen" << "South 4 Spades";
        QTest::newRow("West opened, East raised") << 3 << "1N P 3N P P P" << "West 3 SA" << "West 3 NT";
        QTest::newRow("final bidder named it a row earlier") << 0 << "1C P 1H P 2H P 4H P P P" << "Zuid 4 Harten" << "South 4 Hearts";
        QTest::newRow("partner named it a row earlier") << 0 << "1N P 2C P 2D P 3N P P P" << "Noord 3 SA" << "North 3 NT";
        QTest::newRow("West named it, East raised next row") << 1 << "1C P 1H P 4H P P P" << "West 4 Harten" << "West 4 Hearts";
        QTest::newRow("opponents' cue bid does not count") << 0 << "1H 2H P P 4H X P P P" << "Noord 4 Harten" << "North 4 Hearts";
        QTest::newRow("redoubled") << 2 << "1C X XX P P P" << "Zuid 1 Klaveren" << "South 1 Clubs";
        QTest::newRow("diamonds") << 1 << "P 1D P P P" << "Zuid 1 Ruiten" << "South 1 Diamonds";
    }
    void declarerFirstNamedTheStrain()
    {
        QFETCH(int, dealer);
        QFETCH(QString, script);
        QFETCH(QString, dutch);
        QFETCH(QString, english);
        const auto fc = finalContract(auction(dealer, script));
        QVERIFY(fc.has_value());
        QCOMPARE(contractText(*fc, LanguageDutch), dutch);
        QCOMPARE(contractText(*fc, LanguageEnglish), english);
    }

    void finalBidIsTheLastContractBidOnTheGrid()
    {
        QCOMPARE(finalContract(auction(3, "1N P 3N P P P")), (FinalContract{3, 4, 1, 1, 3}));
        QVERIFY(!finalContract(auction(3, "P P P P")).has_value());
        QVERIFY(!finalContract(auction(3, "")).has_value()); // dashes are no bids
        QCOMPARE(strainWord(5, LanguageEnglish), QString());
    }

    // North's partner South sits after North, so South's cell in the row of North's final bid is
    // not searched; every other partner's cell in that row is.
    void partnerScanStartsAtTheRightRow()
    {
        for (const auto &[seat, declarer] : {std::pair{0, 0}, {1, 3}}) {
            AuctionModel m;
            m.setCell(1, seat, {QStringLiteral("4"), QStringLiteral("3"), {}, true, true, false});
            m.setCell(1, (seat + 2) % 4, {QStringLiteral("Pas"), QStringLiteral("3"), {}, true, false, false});
            QCOMPARE(finalContract(m)->declarer, declarer);
        }
    }

    void rowNumbersAndBottomFollowTheLastNorthRow_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QList<int>>("hidden");
        QTest::addColumn<int>("bottom");
        QTest::newRow("rows 0-2") << 0 << "1C P 1H P 2C P 2H P 3C P P P" << QList<int>{8, 7, 6, 5, 4, 3} << 1568;
        QTest::newRow("a dash counts") << 3 << "1C P P P" << QList<int>{8, 7, 6, 5, 4, 3, 2} << 1268;
        QTest::newRow("empty grid") << 0 << "" << QList<int>{8, 7, 6, 5, 4, 3, 2, 1, 0} << -1;
    }
    void rowNumbersAndBottomFollowTheLastNorthRow()
    {
        QFETCH(int, dealer);
        QFETCH(QString, script);
        QFETCH(QList<int>, hidden);
        QFETCH(int, bottom);
        const AuctionModel m = auction(dealer, script);
        QCOMPARE(hiddenRowNumbers(m), hidden);
        QCOMPARE(auctionBottom(m).value_or(-1), bottom);
    }
};

QTEST_APPLESS_MAIN(TestFinalContract)
#include "test_final_contract.moc"
