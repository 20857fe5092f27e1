#include "analysis/double_dummy.h"

#include "known_deals.h"

#include <QTest>

using namespace briqo;
using namespace briqo::test;

namespace {

using Table = std::array<std::array<int, 4>, StrainCount>;
// Strains in bidding order, as the table and the par contracts number them.
namespace strain {
enum : int { Clubs, Diamonds, Hearts, Spades, NoTrump };
}

// A deal with its table and par, all worked out by hand (see the comments at each deal).
struct KnownDeal {
    const char *name;
    Holdings deal;
    int language;
    int vulnerability;
    Table tricks; // rows clubs, diamonds, hearts, spades, no trump; columns N E S W
    int parScore;
    QString parLine;
    QString contractText;
    ParContract contract;
};

QList<KnownDeal> knownDeals()
{
    return {
        // A player holding all thirteen trumps takes every trick for his side, whichever of the two
        // declares: nobody else holds a trump and he ruffs whatever is led. So each seat makes 13 in
        // its side's two suits and none in the others. In no trump the opening leader runs his suit
        // and declarer takes nothing. Both vulnerable: 7S by North-South scores 210 + 500 + 1500 =
        // 2210 and outranks East-West's 7H; over it only 7NT, down 13 for East-West (3800 doubled).
        {"every seat makes seven of its suit", fourOneSuiters(), 11, 3,
            {{{0, 13, 0, 13}, {13, 0, 13, 0}, {0, 13, 0, 13}, {13, 0, 13, 0}, {0, 0, 0, 0}}}, 2210, "Par 2210: NS 7S",
            "7S-NS", {7, strain::Spades, {North, South}, false, 0, 0, 2210}},

        // Every North-South card outranks every East-West card of its suit and no hand is void, so
        // nobody can ruff the first trick and North-South win it. In each suit the longer North-South
        // hand holds the top cards and as many as either opponent: a trump from the other hand is
        // overtaken, the trumps are drawn and every card left is a winner. North-South take 13 in all
        // strains, East-West none. East-West vulnerable: 7NT not vulnerable is 220 + 300 + 1000.
        {"thirteen tricks to nil", northSouthTakeAll(), 11, 2,
            {{{13, 0, 13, 0}, {13, 0, 13, 0}, {13, 0, 13, 0}, {13, 0, 13, 0}, {13, 0, 13, 0}}}, 1520,
            "Par 1520: NS 7NT", "7N-NS", {7, strain::NoTrump, {North, South}, false, 0, 0, 1520}},

        // N AKQJT98765432 - - - | E - KQJT98765432 2 - | S - A - KQJT98765432 | W - - AKQJT9876543 A
        // Spades: North's thirteen trumps, 13 for North-South.
        // Diamonds: West wins every trick: he ruffs spades and hearts, cashes the club ace at his
        //   first lead and his trumps are the top twelve; 13 for East-West.
        // Clubs: the club ace is East-West's only trick (cashed, or ruffing a spade): after it South's
        //   clubs are the top trumps, South ruffs diamonds and hearts, North's spades stand; 12-1.
        // Hearts: the heart ace is North-South's only trick (South cashes it or ruffs with it; on a
        //   spade lead East ruffs at once): East ruffs spades and clubs, West's diamonds stand; 1-12.
        // No trump: against East, South cashes the heart ace and must lead a club to West's ace, and
        //   West's diamonds take the rest: 12 for East. Against West, North runs thirteen spades.
        //   Against North or South, West's diamonds and club ace take all 13 (East's 2 reaches them).
        // North-South vulnerable: 7S makes 2210 and outranks East-West's making 7D; over it only 7NT
        // by East, one down doubled not vulnerable: -100, the sacrifice in the par.
        {"sacrifice", sacrificeInNoTrump(), 11, 1,
            {{{12, 1, 12, 1}, {0, 13, 0, 13}, {1, 12, 1, 12}, {13, 0, 13, 0}, {0, 12, 0, 0}}}, 100, "Par 100: E 7NTx-1",
            "7N*-E-1", {7, strain::NoTrump, {East}, true, 0, 1, 100}},

        // The same deal a quarter turn on (every hand one seat clockwise, East-West now the
        // vulnerable side), in Dutch letters with the tens written "10": the table moves one seat
        // and the sacrifice is South's.
        {"sacrifice turned, in Dutch",
            dealOf("..AHVB109876543.A", "AHVB1098765432...", ".HVB1098765432.2.", ".A..HVB1098765432"), 10, 2,
            {{{1, 12, 1, 12}, {13, 0, 13, 0}, {12, 1, 12, 1}, {0, 13, 0, 13}, {0, 0, 12, 0}}}, -100,
            "Par -100: S 7NTx-1", "7N*-S-1", {7, strain::NoTrump, {South}, true, 0, 1, -100}},
    };
}

} // namespace

class TestDoubleDummy : public QObject {
    Q_OBJECT

private slots:
    void knownDealsGiveTheirTableAndPar_data()
    {
        QTest::addColumn<int>("index");
        const QList<KnownDeal> deals = knownDeals();
        for (int i = 0; i < deals.size(); ++i)
            QTest::newRow(deals[i].name) << i;
    }
    void knownDealsGiveTheirTableAndPar()
    {
        QFETCH(int, index);
        const KnownDeal known = knownDeals().at(index);
        const std::optional<DoubleDummyResult> result = solveDeal(known.deal, known.language, known.vulnerability);
        QVERIFY(result);
        for (int strain = 0; strain < StrainCount; ++strain)
            for (int seat = 0; seat < 4; ++seat)
                QVERIFY2(result->tricks[strain][seat] == known.tricks[strain][seat],
                    qPrintable(QStringLiteral("strain %1 seat %2: %3 instead of %4")
                                   .arg(strain)
                                   .arg(seat)
                                   .arg(result->tricks[strain][seat])
                                   .arg(known.tricks[strain][seat])));
        QCOMPARE(result->parScore, known.parScore);
        QCOMPARE(result->parLines, QStringList {known.parLine});
        QCOMPARE(result->parContractTexts, QStringList {known.contractText});
        QCOMPARE(result->parContracts, QList<ParContract> {known.contract});
        QVERIFY(!result->parDependsOnWhoBidsFirst);
    }

