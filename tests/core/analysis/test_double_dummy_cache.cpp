#include "analysis/double_dummy.h"
#include "analysis/double_dummy_cache.h"
#include "support/test_files.h"

#include "base/string_table.h"
#include "known_deals.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <random>
#include <thread>

using namespace briqo;
using namespace briqo::test;
using namespace briqo::testing;

namespace {

// The cards of a deal as seats, in the cache's order (suit x 13 + rank, rank 0 the two).
std::array<int, 52> randomSeats(std::mt19937 &random)
{
    std::array<int, 52> seats;
    for (int card = 0; card < 52; ++card)
        seats[card] = card / 13;
    std::shuffle(seats.begin(), seats.end(), random);
    return seats;
}

// A result that names its deal, so a table found under the wrong key shows.
DoubleDummyResult resultFor(int number)
{
    DoubleDummyResult result;
    result.tricks[0][0] = number % 14;
    result.parScore = number;
    result.parLines << QStringLiteral("Par %1: NS 4S").arg(number);
    return result;
}

DoubleDummyResult richResult()
{
    DoubleDummyResult result;
    for (int strain = 0; strain < StrainCount; ++strain)
        for (int seat = 0; seat < 4; ++seat)
            result.tricks[strain][seat] = (strain * 4 + seat) % 14;
    result.parScore = -100;
    result.parContracts << ParContract {3, 0, {East, West}, true, 0, 1, -100}
                        << ParContract {3, 1, {East}, true, 0, 1, -100};
    result.parLines << QStringLiteral("Par -100: EW 3Cx-1 3Dx-1") << QStringLiteral("Par 110: NS 2S");
    result.parContractTexts << QStringLiteral("3C*-EW-1") << QStringLiteral("3D*-E-1");
    result.parDependsOnWhoBidsFirst = true;
    return result;
}

} // namespace

class TestDoubleDummyCache : public QObject {
    Q_OBJECT

private slots:
    void keyIsTheSameInEveryLanguageAndTenSpelling()
    {
        const Holdings english = northSouthTakeAll();
        // The same deal in Dutch letters (H for the king, V the queen, B the jack), tens as "10".
        Holdings dutch = english;
        for (QString &holding : dutch) {
            holding.replace(QLatin1Char('K'), QLatin1Char('H'));
            holding.replace(QLatin1Char('Q'), QLatin1Char('V'));
            holding.replace(QLatin1Char('J'), QLatin1Char('B'));
            holding.replace(QStringLiteral("T"), QStringLiteral("10"));
        }
        const auto key = DoubleDummyCache::keyOf(english, LanguageEnglish, 2);
        QVERIFY(key);
        QCOMPARE(DoubleDummyCache::keyOf(dutch, LanguageDutch, 2), key);
        // Read in the wrong language the letters are other cards, or none.
        QVERIFY(DoubleDummyCache::keyOf(dutch, LanguageEnglish, 2) != key);
        // The vulnerability changes the par, so it is part of the key.
        QVERIFY(DoubleDummyCache::keyOf(english, LanguageEnglish, 1) != key);

        // The language-free form gives the same key: North holds the T98 of spades (ranks 8, 7, 6).
        std::array<int, 52> seats;
        seats.fill(-1);
        for (int seat = 0; seat < 4; ++seat)
            for (int suit = 0; suit < 4; ++suit)
                for (const QChar c : english[FieldOf(seat, suit)])
                    seats[suit * 13 + QStringLiteral("23456789TJQKA").indexOf(c)] = seat;
        QCOMPARE(DoubleDummyCache::keyOf(seats, 2), key);

        // No key for what cannot be solved.
        Holdings short12 = english;
        short12[FieldOf(North, Spades)].chop(1);
        QVERIFY(!DoubleDummyCache::keyOf(short12, LanguageEnglish, 2));
        QVERIFY(!DoubleDummyCache::keyOf(english, LanguageEnglish, 4));
        seats[0] = (seats[0] + 1) % 4;
        QVERIFY(!DoubleDummyCache::keyOf(seats, 2));
    }

