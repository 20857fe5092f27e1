// The board drawn from a stored game with no main window around it.

#include "ui/board/board_view.h"
#include "resources/pictures.h"
#include "base/string_table.h"
#include "store/game.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QtTest>

using namespace briqo;

namespace {

// Game 6 (dealer East): East opens 1 NT, three passes; South leads the ten of spades. North holds
// thirteen spades, so with "10" written out the field needs 14 characters.
Game storedGame()
{
    Game game;
    game.number = 6;
    const char *hands[16] = {"AHVBT98765432", "", "", "", "", "AHVB", "AHVB", "AHVBT", "", "T98765432", "T98765432",
        "", "", "", "", "98765432"};
    for (int i = 0; i < 16; ++i)
        game.holdings[i] = QString::fromLatin1(hands[i]);
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1222");
    auction.cells[0] = {QStringLiteral("-"), QString(), QString()};
    auction.cells[9] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
    auction.cells[18] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[27] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[1] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    game.auction = auction;
    game.contract = QStringLiteral("Oost 1 SA");
    game.lead = LeadLine {QStringLiteral("Zuid"), 0, QStringLiteral("T")};
    game.question = QStringLiteral("Wat start Zuid?");
    return game;
}

} // namespace

class TestBoardView : public QObject {
    Q_OBJECT

private slots:
    void aStoredGameIsDrawnWithoutTheWindow()
    {
        BoardView board;
        board.setUpCaptions(LanguageDutch, 2026);
        BoardOptions options;
        options.tenAs10 = true;
        options.hidden[West] = true;
        board.showGame(storedGame(), options);

        QCOMPARE(board.txtSpel->text(), QStringLiteral("6"));
        QCOMPARE(board.lblVulin[1]->text(), QStringLiteral("Oost")); // dealer of game 6
        QCOMPARE(board.lblVulin[3]->text(), QStringLiteral("1"));
        QCOMPARE(pictureIdOf(board.picEind), 110); // "SA"
        QCOMPARE(board.lblVulin[4]->text(), QStringLiteral("Oost"));
        QCOMPARE(board.lblVulin[6]->text(), QStringLiteral("10"));
        QCOMPARE(pictureIdOf(board.picUit), 109); // spades
        QCOMPARE(board.lblB[East][0]->text(), QStringLiteral("1"));
        QVERIFY(!board.lblB[East][0]->isHidden());
        // A program write is never cut at the typing limit.
        QCOMPARE(board.txtInvoer[0]->text(), QStringLiteral("AHVB1098765432"));
        QCOMPARE(board.txtInvoer[FieldOf(West, Clubs)]->text(), QString()); // hidden hand
        QCOMPARE(board.msfgOverzicht->item(1 + West, 1)->text(), QStringLiteral("8"));
        QVERIFY(board.lblPunten[West]->isHidden());
        QCOMPARE(board.lblPunten[East]->text(), QStringLiteral("(30)"));
        QCOMPARE(board.txtVraag->toPlainText(), QStringLiteral("Wat start Zuid?"));

        const QImage image = board.grab().toImage();
        QCOMPARE(image.size(), board.size());
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            image.save(QString::fromLocal8Bit(shots) + QStringLiteral("/board_view.png"));
    }

    void aGameWithoutAuctionShowsOnlyTheDeal()
    {
        BoardView board;
        board.setUpCaptions(LanguageEnglish, 2026);
        Game game = storedGame();
        game.auction.reset();
        board.showGame(game, {});
        QCOMPARE(board.lblVulin[1]->text(), QStringLiteral("East"));
        QVERIFY(board.lblVulin[3]->isHidden());
        QVERIFY(board.lblVulin[5]->isHidden()); // a lead without an auction is not shown
        QCOMPARE(board.lblB[North][0]->text(), QStringLiteral("-"));
        QCOMPARE(board.txtInvoer[0]->text(), QStringLiteral("AHVBT98765432"));
    }
};

QTEST_MAIN(TestBoardView)
#include "test_board_view.moc"
