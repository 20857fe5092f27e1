#include "deal_strings.h"
#include "generate/constraints.h"
#include "generate/generator.h"
#include "generate/script.h"
#include "base/string_table.h"

#include <QTest>

#include <bit>

using namespace briqo;
using namespace briqo::generate;

namespace {

// North 18 points and 4333, East 4423, South 4252, West 1435.
const Deal Sample = dealOf(QStringLiteral("N:AKQ2.K87.Q32.A54 JT98.AQJ2.K4.KQ3 7654.T9.AJT98.J2 3.6543.765.T9876"));

std::int64_t valueOf(const QString &expression, const Deal &deal = Sample)
{
    const ParseResult r = parseScript(QStringLiteral("condition ") + expression, LanguageEnglish);
    if (!r.program)
        qWarning() << r.error.text(LanguageEnglish);
    Q_ASSERT(r.program);
    return evaluate(*r.program, r.program->condition, deal);
}

} // namespace

class TestScript : public QObject {
    Q_OBJECT

private slots:
    void sampleIsADeal()
    {
        HandBits all = 0;
        for (HandBits h : Sample.hands) {
            QCOMPARE(std::popcount(h), 13);
            QVERIFY(!(all & h));
            all |= h;
        }
    }

    void handFunctionsCountAsABridgePlayerDoes_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<qint64>("value");
        QTest::newRow("hcp") << "hcp(north)" << qint64(4 + 3 + 2 + 3 + 2 + 4);
        QTest::newRow("hcp of a suit") << "hcp(north, spades)" << qint64(9);
        QTest::newRow("40 points in the deal") << "hcp(north)+hcp(east)+hcp(south)+hcp(west)" << qint64(40);
        QTest::newRow("suit length, singular and plural") << "spades(east) + heart(west)" << qint64(4 + 4);
        QTest::newRow("controls") << "controls(north)" << qint64(2 + 1 + 1 + 2);
        QTest::newRow("control of a suit") << "control(east, hearts)" << qint64(2);
        // North AKQ2 0, K87 2, Q32 2, A54 2.
        QTest::newRow("losers") << "losers(north)" << qint64(6);
        // West: singleton 3 is one loser, 6543 three, 765 three, T9876 three.
        QTest::newRow("losers of a singleton") << "loser(west, spades)" << qint64(1);
        QTest::newRow("losers of a doubleton") << "losers(south, hearts)" << qint64(2);
        QTest::newRow("aces") << "aces(north)" << qint64(2);
        QTest::newRow("top3 in a suit") << "top3(north, spades)" << qint64(3);
        QTest::newRow("c13") << "c13(north)" << qint64(6 + 4 + 2 + 4 + 2 + 6);
        QTest::newRow("hascard rank first") << "hascard(south, TH)" << qint64(1);
        QTest::newRow("hascard suit first") << "hascard(south, HT) && !hascard(north, S3)" << qint64(1);
        QTest::newRow("shape in order") << "shape(north, 4333 + 4432)" << qint64(1);
        QTest::newRow("shape in another order") << "shape(north, 3433)" << qint64(0);
        QTest::newRow("shape any") << "shape(north, any 4333)" << qint64(1);
        QTest::newRow("shape with x") << "shape(east, 44xx)" << qint64(1);
        QTest::newRow("shape minus") << "shape(east, any 4432 - 4xxx)" << qint64(0);
        QTest::newRow("shape minus then plus") << "shape(west, any 5431 - x4xx + 1444)" << qint64(0);
        QTest::newRow("shape with void excluded") << "shape(south, any 5xxx - any 0xxx)" << qint64(1);
    }
    void handFunctionsCountAsABridgePlayerDoes()
    {
        QFETCH(QString, expression);
        QFETCH(qint64, value);
        QCOMPARE(qint64(valueOf(expression)), value);
    }

    void losersFollowTheSimpleCount()
    {
        // Holdings of North's spades, the rest of the pack elsewhere.
        const struct {
            const char *spades;
            int losers;
        } cases[] = {{"", 0}, {"A", 0}, {"K", 1}, {"2", 1}, {"AK", 0}, {"A2", 1}, {"K2", 1}, {"KQ", 1}, {"QJ", 2},
            {"AKQ", 0}, {"AQ2", 1}, {"Q32", 2}, {"432", 3}, {"AKQJT98", 0}, {"J9876", 3}};
        static const QString ranks = QStringLiteral("23456789TJQKA");
        for (const auto &c : cases) {
            SuitBits s = 0;
            for (const QChar ch : QString::fromLatin1(c.spades))
                s |= suitBit(int(ranks.indexOf(ch)));
            QCOMPARE(suitLosers(s), c.losers);
        }
    }

    void expressionsFollowTheRulesOfC_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<qint64>("value");
        QTest::newRow("precedence") << "2 + 3 * 4" << qint64(14);
        QTest::newRow("brackets") << "(2 + 3) * 4" << qint64(20);
        QTest::newRow("left to right") << "20 - 5 - 5" << qint64(10);
        QTest::newRow("division truncates") << "7 / 2 + 7 % 2" << qint64(4);
        QTest::newRow("division by zero is 0") << "5 / (hcp(north) - 18)" << qint64(0);
        QTest::newRow("unary minus") << "-3 + 5" << qint64(2);
        QTest::newRow("comparisons") << "(3 < 4) + (4 <= 4) + (5 > 4) + (4 >= 5) + (1 == 1) + (1 != 1)" << qint64(4);
        QTest::newRow("and binds tighter than or") << "1 || 0 && 0" << qint64(1);
        QTest::newRow("words") << "not 0 and (0 or 1)" << qint64(1);
        QTest::newRow("choice") << "hcp(north) > 15 ? 7 : 9" << qint64(7);
        QTest::newRow("nested choice") << "0 ? 1 : 0 ? 2 : 3" << qint64(3);
        // Numbers beyond 64 bits wrap instead of failing; the smallest number divided by -1 too.
        QTest::newRow("overflow wraps") << "(1000000000000 * 1000000000000 * 1000000000000) != 0" << qint64(1);
        QTest::newRow("smallest by -1") << "(-9000000000 * 1024000000 - 9000000000 * 1024000000) / -1 % 2" << qint64(0);
    }
    void expressionsFollowTheRulesOfC()
    {
        QFETCH(QString, expression);
        QFETCH(qint64, value);
        QCOMPARE(qint64(valueOf(expression)), value);
    }

    void aWholeScriptIsRead()
    {
        const QString script = QStringLiteral(
            "# a lesson on 1NT\n"
            "generate 50000   // at most\n"
            "produce 12\n"
            "dealer west\n"
            "vulnerable EW\n"
            "predeal south SAQ542, HKJ87, D32, CAK\n"
            "/* the opening\n   of North */\n"
            "nt = shape(north, any 4333 + any 4432 + any 5332) && hcp(north) >= 15 && hcp(north) <= 17\n"
            "major = hearts(south) >= 4 or spades(south) >= 4\n"
            "condition nt && major\n"
            "action printoneline, printpbn\n");
        const ParseResult r = parseScript(script, LanguageEnglish);
        QVERIFY2(r.program, qPrintable(r.error.text(LanguageEnglish)));
        const Program &p = *r.program;
        QCOMPARE(p.generate.value(), 50000);
        QCOMPARE(p.produce.value(), 12);
        QCOMPARE(p.dealer.value(), 3);
        QCOMPARE(p.vulnerability.value(), 2);
        QCOMPARE(std::popcount(p.predeal.hands[South]), 13);
        QVERIFY(p.predeal.hands[South] & cardBit(Spades, RankAce));
        QCOMPARE(p.actions, (QList<Action> {Action::PrintOneLine, Action::PrintPbn}));
        QVERIFY(p.condition >= 0);
        // A bare expression is the condition too; a later one replaces an earlier one.
        const ParseResult bare = parseScript(QStringLiteral("x = 3\nx > 2\nproduce 1"), LanguageEnglish);
        QVERIFY(bare.program);
        QCOMPARE(evaluate(*bare.program, bare.program->condition, Sample), 1);
        // Several seats in one predeal.
        const ParseResult two = parseScript(QStringLiteral("predeal north, S2, south HA, D2"), LanguageEnglish);
        QVERIFY2(two.program, qPrintable(two.error.text(LanguageEnglish)));
        QCOMPARE(two.program->predeal.hands[North], cardBit(Spades, 0));
        QCOMPARE(two.program->predeal.hands[South], cardBit(Hearts, RankAce) | cardBit(Diamonds, 0));
    }

    void everySyntaxErrorHasALineAColumnAndAMessage_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        QTest::newRow("expression missing") << "condition hcp(north) >= " << 1 << 25 << "an expression expected";
        QTest::newRow("seat misspelt") << "x = hcp(nort)" << 1 << 9 << "a seat";
        QTest::newRow("unknown identifier") << "\n  condition foo > 3" << 2 << 13 << "foo is not known";
        QTest::newRow("bad shape") << "produce 10\ncondition hcp(north) > 10 &&\n   shape(north, any 43)" << 3 << 21
                                   << "a shape";
        QTest::newRow("action left out") << "action printall" << 1 << 8 << "printall";
        QTest::newRow("function left out") << "condition tricks(north, spades) > 9" << 1 << 11 << "left out";
        QTest::newRow("card dealt twice") << "predeal north SAK, HA\npredeal south SA" << 2 << 15 << "SA is given";
        QTest::newRow("thirteen cards at most") << "predeal north SAKQJT98765432, HA" << 1 << 31 << "more than 13";
        QTest::newRow("comment left open") << "produce 3 /* open" << 1 << 11 << "*/";
        QTest::newRow("stray character") << "condition hcp(north) $ 3" << 1 << 22 << "unexpected character $";
        QTest::newRow("reserved word") << "hcp = 3" << 1 << 1 << "reserved";
        QTest::newRow("bracket not closed") << "condition (hcp(north) > 3" << 1 << 26 << "\")\" expected";
        QTest::newRow("vulnerability") << "vulnerable both" << 1 << 12 << "none, NS, EW or all";
        QTest::newRow("card of hascard") << "condition hascard(north, XS)" << 1 << 26 << "a card";
        QTest::newRow("number too big") << "produce 99999999999999999999" << 1 << 9 << "too big";
        // Conditions that would take the stack or hours per deal.
        QTest::newRow("deep brackets") << QString(5000, QLatin1Char('(')) << 1 << 301 << "too big or too deeply";
        QTest::newRow("long negation") << "condition " + QString(5000, QLatin1Char('!')) + "1" << 1 << 311
                                       << "too big or too deeply";
        QString doubling = QStringLiteral("a0 = hcp(north)\n");
        for (int i = 1; i <= 40; ++i)
            doubling += QStringLiteral("a%1 = a%2 + a%2\n").arg(i).arg(i - 1);
        QTest::newRow("doubled identifiers") << doubling << 16 << 1 << "too big or too deeply";
    }
    void everySyntaxErrorHasALineAColumnAndAMessage()
    {
        QFETCH(QString, script);
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QString, message);
        const ParseResult r = parseScript(script, LanguageEnglish);
        QVERIFY(!r.program);
        QVERIFY2(r.error.message.contains(message), qPrintable(r.error.message));
        QCOMPARE(r.error.line, line);
        QCOMPARE(r.error.column, column);
        QVERIFY(r.error.text(LanguageEnglish).startsWith(QStringLiteral("Line %1, column %2: ").arg(line).arg(column)));
        const ParseResult dutch = parseScript(script, LanguageDutch);
        QVERIFY(
            dutch.error.text(LanguageDutch).startsWith(QStringLiteral("Regel %1, kolom %2: ").arg(line).arg(column)));
        QVERIFY(dutch.error.message != r.error.message || message == QLatin1String("printall"));
    }

    void dialogConditionsBecomeTheSameCondition()
    {
        DealConstraints c;
        c[North].hcpMin = 15;
        c[North].hcpMax = 17;
        c[North].balanced = true;
        c[South].hcpMin = 8;
        c[South].lengthMin[Spades] = 4;
        c[East].lengthMax[Hearts] = 3;
        c[West].lengthMin[Clubs] = 2;
        c[West].lengthMax[Clubs] = 2;
        const ConstraintScript made = scriptFromConstraints(c, LanguageEnglish);
        QVERIFY2(!made.script.isEmpty(), qPrintable(made.error));
        const ParseResult r = parseScript(made.script, LanguageEnglish);
        QVERIFY2(r.program, qPrintable(r.error.text(LanguageEnglish) + QLatin1Char('\n') + made.script));
        // Checked against the conditions counted directly, on deals of every kind.
        Dealer dealer(Predeal {});
        Random random(7, 0);
        int accepted = 0;
        for (int i = 0; i < 200000; ++i) {
            const Deal d = dealer.deal(random);
            const bool direct = handHcp(d.hands[North]) >= 15 && handHcp(d.hands[North]) <= 17
                && isBalanced(handShape(d.hands[North])) && handHcp(d.hands[South]) >= 8
                && suitLength(suitOf(d.hands[South], Spades)) >= 4 && suitLength(suitOf(d.hands[East], Hearts)) <= 3
                && suitLength(suitOf(d.hands[West], Clubs)) == 2;
            QCOMPARE(accepts(*r.program, d), direct);
            accepted += direct;
        }
        QVERIFY(accepted > 50);
    }

    void fixedCardsAreReadInTheLettersOfTheLanguage()
    {
        const HandBits wanted = cardBit(Spades, RankAce) | cardBit(Spades, RankKing) | cardBit(Spades, RankQueen)
            | cardBit(Spades, 0) | cardBit(Hearts, RankKing) | cardBit(Hearts, 6) | cardBit(Hearts, 5)
            | cardBit(Diamonds, 1) | cardBit(Diamonds, 0) | cardBit(Clubs, RankAce) | cardBit(Clubs, RankKing)
            | cardBit(Clubs, 3) | cardBit(Clubs, 2);
        const struct {
            const char *text;
            int language;
        } ways[] = {{"S AKQ2 H K87 D 32 C AK54", LanguageEnglish}, {"SAKQ2 HK87 D32 CAK54", LanguageEnglish},
            {"AKQ2.K87.32.AK54", LanguageEnglish}, {"S AHV2 H H87 R 32 K AH54", LanguageDutch},
            {"SAHV2 HH87 R32 KAH54", LanguageDutch}, {"ahv2.h87.32.ah54", LanguageDutch}};
        for (const auto &way : ways) {
            DealConstraints c;
            c[North].fixedCards = QString::fromUtf8(way.text);
            const ConstraintScript made = scriptFromConstraints(c, way.language);
            const ParseResult r = parseScript(made.script, way.language);
            QVERIFY2(r.program, way.text);
            QCOMPARE(r.program->predeal.hands[North], wanted);
        }
        // A partial hand is fine; a voided suit is written "-".
        DealConstraints some;
        some[East].fixedCards = QStringLiteral("S A H - D K");
        const ParseResult r = parseScript(scriptFromConstraints(some, LanguageEnglish).script, LanguageEnglish);
        QVERIFY(r.program);
        QCOMPARE(r.program->predeal.hands[East], cardBit(Spades, RankAce) | cardBit(Diamonds, RankKing));
    }

    void badDialogConditionsAreRefusedInTheLanguage()
    {
        DealConstraints c;
        c[South].fixedCards = QStringLiteral("S AKX");
        ConstraintScript made = scriptFromConstraints(c, LanguageEnglish);
        QVERIFY(made.script.isEmpty());
        QVERIFY2(made.error.contains(QStringLiteral("South")) && made.error.contains(QStringLiteral("S AKX")),
            qPrintable(made.error));
        c[South].fixedCards.clear();
        c[North].fixedCards = QStringLiteral("SA");
        c[East].fixedCards = QStringLiteral("SA");
        made = scriptFromConstraints(c, LanguageDutch);
        QVERIFY(made.error.contains(QStringLiteral("Oost")));
        c[East].fixedCards.clear();
        c[West].hcpMin = 20;
        c[West].hcpMax = 10;
        made = scriptFromConstraints(c, LanguageEnglish);
        QVERIFY(made.error.contains(QStringLiteral("West")));
    }
};

QTEST_GUILESS_MAIN(TestScript)
#include "test_script.moc"
