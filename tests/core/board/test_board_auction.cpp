#include "board_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

namespace {

QList<StoreAction::Kind> kinds(const BoardOutcome &out)
{
    QList<StoreAction::Kind> k;
    for (const StoreAction &a : out.store)
        k << a.kind;
    return k;
}

// The caret just before the first occurrence of the card in the field as shown.
int caretAt(const Board &board, int field, QChar card) { return int(board.fieldText(field).indexOf(card)); }

} // namespace

class TestBoardAuction : public QObject {
    Q_OBJECT

private slots:
    void theEndOfTheAuctionShowsTheContract_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("contract"); // the contract file's line; "" when none is written
        QTest::addColumn<int>("declarer");
        row("North named hearts first", 1, "1H P 4H P P P", "Noord 4 Harten", int(North));
        row("the partner who named the strain", 1, "1C P 1S P 4S P P P", "Zuid 4 Schoppen", int(South));
        row("West deals and opened no trump", 4, "1N P 3N P P P", "West 3 SA", int(West));
        row("passed out writes no contract", 1, "P P P P", "", -1);
    }
    void theEndOfTheAuctionShowsTheContract()
    {
        QFETCH(int, game);
        QFETCH(QString, calls);
        QFETCH(QString, contract);
        QFETCH(int, declarer);
        Board board = typedBoard(game);
        const BoardOutcome out = bid(board, calls);
        QCOMPARE(board.contract().kind, contract.isEmpty() ? ContractDisplay::PassedOut : ContractDisplay::Bid);
        QCOMPARE(board.contractText(), contract);
        QCOMPARE(board.declarer().value_or(-1), declarer);
        if (contract.isEmpty()) {
            QVERIFY(out.store.isEmpty());
        } else {
            QCOMPARE(kinds(out), QList {StoreAction::WriteContract});
            QCOMPARE(out.store[0].contract, contract);
            QCOMPARE(out.store[0].number, game);
        }
        QVERIFY(!availability(board).biddingBox);
        QVERIFY(availability(board).deleteAllBids);
        QVERIFY(board.unsavedChanges());
        // Nothing more is taken once the auction is over.
        QVERIFY(board.clickBox(BoxButton::Pass).ignored);
    }

    void callsTakeThePictureAwayAndDeletingTakesSaving()
    {
        Board board = typedBoard();
        bid(board, "1C");
        Availability a = availability(board);
        QVERIFY(!a.picture && !a.print && !a.clipboard && !a.question);
        QVERIFY(a.save && a.rotate);
        bid(board, "D");
        a = availability(board);
        QVERIFY(!a.save && !a.rotate && !a.hiddenHandBoxes[0]);
        QVERIFY(a.contractBids[0]);
        // A refused double still takes the picture away, and changes no call.
        board = typedBoard();
        bid(board, "1C P X");
        QCOMPARE(board.auction().CallKinds(), "12");
        QVERIFY(!availability(board).picture);
    }

    void deletingTheWholeBiddingAsksFirst()
    {
        Board board = typedBoard(6);
        bid(board, "1H P P P");
        const Board before = board;
        BoardOutcome out = board.clickBox(BoxButton::DeleteAll);
        QVERIFY(out.question);
        QCOMPARE(out.question->text(LanguageEnglish), "Clear the entire bidding.|Are you Sure?");
        out = board.clickBox(BoxButton::DeleteAll, Answer::No);
        QCOMPARE(board.auction().CallKinds(), before.auction().CallKinds());
        QCOMPARE(board.contract(), before.contract());

        board.clickBox(BoxButton::DeleteAll, Answer::Yes);
        QCOMPARE(board.auction().CallKinds(), QString());
        QCOMPARE(board.auction().cell(0, North).caption, "-");
        QCOMPARE(board.contract().kind, ContractDisplay::None);
        QVERIFY(!board.declarer());
        // The deal is still on the board, so the changes are still unsaved, and it can be bid,
        // saved and shown again.
        QVERIFY(board.unsavedChanges());
        QCOMPARE(
            signature(availability(board)), "fields:16 box del save pic print clip rot qa hide ten pts lead bmp dv");
    }

    void theLeaderGivesTheLead_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("tenAs10");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("card");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("record");
        row("East leads after North declares", 10, false, "1H P 4H P P P", 5, "H", "Oost start met Harten Heer",
            "Oost - 1Heer");
        row("English ten shown as 10", 11, true, "P P P 1N P P P", 3, "T", "North leads with the 10 of Clubs",
            "North - 3T");
        row("no auction: whoever's hand is clicked", 10, false, "", 13, "7", "West start met Harten 7", "West - 17");
    }
    void theLeaderGivesTheLead()
    {
        QFETCH(int, language);
        QFETCH(bool, tenAs10);
        QFETCH(QString, calls);
        QFETCH(int, field);
        QFETCH(QString, card);
        QFETCH(QString, question);
        QFETCH(QString, record);
        Board board = typedBoard(1, language);
        if (language == LanguageEnglish) // North holds the ten of clubs
            board.setDeal({"AKQ2", "432", "AK5", "T98", "JT9", "AKQ", "432", "AKQJ", "8765", "JT98", "QJT", "32", "43",
                "765", "9876", "7654"});
        board.setTenAs10(tenAs10);
        bid(board, calls);
        QVERIFY(board.startLeadMode().focus == Focus::Field);
        const int leader = SeatOfField(field);
        for (int f = 0; f < 16; ++f)
            QCOMPARE(availability(board).entryFields[f], calls.isEmpty() || SeatOfField(f) == leader);

        const int caret = tenAs10 && card == "T" ? caretAt(board, field, '1') : caretAt(board, field, card[0]);
        BoardOutcome out = board.giveLead(field, caret);
        QCOMPARE(out.question->text(language), question);
        QVERIFY(!board.lead());
        out = board.giveLead(field, caret, Answer::Yes);
        QCOMPARE(kinds(out), QList {StoreAction::WriteLead});
        QCOMPARE(formatLeadLine(out.store[0].lead.leaderName, out.store[0].lead.suitIndex, out.store[0].lead.cardText),
            record);
        QCOMPARE(board.leadCardShown(), tenAs10 && card == "T" ? "10" : out.store[0].lead.cardText);
        QVERIFY(!board.leadMode());
        QCOMPARE(availability(board).leadBoxCaption, Str::DeleteLead);
        const Availability given = availability(board);
        QCOMPARE(std::count(given.entryFields.begin(), given.entryFields.end(), true), 16);

        out = board.leadBoxClicked(false);
        QCOMPARE(kinds(out), QList {StoreAction::RemoveLead});
        QVERIFY(!board.lead());
        QCOMPARE(availability(board).leadBoxCaption, Str::GiveLead);
        QVERIFY(availability(board).biddingBox);
    }

    void aLeadAnsweredNoOrPastTheCardsIsNotGiven()
    {
        Board board = typedBoard();
        bid(board, "1H P 4H P P P");
        board.startLeadMode();
        QCOMPARE(board.giveLead(5, 3).focus, Focus::Sink); // after the last card
        QVERIFY(board.giveLead(0, 0).ignored); // North's hand is not the leader's
        const BoardOutcome no = board.giveLead(5, 0, Answer::No);
        QVERIFY(no.store.isEmpty());
        QVERIFY(!board.lead());
        QVERIFY(board.leadMode());
        // A lead that could not be stored is not shown either.
        const BoardOutcome yes = board.giveLead(5, 0, Answer::Yes);
        board.storeFailed(yes.store[0], true);
        QVERIFY(!board.lead());
        QCOMPARE(availability(board).leadBoxCaption, Str::GiveLead);
    }

    void rotatingTurnsHandsCallsAndNumber_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("calls");
        QTest::addColumn<int>("newGame");
        QTest::addColumn<QString>("row0");
        QTest::addColumn<int>("declarer");
        row("North deals, one heart passed out", 1, "1H P P P", 2, "- 1 Pas Pas", int(East));
        row("West deals: the dash row goes", 4, "1C P P P", 1, "1 Pas Pas Pas", int(North));
        row("no calls: only the number moves", 2, "", 3, "- - . .", -1);
        row("the last game keeps to the games", 999, "", 996, "- - - .", -1);
    }
    void rotatingTurnsHandsCallsAndNumber()
    {
        QFETCH(int, game);
        QFETCH(QString, calls);
        QFETCH(int, newGame);
        QFETCH(QString, row0);
        QFETCH(int, declarer);
        Board board = typedBoard(game);
        bid(board, calls);
        board.setTenAs10(true);
        const BoardOutcome out = board.rotate();
        QCOMPARE(board.currentGameNumber(), newGame);
        QStringList cells;
        for (int seat = 0; seat < 4; ++seat)
            cells << (board.auction().cell(0, seat).callVisible ? board.auction().cell(0, seat).caption : ".");
        QCOMPARE(cells.join(' '), row0);
        QCOMPARE(board.declarer().value_or(-1), declarer);
        QCOMPARE(out.store.first().kind, StoreAction::RemoveLead);
        QCOMPARE(out.store.first().number, game);
        QCOMPARE(board.holdings()[FieldOf(East, Spades)], dutchDeal()[FieldOf(North, Spades)]);
        QCOMPARE(board.holdings()[FieldOf(North, Clubs)], dutchDeal()[FieldOf(West, Clubs)]);
        QVERIFY(board.tenAs10());
        QVERIFY(availability(board).picture);
        QVERIFY(availability(board).leadBoxVisible);
    }

    void aCallInTheLastWestCellStopsTheTurn()
    {
        Board board = typedBoard();
        // Nine rows of four: the 36th call lands in the last row's West cell.
        QString calls = "1C X XX 1D 1H 1S 1N";
        for (int level = 2; level <= 7; ++level)
            for (const char *strain : {"C", "D", "H", "S", "N"})
                calls += QStringLiteral(" %1%2").arg(level).arg(strain);
        bid(board, calls);
        QVERIFY(board.auction().cell(8, West).callVisible);
        const QString kindsBefore = board.auction().CallKinds();
        const Holdings handsBefore = board.holdings();
        const BoardOutcome out = board.rotate();
        QCOMPARE(texts(out, LanguageDutch),
            QStringList {"Kan het spel niet draaien.|Er gaat dan een bieding verloren!||Pas de bieding aan."});
        QCOMPARE(board.currentGameNumber(), 1);
        QCOMPARE(board.auction().CallKinds(), kindsBefore);
        QCOMPARE(board.holdings(), handsBefore);
        QVERIFY(out.store.isEmpty());
    }

    void hiddenHandsStayAtTheirSeatsWhenTurned()
    {
        Board board = typedBoard();
        board.setSeatHidden(South, true);
        board.rotate();
        QVERIFY(board.seatHidden(South));
        QCOMPARE(board.fieldText(FieldOf(South, Spades)), QString());
        QCOMPARE(board.holdings()[FieldOf(South, Spades)], dutchDeal()[FieldOf(East, Spades)]);
        board.setSeatHidden(South, false);
        QCOMPARE(board.fieldText(FieldOf(South, Spades)), "BT9");
    }
};

QTEST_GUILESS_MAIN(TestBoardAuction)
#include "test_board_auction.moc"
