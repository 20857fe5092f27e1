// The opening lead on the board: lead mode, the click on a card, the question, the lead line,
// the lead file and withdrawing the lead.

#include "lead_board.h"

using namespace briqo;
using namespace briqo::testing;

class TestLead : public QObject {
    Q_OBJECT

private slots:
    void leaderIsAskedThenLeadIsShownStoredAndWithdrawn()
    {
        // North declares four hearts, so East leads; "T as 10" is on.
        TestBoard board(11);
        frmBordix &w = board.window();
        startDeal(w, QStringLiteral("1"));
        bid(w, {FourHearts, Pass, Pass, Pass});
        QTest::mouseClick(w.chkTien, Qt::LeftButton);
        const QString leadFile = board.folder() + QStringLiteral("/Games/Game 001/Game 001 Lead.txt");
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        for (int field = 0; field < FieldCount; ++field)
            QCOMPARE(w.txtInvoer[field]->isEnabled(), SeatOfField(field) == East);
        board.messages.shown.clear();

        // No leaves no lead and lead mode goes on; a click past the last card asks nothing.
        board.messages.answers.enqueue(false);
        clickCharacter(w.txtInvoer[FieldOf(East, Hearts)], 0);
        QLineEdit *eastClubs = w.txtInvoer[FieldOf(East, Clubs)];
        clickCharacter(eastClubs, int(eastClubs->text().size()));
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("East leads with the Jack of Hearts")});
        QVERIFY(leadLineHidden(w) && !QFile::exists(leadFile));

        clickCharacter(w.txtInvoer[FieldOf(East, Spades)], 1); // the 0 of 10987
        QCOMPARE(board.messages.shown.last(), QStringLiteral("East leads with the 10 of Spades"));
        QCOMPARE(board.messages.titles.last(), w.windowTitle());
        verifyLeadLine(w, QStringLiteral("East"), QStringLiteral("10"), 109);
        QCOMPARE(fileBytes(leadFile), QByteArray("East - 0T\r\n"));
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->isEnabled());

        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton); // withdraws the lead, asking nothing
        QVERIFY(leadLineHidden(w) && !QFile::exists(leadFile));
        QVERIFY(w.lblVulin[5]->text().isEmpty() && pictureIdOf(w.picUit) == 0);
        QCOMPARE(w.chkUitKomst->text(), QStringLiteral("Give lead"));
        QVERIFY(!w.chkUitKomst->isChecked() && w.picBiedBox->isEnabled());
        QCOMPARE(board.messages.shown.size(), 2);
    }

    void leadModeEndsWhenTheTickIsTakenOrTheBoardCleared()
    {
        // In Dutch West declares four hearts: North, round the table, leads.
        TestBoard board(10);
        frmBordix &w = board.window();
        startDeal(w, QStringLiteral("1"));
        bid(w, {Pass, Pass, Pass, FourHearts, Pass, Pass, Pass});
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        for (int field = 0; field < FieldCount; ++field)
            QCOMPARE(w.txtInvoer[field]->isEnabled(), SeatOfField(field) == North);
        board.messages.shown.clear();

        // Taking the tick away gives every hand back, not only the leader's.
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        for (QLineEdit *field : w.txtInvoer)
            QVERIFY(field->isEnabled());
        clickCharacter(w.txtInvoer[FieldOf(North, Hearts)], 0);
        QVERIFY(board.messages.shown.isEmpty());

        // A new game number clears the board and hides the box, which may keep its tick.
        QTest::mouseClick(w.chkUitKomst, Qt::LeftButton);
        QVERIFY(w.chkUitKomst->isChecked());
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
