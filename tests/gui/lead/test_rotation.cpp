// Turning the board a quarter turn: hands, points, calls, game number, dealer and the lead.

#include "lead_board.h"

#include "resources/pictures.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace briqo;
using namespace briqo::testing;

namespace {

QStringList fieldTexts(const frmBordix &w, int seat)
{
    QStringList texts;
    for (int suit = 0; suit < 4; ++suit)
        texts << w.txtInvoer[FieldOf(seat, suit)]->text();
    return texts;
}

QStringList rowCalls(const frmBordix &w, int row)
{
    QStringList calls;
    for (int seat = 0; seat < 4; ++seat)
        calls << shownCall(w, row, seat);
    return calls;
}

QString pointsCell(const frmBordix &w, int seat)
{
    return w.msfgOverzicht->item(seat + 1, 2)->text();
}

} // namespace

class TestRotation : public QObject {
    Q_OBJECT

private slots:
    void gameOneTurnsIntoGameTwoWithEastDeclaring()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, QStringLiteral("1"));
        bid(w, { contractBid(1, HeartsStrain), Pass, Pass, Pass });
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("North"));
        // East leads the ten of spades, so that game 1 has a lead file and a lead on display.
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        clickCharacter(w.txtInvoer[FieldOf(East, Spades)], 0);
        const QString lead1 = board.folder() + QStringLiteral("/Games/Game 001/Game 001 Lead.txt");
        QVERIFY(QFile::exists(lead1));
        const QStringList north = fieldTexts(w, North);
        const QStringList west = fieldTexts(w, West);
        const QString northPoints = w.lblPunten[North]->text();
        const QString westPoints = w.lblPunten[West]->text();
        QCOMPARE(northPoints, QStringLiteral("(33)"));

        QTest::mouseClick(w.cmdDraai, Qt::LeftButton);

        QCOMPARE(w.txtSpel->text(), QStringLiteral("2"));
        QCOMPARE(rowCalls(w, 0), (QStringList { "-", "1", "Pass", "Pass" }));
        QCOMPARE(rowCalls(w, 1), (QStringList { "Pass", "", "", "" }));
        QVERIFY(!w.picB[East][0]->isHidden());
        QCOMPARE(pictureIdOf(w.picB[East][0]), 108);
        QVERIFY(w.picB[South][0]->isHidden());

        QCOMPARE(fieldTexts(w, East), north);
        QCOMPARE(fieldTexts(w, North), west);
        QCOMPARE(w.lblPunten[East]->text(), northPoints);
        QCOMPARE(w.lblPunten[North]->text(), westPoints);
        QCOMPARE(pointsCell(w, East), QStringLiteral("33"));

        // The new dealer, vulnerability and declarer; the contract is stored for game 2.
        QCOMPARE(w.lblVulin[1]->text(), QStringLiteral("East"));
        QCOMPARE(w.lblVulin[2]->text(), QStringLiteral("North-South"));
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("East"));
        QCOMPARE(fileBytes(board.folder() + QStringLiteral("/Games/Game 002/Game 002 Contract.txt")),
            QByteArray("East 1 Hearts\r\n"));

        // The lead is not carried over: its file is gone and nothing of it is shown.
        QVERIFY(!QFile::exists(lead1));
        QVERIFY(!QFile::exists(board.folder() + QStringLiteral("/Games/Game 002/Game 002 Lead.txt")));
        QVERIFY(w.lblVulin[5]->isHidden() && w.picUit->isHidden() && w.lblVulin[6]->isHidden());
        QVERIFY(!w.chkUitKomst->isHidden());
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Give lead"));
        QVERIFY(!w.chkUitKomst->isChecked());

        QCOMPARE(w.txtNieuwNummer->text(), QStringLiteral("002"));
        QVERIFY(w.lstSpelNummers.contains(QStringLiteral("006")));
        QVERIFY(!w.lstSpelNummers.contains(QStringLiteral("005")));
        QVERIFY(w.cmdKopie->isEnabled() && w.cmdNaarKlembord->isEnabled());
    }

    void westDealtGameFourTurnsIntoGameOneWithoutDashes()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, QStringLiteral("4"));
        bid(w, { contractBid(1, ClubsStrain), Pass, Pass, Pass });
        QCOMPARE(rowCalls(w, 0), (QStringList { "-", "-", "-", "1" }));

        w.cmdDraai_Click();

        QCOMPARE(w.txtSpel->text(), QStringLiteral("1"));
        QCOMPARE(rowCalls(w, 0), (QStringList { "1", "Pass", "Pass", "Pass" }));
        QCOMPARE(pictureIdOf(w.picB[North][0]), 106);
        QCOMPARE(rowCalls(w, 1), (QStringList { "", "", "", "" }));
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("North"));
        QCOMPARE(w.lblVulin[1]->text(), QStringLiteral("North"));
    }

    void dealerMovesOnWithTheGameNumber_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QString>("turnedGame");
        QTest::addColumn<int>("dashes");
        QTest::addColumn<QString>("dealer");
        QTest::newRow("1 to 2") << "1"
                                << "2" << 1 << "East";
        QTest::newRow("2 to 3") << "2"
                                << "3" << 2 << "South";
        QTest::newRow("4 to 1") << "4"
                                << "1" << 0 << "North";
        // There is no game 1000: the last game West deals takes its place.
        QTest::newRow("999 to 996") << "999"
                                    << "996" << 3 << "West";
    }
    void dealerMovesOnWithTheGameNumber()
    {
        QFETCH(QString, game);
        QFETCH(QString, turnedGame);
        QFETCH(int, dashes);
        QFETCH(QString, dealer);
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, game);

        w.cmdDraai_Click();

        QCOMPARE(w.txtSpel->text(), turnedGame);
        for (int seat = 0; seat < 4; ++seat)
            QCOMPARE(shownCall(w, 0, seat), seat < dashes ? QStringLiteral("-") : QString());
        QCOMPARE(w.lblVulin[1]->text(), dealer);
        // No call has been made, so there is no contract to show.
        QVERIFY(w.lblVulin[3]->isHidden());

        // The next call is the dealer's.
        w.lblBB_Click(Pass);
        QCOMPARE(shownCall(w, 0, dashes), QStringLiteral("Pass"));
    }

    void callInTheLastWestCellStopsTheTurn()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, QStringLiteral("1"));
        // Twelve rounds of a bid and two passes fill all nine rows without ending the auction.
        for (int k = 0; k < 12; ++k)
            bid(w, { k, Pass, Pass });
        QCOMPARE(shownCall(w, 8, West), QStringLiteral("Pass"));
        const QStringList north = fieldTexts(w, North);
        board.messages.shown.clear();

        w.cmdDraai_Click();
        QCOMPARE(board.messages.shown,
            QStringList { QStringLiteral("Cannot turn the game over.\nA bid will be lost!\n\nAdjust the bidding.") });
        QCOMPARE(w.txtSpel->text(), QStringLiteral("1"));
        QCOMPARE(fieldTexts(w, North), north);
        QCOMPARE(rowCalls(w, 0), (QStringList { "1", "Pass", "Pass", "1" }));
        QCOMPARE(shownCall(w, 8, West), QStringLiteral("Pass"));

        // One call less and the last call, South's, moves into the last West cell.
        w.lblBB_Click(39);
        QCOMPARE(shownCall(w, 8, West), QString());
        w.cmdDraai_Click();
        QCOMPARE(w.txtSpel->text(), QStringLiteral("2"));
        QCOMPARE(shownCall(w, 8, West), QStringLiteral("Pass"));
        QCOMPARE(rowCalls(w, 0), (QStringList { "-", "1", "Pass", "Pass" }));
        QCOMPARE(fieldTexts(w, East), north);
    }

    void hiddenHandAndTenOptionStayWithTheBoard()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, QStringLiteral("1"));
        QTest::mouseClick(w.chkTien, Qt::LeftButton);
        const QStringList north = fieldTexts(w, North);
        const QStringList east = fieldTexts(w, East);
        QCOMPARE(north.last(), QStringLiteral("AK10"));
        const QString eastPoints = pointsCell(w, East);
        w.chkNietZichtbaar[South]->setChecked(false);
        QCOMPARE(fieldTexts(w, South), (QStringList { "", "", "", "" }));

        w.cmdDraai_Click();

        QVERIFY(w.chkTien->isChecked());
        QCOMPARE(fieldTexts(w, East), north);
        QCOMPARE(fieldTexts(w, South), (QStringList { "", "", "", "" }));
        QVERIFY(w.lblPunten[South]->isHidden());
        QCOMPARE(pointsCell(w, South), eastPoints);
        w.chkNietZichtbaar[South]->setChecked(true);
        QCOMPARE(fieldTexts(w, South), east);
    }
};

QTEST_MAIN(TestRotation)
#include "test_rotation.moc"
