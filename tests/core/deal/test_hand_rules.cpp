#include "deal/hand_rules.h"

#include <QTest>

using namespace briqo;

namespace {

// A full deal in English letters: each seat one complete suit per field is not a deal, so the
// suits are dealt round: North all spades, East all hearts, South all diamonds, West all clubs.
Holdings suitsDeal()
{
    Holdings deal;
    const QString all = QStringLiteral("AKQJT98765432");
    for (int seat = 0; seat < 4; ++seat)
        deal[FieldOf(seat, seat)] = all;
    return deal;
}

} // namespace

class TestHandRules : public QObject {
    Q_OBJECT

private slots:
    void typedCardIsCheckedAgainstFieldHandAndSuit()
    {
        Holdings deal;
        deal[FieldOf(North, Hearts)] = QStringLiteral("K");
        deal[FieldOf(East, Hearts)] = QStringLiteral("A");
        QCOMPARE(checkCardKey(deal, FieldOf(North, Hearts), QLatin1Char('K')), CardKeyVerdict::AlreadyThere);
        QCOMPARE(checkCardKey(deal, FieldOf(East, Hearts), QLatin1Char('K')), CardKeyVerdict::HeldElsewhere);
        QCOMPARE(checkCardKey(deal, FieldOf(East, Spades), QLatin1Char('K')), CardKeyVerdict::Accept);
        // The ten is held as "10" in one field and typed as T in another.
        deal[FieldOf(South, Clubs)] = QStringLiteral("A10");
        QCOMPARE(checkCardKey(deal, FieldOf(West, Clubs), QLatin1Char('T')), CardKeyVerdict::HeldElsewhere);
        QCOMPARE(checkCardKey(deal, FieldOf(South, Clubs), QLatin1Char('T')), CardKeyVerdict::AlreadyThere);
    }

    void fourteenthCardIsRefusedWithTenCountedOnce()
    {
        Holdings deal;
        deal[FieldOf(West, Spades)] = QStringLiteral("AKQJ10987");
        deal[FieldOf(West, Hearts)] = QStringLiteral("76543");
        QCOMPARE(CardCount(deal, West), 13);
        QCOMPARE(checkCardKey(deal, FieldOf(West, Clubs), QLatin1Char('2')), CardKeyVerdict::HandFull);
        deal[FieldOf(West, Hearts)] = QStringLiteral("7654");
        QCOMPARE(checkCardKey(deal, FieldOf(West, Clubs), QLatin1Char('2')), CardKeyVerdict::Accept);
    }

    void fourthHandIsCompletedForEachSeat_data()
    {
        QTest::addColumn<int>("empty");
        for (int seat = 0; seat < 4; ++seat)
            QTest::newRow(qPrintable(QString::number(seat))) << seat;
    }
    void fourthHandIsCompletedForEachSeat()
    {
        QFETCH(int, empty);
        Holdings deal = suitsDeal();
        deal[FieldOf(empty, empty)].clear();
        QCOMPARE(seatToComplete(deal), std::optional<int>(empty));
        for (int suit = 0; suit < 4; ++suit)
            QCOMPARE(missingCards(deal, empty, suit, 11), suit == empty ? QStringLiteral("AKQJT98765432") : QString());
    }

    void fourthHandOnlyWhenThreeAreCompleteAndOneIsEmpty()
    {
        Holdings partial = suitsDeal();
        partial[FieldOf(South, Diamonds)] = QStringLiteral("2");
        QCOMPARE(seatToComplete(partial), std::nullopt);
    }

    void missingCardsOfAMixedSuitAreSorted()
    {
        Holdings deal;
        deal[FieldOf(North, Spades)] = QStringLiteral("A1052");
        deal[FieldOf(East, Spades)] = QStringLiteral("KJ3");
        deal[FieldOf(West, Spades)] = QStringLiteral("Q4");
        QCOMPARE(missingCards(deal, South, Spades, 11), QStringLiteral("9876"));
    }

    void onlyFiftyTwoDifferentCardsMakeADeal()
    {
        QVERIFY(isValidCompleteDeal(suitsDeal(), 11));
        QCOMPARE(totalCards(suitsDeal()), 52);
        Holdings duplicate = suitsDeal();
        duplicate[FieldOf(North, Spades)] = QStringLiteral("AKQJT9876543");
        duplicate[FieldOf(North, Hearts)] = QStringLiteral("A"); // East holds it too
        duplicate[FieldOf(East, Hearts)] = QStringLiteral("AKQJT98765432");
        QCOMPARE(totalCards(duplicate), 52);
        QVERIFY(!isValidCompleteDeal(duplicate, 11));
        Holdings fourteen = suitsDeal();
        fourteen[FieldOf(North, Hearts)] = QStringLiteral("2");
        fourteen[FieldOf(East, Hearts)] = QStringLiteral("AKQJT9876543");
        QCOMPARE(totalCards(fourteen), 52);
        QVERIFY(!isValidCompleteDeal(fourteen, 11));
        QVERIFY(!isValidCompleteDeal(suitsDeal(), 10)); // English letters are not a Dutch deal
    }
};

QTEST_APPLESS_MAIN(TestHandRules)
#include "test_hand_rules.moc"