    // A table read back is the table solved, in a later run (a new cache on the same folder) too.
    void hitReturnsWhatTheSolverGave()
    {
        QTemporaryDir folder;
        DoubleDummyCache::shared().useFolder(folder.path());
        const std::optional<DoubleDummyResult> solved = solveDealUncached(sacrificeInNoTrump(), LanguageEnglish, 3);
        QVERIFY(solved);
        QVERIFY(!knownDoubleDummy(sacrificeInNoTrump(), LanguageEnglish, 3));
        QCOMPARE(solveDeal(sacrificeInNoTrump(), LanguageEnglish, 3), solved);
        QCOMPARE(knownDoubleDummy(sacrificeInNoTrump(), LanguageEnglish, 3), solved);

        DoubleDummyCache later(folder.path());
        const auto key = DoubleDummyCache::keyOf(sacrificeInNoTrump(), LanguageEnglish, 3);
        QCOMPARE(later.find(*key), solved);
        // Another vulnerability is another table.
        QVERIFY(!later.find(*DoubleDummyCache::keyOf(sacrificeInNoTrump(), LanguageEnglish, 0)));

        // Every part of a result comes back, and a line cut anywhere is refused.
        const QByteArray line = cacheLine(*key, richResult());
        const auto back = parseCacheLine(line);
        QVERIFY(back);
        QCOMPARE(back->first, *key);
        QCOMPARE(back->second, richResult());
        for (qsizetype n = 0; n + 1 < line.size(); ++n)
            QVERIFY2(!parseCacheLine(line.first(n)), qPrintable(QString::number(n)));
        DoubleDummyCache::shared().useFolder(QString());
    }

    // Deals solved many to a call give the very tables solved one by one, each at its own game's
    // vulnerability; an incomplete deal and a deal given twice cost nothing, and a stop leaves
    // what was solved.
    void dealsSolvedTogetherAreTheTablesSolvedOneByOne()
    {
        QTemporaryDir folder;
        DoubleDummyCache::shared().useFolder(folder.path());
        std::mt19937 random(11);
        QList<DealToSolve> deals;
        for (int i = 0; i < DealsSolvedTogether + 3; ++i) {
            const std::array<int, 52> seats = randomSeats(random);
            Holdings holdings;
            for (int card = 0; card < 52; ++card)
                holdings[FieldOf(seats[card], card / 13)].prepend(QLatin1Char("23456789TJQKA"[card % 13]));
            deals.append({holdings, i % 4});
        }
        deals.append(deals[2]);
        Holdings incomplete = deals[0].holdings;
        incomplete[0].chop(1);
        deals.append({incomplete, 0});

        QList<qsizetype> reported;
        QVERIFY(!solveDealsAhead(deals, LanguageEnglish, [&](qsizetype done, qsizetype total) {
            reported << done << total;
            return done == 0;
        }));
        QCOMPARE(reported, (QList<qsizetype> {0, DealsSolvedTogether + 3, DealsSolvedTogether, DealsSolvedTogether + 3}));
        QVERIFY(knownDoubleDummy(deals[0].holdings, LanguageEnglish, 0));
        QVERIFY(!knownDoubleDummy(deals.last().holdings, LanguageEnglish, 0));
        QVERIFY(!knownDoubleDummy(deals[DealsSolvedTogether].holdings, LanguageEnglish, DealsSolvedTogether % 4));

        reported.clear();
        QVERIFY(solveDealsAhead(deals, LanguageEnglish, [&](qsizetype done, qsizetype total) {
            reported << done << total;
            return true;
        }));
        QCOMPARE(reported, (QList<qsizetype> {0, 3, 3, 3}));
        for (const DealToSolve &deal : deals.first(deals.size() - 1))
            QCOMPARE(knownDoubleDummy(deal.holdings, LanguageEnglish, deal.vulnerability),
                solveDealUncached(deal.holdings, LanguageEnglish, deal.vulnerability));
        DoubleDummyCache::shared().useFolder(QString());
    }

