// The opening lead on the board: lead mode, the click on a card, the question, the lead line,
// the lead file and withdrawing the lead.

#include "lead_board.h"

#include "resources/pictures.h"
#include "shell/twips.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace briqo;
using namespace briqo::testing;

namespace {

QString leadFile(TestBoard &board, const QString &game)
{
    return board.folder() + QStringLiteral("/Spellen/Spel %1/Spel %1 Uitkomst.txt").arg(game);
}

// Game 1 in Dutch, South declares four hearts: West leads.
void southPlaysFourHearts(TestBoard &board)
{
    frmBordix &w = board.window();
    activate(w);
    typeDeal(w, QStringLiteral("1"));
    bid(w, { Pass, Pass, contractBid(4, HeartsStrain), Pass, Pass, Pass });
    QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("Zuid"));
    board.messages.shown.clear();
}

void startLeadMode(frmBordix &w)
{
    QCOMPARE(w.chkUitKomst->text(), w.ResString(69));
    QVERIFY(!w.chkUitKomst->isHidden());
    QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
    QVERIFY(w.chkUitKomst->isChecked());
}

} // namespace

class TestLead : public QObject {
    Q_OBJECT

private slots:
    void confirmedLeadIsShownStoredAndWithdrawn()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        southPlaysFourHearts(board);
        startLeadMode(w);
        for (int field = 0; field < FieldCount; ++field)
            QCOMPARE(w.txtInvoer[field]->isEnabled(), SeatOfField(field) == West);

        QLineEdit *westHearts = w.txtInvoer[FieldOf(West, Hearts)];
        QCOMPARE(westHearts->text(), QStringLiteral("H432"));
        clickCharacter(westHearts, 0);
        QCOMPARE(board.messages.shown, QStringList { QStringLiteral("West start met Harten Heer") });
        QCOMPARE(board.messages.titles.last(), w.windowTitle());

        // Dutch: "West - ", then the heart, then the card word.
        QVERIFY(!w.lblVulin[5]->isHidden() && !w.picUit->isHidden() && !w.lblVulin[6]->isHidden());
        QCOMPARE(w.lblVulin[5]->text(), QStringLiteral("West - "));
        QCOMPARE(pictureIdOf(w.picUit), 108);
        QCOMPARE(w.lblVulin[6]->text(), QStringLiteral("Heer"));
        QVERIFY(w.picUit->x() >= w.lblVulin[5]->geometry().right());
        QVERIFY(w.lblVulin[6]->x() > w.picUit->geometry().right());
        QCOMPARE(fileBytes(leadFile(board, QStringLiteral("001"))), QByteArray("West - 1Heer\r\n"));

        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Wis uitkomst"));
        QVERIFY(!w.chkUitKomst->isChecked());
        QVERIFY(!w.chkUitKomst->isHidden());
        QVERIFY(w.chkUitKomst->y() > w.lblVulin[5]->y());
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->isEnabled());

        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        QVERIFY(w.lblVulin[5]->isHidden() && w.picUit->isHidden() && w.lblVulin[6]->isHidden());
        QCOMPARE(w.lblVulin[5]->text(), QString());
        QCOMPARE(pictureIdOf(w.picUit), 0);
        QVERIFY(!QFile::exists(leadFile(board, QStringLiteral("001"))));
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Geef uitkomst"));
        QVERIFY(!w.chkUitKomst->isChecked());
        QVERIFY(w.picBiedBox->isEnabled());
        QCOMPARE(board.messages.shown.size(), 1); // withdrawing asks nothing
    }

    void refusedLeadLeavesNoLeadAndLeadModeGoesOn()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        southPlaysFourHearts(board);
        startLeadMode(w);

        board.messages.answers.enqueue(false);
        clickCharacter(w.txtInvoer[FieldOf(West, Spades)], 0);
        QCOMPARE(board.messages.shown, QStringList { QStringLiteral("West start met Schoppen 2") });
        QVERIFY(w.lblVulin[5]->isHidden() && w.picUit->isHidden() && w.lblVulin[6]->isHidden());
        QVERIFY(!QFile::exists(leadFile(board, QStringLiteral("001"))));
        QVERIFY(w.chkUitKomst->isChecked());

        // Past the last card there is no card to lead.
        QLineEdit *westClubs = w.txtInvoer[FieldOf(West, Clubs)];
        clickCharacter(westClubs, int(westClubs->text().size()));
        QCOMPARE(board.messages.shown.size(), 1);

        // Taking the tick away gives every hand back, not only the leader's.
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        QVERIFY(!w.chkUitKomst->isChecked());
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Geef uitkomst"));
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->isEnabled());
        clickCharacter(w.txtInvoer[FieldOf(West, Hearts)], 0);
        QCOMPARE(board.messages.shown.size(), 1); // no longer in lead mode
    }

    void tenWrittenTenIsLedFromEitherDigit_data()
    {
        QTest::addColumn<int>("position");
        QTest::newRow("click on the 1") << 2;
        QTest::newRow("click on the 0") << 3;
    }
    void tenWrittenTenIsLedFromEitherDigit()
    {
        QFETCH(int, position);
        TestBoard board(11);
        frmBordix &w = board.window();
        activate(w);
        typeDeal(w, QStringLiteral("1"));
        QTest::mouseClick(w.chkTien, Qt::LeftButton);
        QLineEdit *northClubs = w.txtInvoer[FieldOf(North, Clubs)];
        QCOMPARE(northClubs->text(), QStringLiteral("AK10"));
        board.messages.shown.clear();

        // Without an auction nobody is known to lead: every hand may be clicked.
        startLeadMode(w);
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->isEnabled());

        clickCharacter(northClubs, position);
        QCOMPARE(board.messages.shown, QStringList { QStringLiteral("North leads with the 10 of Clubs") });
        QCOMPARE(fileBytes(board.folder() + QStringLiteral("/Games/Game 001/Game 001 Lead.txt")),
            QByteArray("North - 3T\r\n"));
        // English: "North - 10", then the club.
        QCOMPARE(w.lblVulin[5]->text(), QStringLiteral("North - "));
        QCOMPARE(w.lblVulin[6]->text(), QStringLiteral("10"));
        QCOMPARE(pictureIdOf(w.picUit), 106);
        QVERIFY(w.lblVulin[6]->x() >= w.lblVulin[5]->geometry().right());
        QVERIFY(w.picUit->x() > w.lblVulin[6]->geometry().right());
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Delete lead"));
    }

    void tickLeftOnAClearedBoardDoesNotAskForALead()
    {
        TestBoard board(10);
        frmBordix &w = board.window();
        southPlaysFourHearts(board);
        startLeadMode(w);
        // A new game number clears the board and hides the box, which may keep its tick.
        typeGameNumber(w, QStringLiteral("2"));
        QVERIFY(w.chkUitKomst->isHidden());
        typeHolding(w, FieldOf(North, Spades), QStringLiteral("AH"));
        board.messages.shown.clear();
        clickCharacter(w.txtInvoer[FieldOf(North, Spades)], 0);
        QVERIFY(board.messages.shown.isEmpty());
    }
};

QTEST_MAIN(TestLead)
#include "test_lead.moc"
