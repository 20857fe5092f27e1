#include "board_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

class TestBoardEntry : public QObject {
    Q_OBJECT

private slots:
    // One key into a field of a board whose North holds the deal's North hand and whose East
    // spades hold "BT9" (Dutch) or "JT9" (English).
    void keysAreCheckedAsTyped_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("fieldAfter");
        QTest::addColumn<QString>("message");
        row("lower-case honour is upper-cased", 10, 5, "h", "H", "");
        row("English letter is no Dutch card", 10, 5, "k", "", "");
        row("digits 1 and 0 are no cards", 10, 5, "1", "", "");
        row("card already in the field", 10, 4, "9", "BT9", "");
        row("card in another hand of the suit", 10, 4, "H", "BT9", "\"Heer Schoppen\" heeft u al een keer gebruikt.");
        row("English names the card and suit", 11, 4, "K", "JT9", "\"King Spades\" has already been used once.");
        row("fourteenth card names the seat", 10, 1, "5", "432",
            "Noord  heeft 13 kaarten.|Als hij er meer krijgt, dan moet je de arbiter roepen.");
        row("backspace still works on a full hand", 10, 1, "\b", "43", "");
        row("enter moves on and types nothing", 10, 4, "\r", "BT9", "");
    }
    void keysAreCheckedAsTyped()
    {
        QFETCH(int, language);
        QFETCH(int, field);
        QFETCH(QString, key);
        QFETCH(QString, fieldAfter);
        QFETCH(QString, message);
        Board board(language);
        board.setGameNumber("1");
        const Holdings deal = language == LanguageDutch ? dutchDeal() : englishDeal();
        for (int f = 0; f < 4; ++f)
            type(board, f, deal[f]);
        type(board, 4, deal[4]);

        const BoardOutcome out = board.typeKey(field, key[0]);
        QCOMPARE(board.fieldText(field), fieldAfter);
        QCOMPARE(texts(out, language).join('/'), message);
        QCOMPARE(out.refused, !message.isEmpty() || key == "k" || key == "1" || key == "9" || key == "\r");
    }

    void enterGoesToTheNextFieldAndWraps()
    {
        Board board = typedBoard();
        QCOMPARE(board.typeKey(4, '\r').focusField, 5);
        QCOMPARE(board.typeKey(15, '\r').focusField, 0);
        // A hidden hand's fields are passed over.
        board.setSeatHidden(East, true);
        QCOMPARE(board.typeKey(3, '\r').focusField, 8);
    }

    void nothingIsTypedBeforeAGameNumber()
    {
        Board board;
        QVERIFY(board.typeKey(0, 'A').ignored);
        QVERIFY(board.leaveField(0).ignored);
        QCOMPARE(board.fieldText(0), QString());
    }

    void leavingAFieldSortsIt()
    {
        Board board;
        board.setGameNumber("3");
        for (const QChar c : QStringLiteral("2at5"))
            board.typeKey(0, c);
        QCOMPARE(board.fieldText(0), "2AT5");
        board.leaveField(0);
        QCOMPARE(board.fieldText(0), "AT52");
        // Pasted text is upper-cased but not checked; the sort drops what is no card.
        board.editField(1, "xa");
        QCOMPARE(board.fieldText(1), "XA");
        board.leaveField(1);
        QCOMPARE(board.fieldText(1), "A");
    }

    void threeCompleteHandsFillTheFourth_data()
    {
        QTest::addColumn<int>("emptySeat");
        QTest::addColumn<int>("focus");
        row("West is filled, focus to North's spades", int(West), 0);
        row("North is filled, focus to North's clubs", int(North), 3);
    }
    void threeCompleteHandsFillTheFourth()
    {
        QFETCH(int, emptySeat);
        QFETCH(int, focus);
        Board board;
        board.setGameNumber("1");
        BoardOutcome last;
        for (int field = 0; field < 16; ++field)
            if (SeatOfField(field) != emptySeat)
                last = type(board, field, dutchDeal()[field]).last();
        for (int suit = 0; suit < 4; ++suit)
            QCOMPARE(board.fieldText(FieldOf(emptySeat, suit)), dutchDeal()[FieldOf(emptySeat, suit)]);
        QCOMPARE(texts(last, LanguageDutch), QStringList {"Spel klaar."});
        QCOMPARE(last.focusField, focus);
        QVERIFY(board.dealComplete());
        QCOMPARE(board.deal(), dealOf(dutchDeal(), LanguageDutch));
        QVERIFY(availability(board).biddingBox);
        QVERIFY(availability(board).save);
    }

    void fiftyTwoCardsThatAreNoDealAreReported()
    {
        Board board = typedBoard();
        // A paste puts a second ace of spades into East's hand and takes a spot card away.
        const BoardOutcome out = board.editField(4, "BTA");
        QCOMPARE(board.totalCards(), 52);
        QVERIFY(!board.dealComplete());
        QCOMPARE(out.messages.size(), 1);
        QCOMPARE(out.messages[0].stringId, own::DealNotValid);
        QVERIFY(!availability(board).save);
        QVERIFY(!availability(board).picture);
    }

    void tensAreShownAs10AndCountOnce()
    {
        Board board = typedBoard();
        board.setTenAs10(true);
        QCOMPARE(board.fieldText(4), "B109");
        QCOMPARE(board.cardCount(East), 13);
        QCOMPARE(board.holdings()[4], "BT9");
        QCOMPARE(board.toGame().holdings[4], "BT9");
        // Backspace at the end of "B10" takes the "0": what is left is no ten.
        Board typing;
        typing.setGameNumber("1");
        typing.setTenAs10(true);
        typing.typeKey(0, 'A');
        typing.typeKey(0, 't');
        QCOMPARE(typing.fieldText(0), "A10");
        typing.typeKey(0, '2', 1);
        QCOMPARE(typing.fieldText(0), "A210");
        QCOMPARE(typing.cardCount(North), 3);
        // The option goes off with a new game number.
        typing.setGameNumber("2");
        QVERIFY(!typing.tenAs10());
    }

    void hiddenHandsKeepTheirCards()
    {
        Board board = typedBoard();
        board.setSeatHidden(West, true);
        for (int suit = 0; suit < 4; ++suit)
            QCOMPARE(board.fieldText(FieldOf(West, suit)), QString());
        QVERIFY(!board.fieldEnabled(FieldOf(West, Spades)));
        QCOMPARE(board.cardCount(West), 13);
        QCOMPARE(board.toGame().holdings, dutchDeal());
        QVERIFY(board.dealComplete());
        // Points of a hidden hand stay hidden, whatever the points option says.
        board.setPointsVisible(false);
        board.setPointsVisible(true);
        QCOMPARE(availability(board).pointsLabels, (std::array<bool, 4> {true, true, true, false}));
        // A card of the hidden hand cannot be typed again elsewhere.
        board.typeKey(1, '\b');
        QVERIFY(board.typeKey(1, '7').refused);
        board.typeKey(1, '2');
        QVERIFY(board.dealComplete());
        board.setSeatHidden(West, false);
        QCOMPARE(board.fieldText(FieldOf(West, Hearts)), "765");
    }
};

QTEST_GUILESS_MAIN(TestBoardEntry)
#include "test_board_entry.moc"
