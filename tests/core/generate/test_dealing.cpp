#include "generate/generated_games.h"
#include "generate/generator.h"
#include "generate/script.h"
#include "base/string_table.h"

#include <QTest>

#include <algorithm>
#include <bit>
#include <cmath>

using namespace briqo;
using namespace briqo::generate;

namespace {

Program programOf(const QString &script)
{
    const ParseResult r = parseScript(script, LanguageEnglish);
    if (!r.program)
        qFatal("%s", qPrintable(r.error.text(LanguageEnglish)));
    return *r.program;
}

// The share of deals a condition takes, over n deals of a fixed seed.
double share(const QString &condition, std::int64_t n, std::uint64_t seed, int threads = 2)
{
    GenerateOptions o;
    o.seed = seed;
    o.threads = threads;
    o.produce = n;
    o.generateLimit = n;
    const GenerateOutcome out = generateDeals(programOf(condition), o);
    return double(out.deals.size()) / double(n);
}

// Tolerance of a share: six standard deviations, which a fair generator exceeds about once in
// 500 million runs.
double tolerance(double p, double n) { return 6 * std::sqrt(p * (1 - p) / n); }

double binomial(int n, int k)
{
    if (k < 0 || k > n)
        return 0;
    double r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

// The exact chance of a hand with hcp in [low, high] and one of the shapes, counted with
// binomials: for each suit length, the honours it holds and the spot cards around them.
double exactChance(int low, int high, const QList<std::array<int, 4>> &shapes)
{
    double hands = 0;
    for (const std::array<int, 4> &shape : shapes) {
        std::array<double, 41> byPoints {};
        byPoints[0] = 1;
        for (int length : shape) {
            std::array<double, 41> next {};
            for (int honours = 0; honours < 16; ++honours) {
                const int count = std::popcount(unsigned(honours));
                if (count > length)
                    continue;
                const int points
                    = (honours & 1 ? 4 : 0) + (honours & 2 ? 3 : 0) + (honours & 4 ? 2 : 0) + (honours & 8 ? 1 : 0);
                const double ways = binomial(9, length - count);
                for (int p = 0; p + points <= 40; ++p)
                    next[p + points] += byPoints[p] * ways;
            }
            byPoints = next;
        }
        for (int p = low; p <= high; ++p)
            hands += byPoints[p];
    }
    return hands / binomial(52, 13);
}

QList<std::array<int, 4>> permutationsOf(std::array<int, 4> lengths)
{
    QList<std::array<int, 4>> all;
    std::sort(lengths.begin(), lengths.end());
    do
        all << lengths;
    while (std::next_permutation(lengths.begin(), lengths.end()));
    return all;
}

} // namespace

class TestDealing : public QObject {
    Q_OBJECT

private slots:
    void everyDealHoldsThePackOnceWithPredealtCardsInPlace()
    {
        Predeal predeal;
        predeal.hands[South] = cardBit(Spades, RankAce) | cardBit(Hearts, 0);
        predeal.hands[West] = cardBit(Clubs, RankKing);
        Dealer dealer(predeal);
        Random random(3, 0);
        for (int i = 0; i < 20000; ++i) {
            const Deal d = dealer.deal(random);
            HandBits all = 0;
            for (int seat = 0; seat < 4; ++seat) {
                QCOMPARE(std::popcount(d.hands[seat]), 13);
                QCOMPARE(d.hands[seat] & predeal.hands[seat], predeal.hands[seat]);
                all |= d.hands[seat];
            }
            QCOMPARE(std::popcount(all), 52);
        }
    }

    void aSeedGivesTheSameDealsOnEveryMachine()
    {
        // The first deal of seed 2024: pinned, so a change of the random numbers or of the dealing
        // (which would change every user's reproducible runs) is noticed.
        GenerateOptions o;
        o.seed = 2024;
        o.produce = 2;
        const GenerateOutcome out = generateDeals(programOf(QStringLiteral("condition 1")), o);
        QCOMPARE(out.deals.size(), 2);
        QCOMPARE(oneLineOfDeal(out.deals[0]),
            QStringLiteral("n AK7.KJ4.AT4.J432 e 83.AQ53.K862.KQ7 s QJT9654.T98.J7.5 w 2.762.Q953.AT986"));
        QCOMPARE(out.generated, 2);
    }

