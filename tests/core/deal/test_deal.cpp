#include "deal/deal.h"

#include <QTest>

using namespace briqo;

class TestDeal : public QObject {
    Q_OBJECT

private slots:
    void dealerAndVulnerabilityFollowTheGameNumber_data()
    {
        QTest::addColumn<long long>("game");
        QTest::addColumn<int>("dealer");
        QTest::addColumn<int>("vulnerability");
        // The standard cycle: dealer every 4 games, vulnerability every 16.
        const int vul[16] = {0, 1, 2, 3, 1, 2, 3, 0, 2, 3, 0, 1, 3, 0, 1, 2};
        for (int g = 1; g <= 17; ++g)
            QTest::newRow(qPrintable(QString::number(g))) << (long long)g << (g - 1) % 4 << vul[(g - 1) % 16];
        QTest::newRow("1008 last with a vulnerability") << 1008LL << 3 << 2;
        QTest::newRow("1009 none") << 1009LL << 0 << 0;
        QTest::newRow("1260 last with a dealer") << 1260LL << 3 << 0;
        QTest::newRow("1261 North") << 1261LL << 0 << 0;
        QTest::newRow("0 North none") << 0LL << 0 << 0;
        QTest::newRow("negative North none") << -5LL << 0 << 0;
    }
    void dealerAndVulnerabilityFollowTheGameNumber()
    {
        QFETCH(long long, game);
        QFETCH(int, dealer);
        QFETCH(int, vulnerability);
        QCOMPARE(DealerOf(game), dealer);
        QCOMPARE(VulnerabilityOf(game), vulnerability);
    }

    void namesComeFromTheLanguage()
    {
        QCOMPARE(CardName(QLatin1Char('K'), 11), QStringLiteral("King"));
        QCOMPARE(CardName(QLatin1Char('H'), 10), QStringLiteral("Heer"));
        QCOMPARE(CardName(QLatin1Char('T'), 10), QStringLiteral("Tien"));
        QCOMPARE(CardName(QLatin1Char('7'), 11), QStringLiteral("7"));
    }

    void holdingsSortHighestFirst_data()
    {
        QTest::addColumn<QString>("holding");
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("sorted");
        QTest::newRow("ten among spots") << "2AT5" << 11 << "AT52";
        QTest::newRow("ten written 10 stays 10") << "10K3" << 11 << "K103";
        QTest::newRow("foreign characters dropped") << "XA" << 11 << "A";
        QTest::newRow("Dutch honours") << "BAHV" << 10 << "AHVB";
        QTest::newRow("English K is not Dutch") << "KA" << 10 << "A";
        QTest::newRow("all thirteen") << "23456789TJQKA" << 11 << "AKQJT98765432";
    }
    void holdingsSortHighestFirst()
    {
        QFETCH(QString, holding);
        QFETCH(int, language);
        QFETCH(QString, sorted);
        QCOMPARE(sortedHolding(holding, language), sorted);
    }

    void countsAndPointsTreatTenAsOneCard()
    {
        Holdings deal;
        deal[FieldOf(North, Spades)] = QStringLiteral("AK1032");
        deal[FieldOf(North, Hearts)] = QStringLiteral("QJ10");
        deal[FieldOf(North, Clubs)] = QStringLiteral("5");
        QCOMPARE(CardCount(deal, North), 9);
        QCOMPARE(HighCardPoints(deal, North, 11), 4 + 3 + 2 + 1);
        // The same cards in Dutch letters score the same; English letters score nothing in Dutch.
        Holdings dutch;
        dutch[FieldOf(South, Diamonds)] = QStringLiteral("HVB");
        QCOMPARE(HighCardPoints(dutch, South, 10), 6);
        QCOMPARE(HighCardPoints(dutch, South, 11), 0);
    }
};

QTEST_APPLESS_MAIN(TestDeal)
#include "test_deal.moc"