    // Each suit holds six top cards in one hand, the next six on his left, the deuce on his right:
    //   N AKQJT9 2 - 876543 | E 876543 AKQJT9 2 - | S - 876543 AKQJT9 2 | W 2 - 876543 AKQJT9
    // Moving every hand a seat clockwise and every suit a step down (spades to hearts, .., clubs to
    // spades) gives the same deal, so no trump for North and spades for each seat settle the rest.
    // - No trump, North declares: East cashes six hearts and leads the diamond 2; South's diamonds
    //   make six, and his club 2, the only way to North, meets the club ace West kept: 6. North-South
    //   do get six: North keeps his spades, South his diamonds, and whoever wins the lead runs six.
    // - Spades, North or South declares: North's six top trumps make six tricks and no more. Against
    //   North, East cashes the heart ace, never leads a diamond and West keeps his clubs: South never
    //   gets in and North's clubs never win. Against South, West cashes six clubs (North follows,
    //   South has no trump) and leads the spade 2; East keeps the heart ace for North's heart 2.
    // - Spades, East or West declares: North-South take seven. Against East, South cashes the
    //   diamond ace and North's trumps make six more; against West, North draws trumps in six rounds
    //   and South keeps the diamond ace for the diamond East or West must lead in the end.
    // So no contract makes for either side: the deal is passed out at par.
    void aDealPassedOutAtParHasNoParContract()
    {
        const std::optional<DoubleDummyResult> result = solveDeal(nobodyMakesAnything(), 11, 0);
        QVERIFY(result);
        for (int seat = 0; seat < 4; ++seat) {
            QCOMPARE(result->tricks[strain::NoTrump][seat], 6);
            for (int suit = 0; suit < 4; ++suit) {
                QVERIFY(result->tricks[suit][seat] <= 6);
                QCOMPARE(result->tricks[(suit + 3) % 4][(seat + 1) % 4], result->tricks[suit][seat]);
            }
        }
        QCOMPARE(result->tricks[strain::Spades][North], 6);
        QCOMPARE(result->tricks[strain::Spades][South], 6);
        QCOMPARE(result->parScore, 0);
        QVERIFY(result->parContracts.isEmpty());
        QVERIFY(result->parContractTexts.isEmpty());
        QCOMPARE(result->parLines, QStringList {QStringLiteral("Par 0")});
        QVERIFY(!result->parDependsOnWhoBidsFirst);
    }

    // The game's vulnerability reaches the par: North-South's grand slam in the first deal scores
    // 1510 or 2210 by their own vulnerability, East-West's sacrifice in the third costs 100 or 200
    // by theirs.
    void theGamesVulnerabilityScoresThePar_data()
    {
        QTest::addColumn<Holdings>("deal");
        QTest::addColumn<int>("vulnerability");
        QTest::addColumn<int>("par");
        const char *names[4] = {"none", "NS", "EW", "both"};
        const int slam[4] = {1510, 2210, 1510, 2210};
        const int sacrifice[4] = {100, 100, 200, 200};
        for (int v = 0; v < 4; ++v) {
            QTest::addRow("slam, %s", names[v]) << fourOneSuiters() << v << slam[v];
            QTest::addRow("sacrifice, %s", names[v]) << sacrificeInNoTrump() << v << sacrifice[v];
        }
    }
    void theGamesVulnerabilityScoresThePar()
    {
        QFETCH(Holdings, deal);
        QFETCH(int, vulnerability);
        QFETCH(int, par);
        const std::optional<DoubleDummyResult> result = solveDeal(deal, 11, vulnerability);
        QVERIFY(result);
        QCOMPARE(result->parScore, par);
    }

    void dealsThatAreNotFiftyTwoDifferentCardsAreRefused_data()
    {
        QTest::addColumn<Holdings>("deal");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("vulnerability");
        Holdings short51 = northSouthTakeAll();
        short51[FieldOf(West, Clubs)] = QStringLiteral("543");
        QTest::newRow("51 cards") << short51 << 11 << 0;
        Holdings duplicate = northSouthTakeAll();
        duplicate[FieldOf(West, Clubs)] = QStringLiteral("5433");
        QTest::newRow("a card twice, one missing") << duplicate << 11 << 0;
        Holdings lopsided = northSouthTakeAll();
        lopsided[FieldOf(West, Clubs)] = QStringLiteral("543");
        lopsided[FieldOf(East, Clubs)] = QStringLiteral("8762");
        QTest::newRow("14 and 12 cards") << lopsided << 11 << 0;
        QTest::newRow("English letters read as Dutch") << northSouthTakeAll() << 10 << 0;
        QTest::newRow("vulnerability 4") << northSouthTakeAll() << 11 << 4;
    }
    void dealsThatAreNotFiftyTwoDifferentCardsAreRefused()
    {
        QFETCH(Holdings, deal);
        QFETCH(int, language);
        QFETCH(int, vulnerability);
        QVERIFY(!solveDeal(deal, language, vulnerability));
    }
};

QTEST_GUILESS_MAIN(TestDoubleDummy)
#include "test_double_dummy.moc"