    void aSeedGivesTheSameDealsWithAnyNumberOfThreads()
    {
        const Program p
            = programOf(QStringLiteral("condition hcp(north) >= 15 && shape(north, any 4333 + any 4432 + any 5332)"));
        GenerateOptions o;
        o.seed = 99;
        o.produce = 300;
        o.threads = 1;
        const GenerateOutcome one = generateDeals(p, o);
        QCOMPARE(one.deals.size(), 300);
        for (int threads : {2, 3, 8}) {
            o.threads = threads;
            const GenerateOutcome many = generateDeals(p, o);
            QCOMPARE(many.generated, one.generated);
            QVERIFY(many.deals == one.deals);
        }
        for (const Deal &d : one.deals)
            QVERIFY(accepts(p, d));
        o.seed = 100;
        QVERIFY(generateDeals(p, o).deals != one.deals);
    }

    void theShareOf4432HandsIsTheKnownOne()
    {
        // 4-4-3-2 in any order: 21.55 % of all hands.
        const double n = 1'000'000;
        const double p = exactChance(0, 40, permutationsOf({4, 4, 3, 2}));
        QVERIFY(std::abs(p - 0.2155) < 0.0001);
        const double seen = share(QStringLiteral("shape(north, any 4432)"), std::int64_t(n), 11);
        QVERIFY2(std::abs(seen - p) < tolerance(p, n), qPrintable(QString::number(seen)));
    }

    void aStrongBalancedNorthComesAsOftenAsItShould()
    {
        QList<std::array<int, 4>> balanced = permutationsOf({4, 3, 3, 3});
        balanced += permutationsOf({4, 4, 3, 2});
        balanced += permutationsOf({5, 3, 3, 2});
        const double p = exactChance(15, 17, balanced);
        const double n = 1'000'000;
        const double seen = share(
            QStringLiteral("hcp(north) >= 15 && hcp(north) <= 17 && shape(north, any 4333 + any 4432 + any 5332)"),
            std::int64_t(n), 12);
        QVERIFY2(std::abs(seen - p) < tolerance(p, n), qPrintable(QStringLiteral("%1 %2").arg(seen).arg(p)));
        // Points alone, for every hand: 10 or fewer points is a known 58.8 %... counted exactly here.
        const double q = exactChance(0, 10, permutationsOf({4, 3, 3, 3}) + permutationsOf({4, 4, 3, 2}));
        const double seenQ
            = share(QStringLiteral("hcp(east) <= 10 && shape(east, any 4333 + any 4432)"), std::int64_t(n), 13, 3);
        QVERIFY(std::abs(seenQ - q) < tolerance(q, n));
    }

    void predealtCardsLeaveTheRestUniform()
    {
        // North holds 13 known cards: each of the others lands with East a third of the time,
        // and East's spade length follows the counts of the 39 cards left.
        const Program p
            = programOf(QStringLiteral("predeal north SAKQ2, HK87, D32, CAK54\ncondition hascard(east, JS)"));
        GenerateOptions o;
        o.seed = 5;
        o.produce = 300000;
        o.generateLimit = 300000;
        o.threads = 2;
        const double seen = double(generateDeals(p, o).deals.size()) / 300000.0;
        QVERIFY(std::abs(seen - 1.0 / 3) < tolerance(1.0 / 3, 300000));
        const Program length
            = programOf(QStringLiteral("predeal north SAKQ2, HK87, D32, CAK54\ncondition spades(east) == 3"));
        // 9 spades among 39 cards: East takes 3 of them with chance C(9,3) C(30,10) / C(39,13).
        const double exact = binomial(9, 3) * binomial(30, 10) / binomial(39, 13);
        const double seenLength = double(generateDeals(length, o).deals.size()) / 300000.0;
        QVERIFY(std::abs(seenLength - exact) < tolerance(exact, 300000));
    }

    void aConditionNoDealMeetsStopsAtTheBudget()
    {
        GenerateOptions o;
        o.seed = 1;
        o.produce = 5;
        o.generateLimit = 50000;
        o.threads = 2;
        const GenerateOutcome out = generateDeals(programOf(QStringLiteral("hcp(north) > 37")), o);
        QVERIFY(out.deals.isEmpty());
        QCOMPARE(out.generated, 50000);
        QVERIFY(!out.cancelled);
    }

    void aRunCanBeStopped()
    {
        GenerateProgress progress;
        progress.cancel = true;
        GenerateOptions o;
        o.produce = 5;
        o.generateLimit = 100'000'000;
        o.threads = 2;
        const GenerateOutcome out = generateDeals(programOf(QStringLiteral("hcp(north) > 37")), o, &progress);
        QVERIFY(out.cancelled);
        QVERIFY(out.generated < 100'000'000);
    }
};

QTEST_GUILESS_MAIN(TestDealing)
#include "test_dealing.moc"
