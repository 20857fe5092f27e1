#include "deal/hand_evaluation.h"
#include "exchange/board_game.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"
#include "generate/generated_games.h"
#include "generate/generator.h"
#include "generate/script.h"
#include "base/string_table.h"
#include "store/game_store.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::generate;

namespace {

QList<Deal> someDeals(int n, std::uint64_t seed)
{
    const ParseResult r = parseScript(QStringLiteral("hcp(north) >= 12"), LanguageEnglish);
    GenerateOptions o;
    o.seed = seed;
    o.produce = n;
    return generateDeals(*r.program, o).deals;
}

} // namespace

class TestGeneratedGames : public QObject {
    Q_OBJECT

private slots:
    void thePbnFileReadsBackAsTheSameGames()
    {
        const QList<Deal> deals = someDeals(20, 4);
        for (int language : {LanguageDutch, LanguageEnglish}) {
            QTemporaryDir dir;
            const GameStore store(dir.path(), language);
            const QByteArray pbn = pbnOfDeals(deals, 7);
            const ImportPlan plan = planImport(pbn, ExchangeFormat::Pbn, store);
            QVERIFY2(plan.notices.isEmpty(), qPrintable(describe(plan.notices.value(0), language)));
            QCOMPARE(plan.refused, 0);
            QCOMPARE(plan.games, gamesOfDeals(deals, 7, language));
            // Stored and exported again, the games make the same file byte for byte.
            QCOMPARE(applyImport(plan, ClashChoice::Cancel, store).written, 20);
            QCOMPARE(exportGames(store, storedGameNumbers(store), ExchangeFormat::Pbn).bytes, pbn);
            // And the boards of the file are the deals, with the dealer and vulnerability of their number.
            const PbnReadResult read = readPbn(decodeExchangeFile(pbn), language);
            QCOMPARE(read.boards.size(), deals.size());
            for (int i = 0; i < deals.size(); ++i) {
                QCOMPARE(read.boards[i].deal.deal.value(), exchangeHoldings(deals[i]));
                QCOMPARE(read.boards[i].dealer, DealerOf(7 + i));
                QCOMPARE(read.boards[i].vulnerability, VulnerabilityOf(7 + i));
            }
        }
    }

    void storedGamesLoadAsTypedGamesWithTheSamePoints()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        const QList<Deal> deals = someDeals(6, 8);
        const QList<Game> games = gamesOfDeals(deals, 3, LanguageDutch);
        const ImportResult result = storeGames(games, ClashChoice::Cancel, store);
        QCOMPARE(result.written, 6);
        QCOMPARE(store.list().size(), 6);
        for (int i = 0; i < 6; ++i) {
            const Game loaded = store.load(3 + i);
            QCOMPARE(loaded, games[i]);
            // The typed way: the auction grid holds only the marks before the dealer.
            QVERIFY(loaded.auction.has_value());
            QVERIFY(loaded.auction->callKinds.isEmpty());
            for (int seat = 0; seat < 4; ++seat) {
                QCOMPARE(HighCardPoints(loaded.holdings, seat, LanguageDutch), handHcp(deals[i].hands[seat]));
                QCOMPARE(handFromDeal(loaded.holdings, seat, LanguageDutch), deals[i].hands[seat]);
            }
        }
        QVERIFY(handHcp(deals[0].hands[North]) >= 12);
    }

    void storedGamesAreOverwrittenOnlyWhenAsked()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageEnglish);
        const QList<Game> first = gamesOfDeals(someDeals(3, 1), 1, LanguageEnglish);
        QVERIFY(storeGames(first, ClashChoice::Cancel, store).written == 3);
        QVERIFY(store.writeContract(2, QStringLiteral("South 4 Spades")));
        const QList<Game> second = gamesOfDeals(someDeals(3, 2), 2, LanguageEnglish);
        QCOMPARE(storedAmong(second, store), (QList<long long> {2, 3}));

        const ImportResult cancelled = storeGames(second, ClashChoice::Cancel, store);
        QVERIFY(cancelled.cancelled);
        QCOMPARE(store.load(2).holdings, first[1].holdings);
        QVERIFY(!store.isStored(4));

        const ImportResult skipped = storeGames(second, ClashChoice::Skip, store);
        QCOMPARE(skipped.written, 1);
        QCOMPARE(skipped.skipped, 2);
        QCOMPARE(store.load(2).holdings, first[1].holdings);
        QCOMPARE(store.load(4).holdings, second[2].holdings);

        // Overwriting replaces the whole game: the old contract goes with the old deal.
        QVERIFY(storeGames(second, ClashChoice::Overwrite, store).written == 3);
        QCOMPARE(store.load(2), second[0]);
        QVERIFY(store.load(2).contract.isEmpty());
    }

    void oneLineShowsTheFourHands()
    {
        const Deal d = someDeals(1, 3).first();
        const QString line = oneLineOfDeal(d);
        QVERIFY(line.startsWith(QStringLiteral("n ")));
        QCOMPARE(line.split(QLatin1Char(' ')).size(), 8);
        QCOMPARE(line.count(QLatin1Char('.')), 12);
    }
};

QTEST_GUILESS_MAIN(TestGeneratedGames)
#include "test_generated_games.moc"
