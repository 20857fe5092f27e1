// Turning the board a quarter turn: hands, points, calls, game number, dealer and the lead.

#include "lead_board.h"

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
        calls << (w.lblB[seat][row]->isHidden() ? QString() : w.lblB[seat][row]->text());
    return calls;
}

} // namespace

class TestRotation : public QObject {
    Q_OBJECT

private slots:
    void gameOneTurnsIntoGameTwoWithEastDeclaring()
    {
        TestBoard board(11);
        frmBordix &w = board.window();
        startDeal(w, QStringLiteral("1"));
        bid(w, {OneHeart, Pass, Pass, Pass});
        // East leads, so that game 1 has a lead file and a lead on display.
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        clickCharacter(w.txtInvoer[FieldOf(East, Spades)], 0);
        const QString lead1 = board.folder() + QStringLiteral("/Games/Game 001/Game 001 Lead.txt");
        QVERIFY(QFile::exists(lead1));
        const QStringList north = fieldTexts(w, North);

        QTest::mouseClick(w.cmdDraai, Qt::LeftButton);

        QCOMPARE(w.txtSpel->text(), QStringLiteral("2"));
        QCOMPARE(rowCalls(w, 0), (QStringList {"-", "1", "Pass", "Pass"}));
        QCOMPARE(pictureIdOf(w.picB[East][0]), 108);
        QCOMPARE(fieldTexts(w, East), north);
        QCOMPARE(w.lblPunten[East]->text(), QStringLiteral("(37)"));

        // The new dealer and declarer; the contract is stored for game 2.
        QCOMPARE(w.lblVulin[1]->text(), QStringLiteral("East"));
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("East"));
        QCOMPARE(fileBytes(board.folder() + QStringLiteral("/Games/Game 002/Game 002 Contract.txt")),
            QByteArray("East 1 Hearts\r\n"));

        // The lead is not carried over: its file is gone and nothing of it is shown.
        QVERIFY(!QFile::exists(lead1));
        QVERIFY(leadLineHidden(w) && !w.chkUitKomst->isHidden() && !w.chkUitKomst->isChecked());
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Give lead"));
        QCOMPARE(w.txtNieuwNummer->text(), QStringLiteral("002"));
    }
};

QTEST_MAIN(TestRotation)
#include "test_rotation.moc"
