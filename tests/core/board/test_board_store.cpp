#include "board_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

namespace {

// A stored game: the typed deal, a finished auction, a lead, a question.
Game storedGame()
{
    Board board = typedBoard(5);
    bid(board, "1H P 4H P P P");
    board.startLeadMode();
    board.giveLead(5, 1, Answer::Yes);
    board.setQuestionAndAnswer("Wat start Oost?", "Heer");
    return board.toGame();
}

} // namespace

class TestBoardStore : public QObject {
    Q_OBJECT

private slots:
    void aGameComesBackAsItWasStored()
    {
        const Game game = storedGame();
        QCOMPARE(game.number, 5);
        QCOMPARE(game.holdings, dutchDeal());
        QCOMPARE(game.contract, "Noord 4 Harten");
        QCOMPARE(game.lead, (LeadLine {"Oost", 1, "Heer"}));
        QCOMPARE(game.auction->callKinds, "121222");

        const Board loaded = Board::fromGame(game, LanguageDutch);
        QCOMPARE(loaded.toGame(), game);
        QCOMPARE(loaded.contractText(), "Noord 4 Harten");
        QCOMPARE(loaded.lead()->leader, int(East));
        QCOMPARE(loaded.chosenEntry(), "Spel 005");
        QVERIFY(!loaded.unsavedChanges());
        // A loaded game offers everything, the renumber tool and its own deletion included; the box
        // is open again even below a finished auction.
        QCOMPARE(signature(availability(loaded)),
            "fields:16 box del save pic print clip rot qa hide ten pts dellead load renum bmp dv contract");
    }

    void loadingWritesNothingAndKeepsTheLead()
    {
        Board board = typedBoard(9);
        const BoardOutcome out = board.load(storedGame());
        QVERIFY(out.store.isEmpty());
        QVERIFY(board.lead());
        QCOMPARE(out.focusField, 0);
    }

    void aLoadedAuctionCanBeContinued()
    {
        Game game = storedGame();
        Board half = typedBoard(5);
        bid(half, "1H X");
        game.auction = half.toGame().auction;
        Board board = Board::fromGame(game, LanguageDutch);
        QVERIFY(availability(board).biddingBox);
        QVERIFY(!availability(board).contractBids[2]);
        QVERIFY(availability(board).contractBids[3]);
        bid(board, "XX");
        QCOMPARE(board.auction().CallKinds(), "134");
    }

    void aBrokenGameIsShownToBePutRight()
    {
        Game game = storedGame();
        game.holdings[0] = "AHV";
        Board board;
        const BoardOutcome out = board.load(game);
        QCOMPARE(out.messages.size(), 1);
        QCOMPARE(out.messages[0].stringId, own::DealNotValid);
        QCOMPARE(signature(availability(board)), "fields:16 del load bmp dv contract");
    }

    void savingAsksBeforeItOverwrites()
    {
        Board board = typedBoard(7);
        board.setTenAs10(true);
        bid(board, "1C");
        BoardOutcome out = board.save(true);
        QCOMPARE(out.question->text(LanguageDutch), "Het Spel 007 bestaat al!|Wilt u Spel 007 overschrijven?");
        // Kept on No: the tens written "T" again and no unsaved calls.
        QVERIFY(!board.tenAs10());
        QVERIFY(!board.unsavedChanges());
        out = board.save(true, Answer::No);
        QVERIFY(out.store.isEmpty());
        out = board.save(true, Answer::Yes);
        QCOMPARE(out.store.size(), 1);
        QCOMPARE(out.store[0].kind, StoreAction::SaveGame);
        QCOMPARE(out.store[0].game.holdings, dutchDeal());
        QCOMPARE(out.store[0].game.auction->callKinds, "1");
        QCOMPARE(out.store[0].game.number, 7);
    }

