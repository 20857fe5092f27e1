#include "exchange/deal_text.h"
#include "exchange/lin_format.h"
#include "exchange/pasted_deal.h"
#include "exchange_games.h"

#include <QTest>

using namespace briqo;

namespace {

// The sample deal with each seat first, in the three kinds of text a deal comes in.
QString pbnFrom(int first)
{
    const char *hands[] = {"643.QJ9862.9.K85", "A972.3.Q8763.T32", "JT8.AT74.KJT.A96", "KQ5.K5.A542.QJ74"};
    QStringList out;
    for (int i = 0; i < 4; ++i)
        out << QLatin1String(hands[(first + i) % 4]);
    return QString(seatLetter(first)) + QLatin1Char(':') + out.join(QLatin1Char(' '));
}

const QString SampleMd = QStringLiteral("SJT8HAT74DKJTCA96,SKQ5HK5DA542CQJ74,S643HQJ9862D9CK85,SA972H3DQ8763CT32");

} // namespace

class DealTextTest : public QObject {
    Q_OBJECT

private slots:
    void everyKindOfDealTextWithEachSeatFirst_data()
    {
        QTest::addColumn<QString>("text");
        for (int first = 0; first < 4; ++first) {
            const QByteArray seat(1, seatLetter(first).toLatin1());
            QTest::newRow("pbn " + seat) << pbnFrom(first);
            QTest::newRow("pbn lower case, tens as 10, " + seat) << pbnFrom(first).toLower().replace("t", "10");
            const QString lin = QString::number(linDealerDigit(first)) + SampleMd;
            QTest::newRow("lin md " + seat) << QStringLiteral("st||md|%1|rh||ah|Board 5|").arg(lin);
            QTest::newRow("bare md " + seat) << lin;
            QTest::newRow("link " + seat)
                << QStringLiteral("https://www.bridgebase.com/tools/handviewer.html?lin=md%7C")
                    + QString(lin).replace(",", "%2C") + QStringLiteral("%7C");
        }
        QTest::newRow("link with hands as parameters")
            << QStringLiteral("http://www.bridgebase.com/tools/handviewer.html?n=s643hqj9862d9ck85&e=sa972h3dq8763ct32"
                              "&s=sjt8hat74dkjtca96&w=skq5hk5da542cqj74&d=n&v=n&b=5");
        QTest::newRow("full pbn game")
            << QStringLiteral("[Board \"5\"]\n[Dealer \"N\"]\n[Deal \"%1\"]\n").arg(pbnFrom(2));
    }
    void everyKindOfDealTextWithEachSeatFirst()
    {
        QFETCH(QString, text);
        const DealText read = parsePastedDeal(text);
        QVERIFY(read.recognised);
        QCOMPARE(read.deal, test::sampleDeal());
    }

    void theFourthHandIsFilledWhenThreeAreComplete()
    {
        const DealText pbn = parsePbnDeal(QStringLiteral("S:JT8.AT74.KJT.A96 - 643.QJ9862.9.K85 A972.3.Q8763.T32"));
        QCOMPARE(pbn.deal, test::sampleDeal());
        // LIN leaves the last hand out altogether.
        QCOMPARE(parseLinDeal(QStringLiteral("3SJT8HAT74DKJTCA96,SKQ5HK5DA542CQJ74,S643HQJ9862D9CK85,")).deal,
            test::sampleDeal());
        // Tens as "10" and small letters give the same deal.
        QCOMPARE(parsePbnDeal(QStringLiteral("s:j108.a1074.kj10.a96 - 643.qj9862.9.k85 a972.3.q8763.1032")).deal,
            test::sampleDeal());
        // Two unknown hands cannot be completed.
        QVERIFY(!parsePbnDeal(QStringLiteral("N:643.QJ9862.9.K85 - - KQ5.K5.A542.QJ74")).deal);
    }

    void aDealThatIsNot52DifferentCardsIsRecognisedButRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a card twice") << QStringLiteral(
            "N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ7K");
        QTest::newRow("fourteen cards") << QStringLiteral(
            "N:6432.QJ9862.9.K85 A97.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74");
        QTest::newRow("a letter that is no card")
            << QStringLiteral("N:643.QJ9862.9.K8X A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJ74");
        QTest::newRow("a rank twice in one suit")
            << QStringLiteral("N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96 KQ5.K5.A542.QJJ4");
        QTest::newRow("a card twice beside an unknown hand")
            << QStringLiteral("N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A9K -");
        QTest::newRow("lin with a card twice")
            << QStringLiteral("md|3SKT8HAT74DKJTCA96,SKQ5HK5DA542CQJ74,S643HQJ9862D9CK85,|");
    }
    void aDealThatIsNot52DifferentCardsIsRecognisedButRefused()
    {
        QFETCH(QString, text);
        const DealText read = parsePastedDeal(text);
        QVERIFY(read.recognised);
        QVERIFY(!read.deal);
    }

    void textsThatAreNoDealAreNotRecognised_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("prose") << QStringLiteral("Dear members, the club is closed on Monday.");
        QTest::newRow("an address without a deal") << QStringLiteral("https://example.org/page?x=1");
        QTest::newRow("three hands only") << QStringLiteral("N:643.QJ9862.9.K85 A972.3.Q8763.T32 JT8.AT74.KJT.A96");
        QTest::newRow("hands without suits") << QStringLiteral("N:AKQ JT9 876 5432");
    }
    void textsThatAreNoDealAreNotRecognised()
    {
        QFETCH(QString, text);
        QVERIFY(!parsePastedDeal(text).recognised);
    }

    void dealsAreWrittenWithTheDealerFirst()
    {
        QCOMPARE(formatPbnDeal(test::sampleDeal(), East), pbnFrom(East));
        QCOMPARE(formatLinDeal(test::sampleDeal(), West), QStringLiteral("2") + SampleMd);
    }

    void dutchLettersGoBothWays()
    {
        const Holdings dutch = dealInLanguage(test::sampleDeal(), LanguageDutch);
        QCOMPARE(dutch[FieldOf(West, Spades)], QStringLiteral("HV5"));
        QCOMPARE(dutch[FieldOf(North, Hearts)], QStringLiteral("VB9862"));
        QCOMPARE(dealFromLanguage(dutch, LanguageDutch), test::sampleDeal());
    }
};

QTEST_APPLESS_MAIN(DealTextTest)
#include "test_deal_text.moc"
