#include "board_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

namespace {

// The steps of one evening at the board; each row of the table walks the steps up to its own.
enum Step {
    Start,
    NumberTyped,
    FirstCard,
    CardTakenBack,
    DealComplete,
    FirstCall,
    LastCallDeleted,
    AuctionOver,
    LeadMode,
    LeadGiven,
    LeadWithdrawn,
    Turned,
    NorthHidden,
    Saved,
    EntryChosen,
};

// Deleting the last call is a side road: the walk goes on from the call before it.
void walkTo(Board &board, int step)
{
    for (int s = Start + 1; s <= step; ++s) {
        switch (Step(s)) {
        case Start:
            break;
        case NumberTyped:
            board.setGameNumber("5");
            break;
        case FirstCard:
            board.typeKey(0, 'A');
            break;
        case CardTakenBack:
            board.typeKey(0, '\b');
            break;
        case DealComplete:
            for (int field = 0; field < 12; ++field)
                type(board, field, dutchDeal()[field]);
            break;
        case FirstCall:
            bid(board, "1H");
            break;
        case LastCallDeleted:
            if (step == LastCallDeleted)
                bid(board, "D");
            break;
        case AuctionOver:
            bid(board, "P 4H P P P");
            break;
        case LeadMode:
            board.leadBoxClicked(true);
            break;
        case LeadGiven:
            board.giveLead(5, 0, Answer::Yes);
            break;
        case LeadWithdrawn:
            board.leadBoxClicked(false);
            break;
        case Turned:
            board.rotate();
            break;
        case NorthHidden:
            board.setSeatHidden(North, true);
            break;
        case Saved:
            board.save(false, Answer::Yes);
            board.saved();
            break;
        case EntryChosen:
            board.chooseEntry("Spel 006");
            break;
        }
    }
}

} // namespace

class TestBoardAvailability : public QObject {
    Q_OBJECT

private slots:
    void eachStateOffersItsControls_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("offered");
        row("start: only a number can be typed", int(Start), "fields:0 del");
        row("a number: an empty board to type or bid on", int(NumberTyped), "fields:16 box del bmp dv");
        row("typing closes the box and its delete buttons", int(FirstCard), "fields:16 bmp dv");
        row("an empty deal again opens the delete buttons", int(CardTakenBack), "fields:16 del bmp dv");
        row("a complete deal offers everything", int(DealComplete),
            "fields:16 box del save pic print clip rot qa hide ten pts lead bmp dv");
        row("a call withdraws the picture", int(FirstCall), "fields:16 box del save rot hide ten pts lead bmp dv");
        row("deleting a call withdraws saving", int(LastCallDeleted), "fields:16 box del ten pts lead bmp dv");
        row("the end of the auction closes the box", int(AuctionOver),
            "fields:16 del save rot hide ten pts lead bmp dv contract");
        row("lead mode: the leader's hand only", int(LeadMode),
            "fields:4 del save rot hide ten pts lead leadmode bmp dv contract");
        row("a lead given can be deleted", int(LeadGiven),
            "fields:16 del save rot hide ten pts dellead bmp dv contract");
        row("a withdrawn lead opens the box", int(LeadWithdrawn),
            "fields:16 box del save rot hide ten pts lead bmp dv contract");
        row("turning offers the picture again", int(Turned),
            "fields:16 box del save pic clip rot qa hide ten pts lead bmp dv contract");
        row("a hidden hand takes no cards", int(NorthHidden),
            "fields:12 box del save pic clip rot qa hide ten pts lead bmp dv contract");
        row("after saving, the next game", int(Saved), "fields:16 box del ten pts bmp dv");
        row("a chosen entry can be loaded", int(EntryChosen), "fields:16 box del ten pts load bmp dv");
    }
    void eachStateOffersItsControls()
    {
        QFETCH(int, step);
        QFETCH(QString, offered);
        Board board;
        walkTo(board, step);
        QCOMPARE(signature(availability(board)), offered);
    }

    void aHiddenHandStaysHiddenOnTheNextDeal()
    {
        Board board = typedBoard(5);
        board.setSeatHidden(East, true);
        QVERIFY(!availability(board).hiddenHandChecked[East]);
        // The next game keeps the box as it is; its East hand can be typed until the deal is whole.
        board.setGameNumber("6");
        QVERIFY(!availability(board).hiddenHandChecked[East]);
        QVERIFY(board.fieldEnabled(FieldOf(East, Spades)));
        const Holdings deal = dutchDeal();
        for (int field = 0; field < 12; ++field)
            type(board, field, deal[field]);
        QVERIFY(board.dealComplete());
        QCOMPARE(board.fieldText(FieldOf(East, Spades)), QString());
        QVERIFY(!availability(board).pointsLabels[East]);
        QCOMPARE(board.toGame().holdings, deal);
    }

    void theBoxOffersOnlyBidsAboveTheLast()
    {
        Board board = typedBoard(1);
        bid(board, "1H P 2C");
        const Availability a = availability(board);
        for (int k = 0; k < ContractBidCount; ++k)
            QCOMPARE(a.contractBids[k], k > 5);
        bid(board, "D");
        QVERIFY(availability(board).contractBids[3]);
    }
};

QTEST_GUILESS_MAIN(TestBoardAvailability)
#include "test_board_availability.moc"