    void damagedFileIsPassedOver_data()
    {
        QTest::addColumn<QByteArray>("damage");
        std::mt19937 random(3);
        const DoubleDummyCache::Key key = *DoubleDummyCache::keyOf(randomSeats(random), 0);
        const QByteArray line = cacheLine(key, resultFor(7));
        QByteArray flipped = line;
        flipped[40] = flipped[40] == 'A' ? 'B' : 'A';
        QByteArray otherVersion = line;
        otherVersion[2] = '9';
        QTest::newRow("garbage") << QByteArray("\x00\xff\x12 not a table\n\n\n", 17);
        QTest::newRow("cut short by a crash") << line.first(line.size() / 2);
        QTest::newRow("one character changed") << flipped;
        QTest::newRow("written by another version") << otherVersion;
        QTest::newRow("a line run into the next") << line.first(30) + line;
    }
    void damagedFileIsPassedOver()
    {
        QFETCH(QByteArray, damage);
        QTemporaryDir folder;
        DoubleDummyCache cache(folder.path());
        put(cache.filePath(), damage);
        std::mt19937 random(3);
        const DoubleDummyCache::Key damaged = *DoubleDummyCache::keyOf(randomSeats(random), 0);
        const DoubleDummyCache::Key fresh = *DoubleDummyCache::keyOf(randomSeats(random), 1);
        QVERIFY(!cache.find(damaged));
        // New tables are still kept, readable after the damaged part.
        cache.insert(fresh, resultFor(8));
        DoubleDummyCache later(folder.path());
        QCOMPARE(later.find(fresh), resultFor(8));
        QVERIFY(!later.find(damaged));
    }

    // Two writers on one folder at once (two processes: the locks are taken on files of their own
    // either way), together past the size limit so that the file is rewritten while the other
    // appends: every table of both is read back, except those the rewrite left out as the oldest.
    void twoWritersAtOnceLoseNothingNew()
    {
        QTemporaryDir folder;
        std::mt19937 random(11);
        // Together they write twice the limit.
        const int each = static_cast<int>(DoubleDummyCache::MaxFileBytes
            / cacheLine(*DoubleDummyCache::keyOf(randomSeats(random), 0), resultFor(1)).size());
        std::vector<DoubleDummyCache::Key> keys[2];
        for (auto &list : keys)
            for (int i = 0; i < each; ++i)
                list.push_back(*DoubleDummyCache::keyOf(randomSeats(random), i % 4));
        auto write = [&](int writer) {
            DoubleDummyCache cache(folder.path());
            for (int i = 0; i < each; ++i)
                cache.insert(keys[writer][i], resultFor(writer * each + i));
        };
        std::thread first(write, 0), second(write, 1);
        first.join();
        second.join();

        QVERIFY(QFile(DoubleDummyCache(folder.path()).filePath()).size() <= DoubleDummyCache::MaxFileBytes);
        DoubleDummyCache reader(folder.path());
        int found = 0;
        for (int writer = 0; writer < 2; ++writer) {
            // The newest tables of each writer survive every rewrite.
            for (int i = each - 200; i < each; ++i)
                QCOMPARE(reader.find(keys[writer][i]), resultFor(writer * each + i));
            for (int i = 0; i < each; ++i) {
                if (const auto result = reader.find(keys[writer][i])) {
                    QCOMPARE(*result, resultFor(writer * each + i));
                    ++found;
                }
            }
        }
        // A rewrite keeps half the limit.
        QVERIFY(found > each / 2);
        QVERIFY(found < 2 * each);
        // Every line in the file is whole.
        const QList<QByteArray> lines = contents(reader.filePath()).split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i)
            QVERIFY(parseCacheLine(lines[i]));
    }
};

QTEST_GUILESS_MAIN(TestDoubleDummyCache)
#include "test_double_dummy_cache.moc"