    void aSaveMovesOnToTheNextGame_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("after");
        row("41 moves to 42", "41", "42");
        row("999 leaves the number empty", "999", "");
        row("no number saves game 0 and stays empty", "", "");
    }
    void aSaveMovesOnToTheNextGame()
    {
        QFETCH(QString, number);
        QFETCH(QString, after);
        Board board = typedBoard(number.isEmpty() ? 41 : number.toLongLong());
        if (number.isEmpty())
            board.setGameNumber(number);
        const BoardOutcome out = board.save(false);
        QCOMPARE(out.store.size(), 1);
        QCOMPARE(out.store[0].number, number.toLongLong());
        const BoardOutcome next = board.saved();
        QVERIFY(next.refreshGameList);
        QCOMPARE(board.gameNumberText(), after);
        QCOMPARE(board.totalCards(), after.isEmpty() ? 52 : 0);
    }

    void aFailedSaveKeepsTheBoardUnsaved()
    {
        Board board = typedBoard(3);
        bid(board, "1C");
        const BoardOutcome out = board.save(false);
        board.storeFailed(out.store[0], true);
        QVERIFY(board.unsavedChanges());
        QCOMPARE(board.currentGameNumber(), 3);
    }

    void unsavedCallsAreAskedAboutBeforeANewNumber()
    {
        Board board = typedBoard(5);
        bid(board, "1C");
        const Board before = board;
        BoardOutcome out = board.setGameNumber("6");
        QCOMPARE(out.question->stringId, Str::NotSavedYet);
        QVERIFY(board == before);

        Board yes = board;
        out = yes.setGameNumber("6", Answer::Yes);
        QVERIFY(out.saveFirst);
        QCOMPARE(yes.currentGameNumber(), 6);
        QCOMPARE(yes.auction().CallKinds(), "1");
        // The board is saved under the new number even when the save button is not on offer.
        yes.clickBox(BoxButton::DeleteLast);
        QVERIFY(!availability(yes).save);
        out = yes.save(false);
        QCOMPARE(out.store.size(), 1);
        QCOMPARE(out.store[0].number, 6);

        out = board.setGameNumber("6", Answer::No);
        QCOMPARE(board.currentGameNumber(), 6);
        QCOMPARE(board.totalCards(), 0);
        QCOMPARE(board.auction().CallKinds(), QString());
        QCOMPARE(board.auction().cell(0, North).caption, "-");
        QCOMPARE(out.focus, Focus::GameNumber);
    }

    void theGameNumberField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("signature");
        // The display options stay on offer over a new number, as they always did.
        row("a game", "8", "fields:16 box del ten pts bmp dv");
        row("0 keeps the board", "0", "fields:16 box del save pic print clip rot qa hide ten pts lead");
        row("000 is no game", "000", "fields:16 del ten pts");
        row("empty keeps the board", "", "fields:16 box del save pic print clip rot qa hide ten pts lead");
        row("what cannot be typed is dropped", "1a2", "fields:16 box del ten pts bmp dv");
    }
    void theGameNumberField()
    {
        QFETCH(QString, text);
        QFETCH(QString, signature);
        Board board = typedBoard(5);
        board.setGameNumber(text);
        QCOMPARE(test::signature(availability(board)), signature);
    }

    void deletingAGameEmptiesTheBoard()
    {
        Board board = Board::fromGame(storedGame(), LanguageDutch);
        BoardOutcome out = board.deleteGame();
        QCOMPARE(out.question->text(LanguageDutch), "Spel 005 definitief wissen?||Zeker weten?");
        QVERIFY(board.deleteGame(Answer::No).store.isEmpty());
        out = board.deleteGame(Answer::Yes);
        QCOMPARE(out.store[0].kind, StoreAction::RemoveGame);
        QCOMPARE(out.store[0].number, 5);
        board.gameDeleted();
        QCOMPARE(board.gameNumber(), std::nullopt);
        QCOMPARE(board.totalCards(), 0);
        QCOMPARE(signature(availability(board)), signature(availability(Board())));
    }
};

QTEST_GUILESS_MAIN(TestBoardStore)
#include "test_board_store.moc"
