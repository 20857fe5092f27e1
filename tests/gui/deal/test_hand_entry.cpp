#include "base/twips.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace briqo;

class TestHandEntry : public QObject {
    Q_OBJECT

private slots:
    void cardHeldInAnotherHandIsRefusedByName()
    {
        // The message in each language is the board's test; here it comes up over the window.
        TestBoard board(10);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("3"));
        typeHolding(w, FieldOf(North, Hearts), QStringLiteral("h"));
        giveFocus(w.txtInvoer[FieldOf(East, Hearts)]);
        QTest::keyClicks(w.txtInvoer[FieldOf(East, Hearts)], QStringLiteral("h"));
        QCOMPARE(w.txtInvoer[FieldOf(East, Hearts)]->text(), QString());
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("\"Heer Harten\" heeft u al een keer gebruikt.")});
        QCOMPARE(board.messages.titles.first(), w.windowTitle());
    }

    void fourteenthCardIsRefusedNamingTheSeat()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("2"));
        typeHolding(w, FieldOf(West, Spades), QStringLiteral("AKQJT98"));
        typeHolding(w, FieldOf(West, Hearts), QStringLiteral("765432"));
        QCOMPARE(w.msfgOverzicht->item(West + 1, 1)->text(), QStringLiteral("13"));
        QLineEdit *clubs = w.txtInvoer[FieldOf(West, Clubs)];
        giveFocus(clubs);
        QTest::keyClicks(clubs, QStringLiteral("a"));
        QCOMPARE(clubs->text(), QString());
        QCOMPARE(board.messages.shown,
            QStringList {QStringLiteral(" West has 13 cards \n If he gets more, you must call the arbiter.")});
        QCOMPARE(w.msfgOverzicht->item(West + 1, 1)->background().color(), QColor(0, 255, 0));

        // Backspace still works in a full hand.
        QLineEdit *hearts = w.txtInvoer[FieldOf(West, Hearts)];
        giveFocus(hearts);
        hearts->end(false);
        QTest::keyClick(hearts, Qt::Key_Backspace);
        QCOMPARE(hearts->text(), QStringLiteral("76543"));
    }

    void tabArrowsAndEnterMoveBetweenTheFields()
    {
        TestBoard board;
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("1"));
        QTest::keyClick(w.txtSpel, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.txtInvoer[0]);
        QTest::keyClick(w.txtInvoer[0], Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), w.txtInvoer[15]);
        QTest::keyClick(w.txtInvoer[15], Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), w.txtInvoer[0]);
        QTest::keyClick(w.txtInvoer[0], Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txtInvoer[1]);
        // The field with the focus and its box are highlighted, and its seat's name is bold.
        QCOMPARE(backColour(w.txtInvoer[1]), 0xFFC0C0u);
        QCOMPARE(backColour(w.picAchter[1]), 0xFFC0C0u);
        QCOMPARE(backColour(w.txtInvoer[0]), 0xFFFFFFu);
        QVERIFY(w.lblWind[North]->font().bold() && !w.lblWind[West]->font().bold());
    }

    void onlyAFocusMoveInsideTheWindowSortsOrCompletes()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("1"));
        // West's clubs were completed; take them back and type them unsorted.
        QLineEdit *clubs = w.txtInvoer[FieldOf(West, Clubs)];
        giveFocus(clubs);
        clubs->selectAll();
        QTest::keyClick(clubs, Qt::Key_Delete);
        QTest::keyClicks(clubs, QStringLiteral("253"));
        board.messages.shown.clear();
        // A message box coming up, or another program taking over, is no focus move.
        for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
            QFocusEvent away(QEvent::FocusOut, reason);
            QCoreApplication::sendEvent(clubs, &away);
        }
        QCOMPARE(clubs->text(), QStringLiteral("253"));
        QCOMPARE(board.messages.shown, QStringList {});
        giveFocus(w.txtInvoer[0]);
        QCOMPARE(clubs->text(), QStringLiteral("532"));
    }

    void aWrittenHoldingIsNeverCutAtTheTypingLimit()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("1"));
        typeHolding(w, FieldOf(North, Spades), QStringLiteral("AKQJT98765432"));
        QLineEdit *spades = w.txtInvoer[FieldOf(North, Spades)];
        QCOMPARE(spades->text(), QStringLiteral("AKQJT98765432"));
        typeHolding(w, FieldOf(East, Hearts), QStringLiteral("AKQJT98765432"));
        typeHolding(w, FieldOf(South, Diamonds), QStringLiteral("AKQJT98765432"));
        QTRY_COMPARE(w.txtInvoer[FieldOf(West, Clubs)]->text(), QStringLiteral("AKQJT98765432"));
        w.chkTien->click();
        QCOMPARE(spades->text(), QStringLiteral("AKQJ1098765432"));
        QCOMPARE(w.txtInvoer[FieldOf(West, Clubs)]->text(), QStringLiteral("AKQJ1098765432"));
        w.chkTien->click();
        QCOMPARE(spades->text(), QStringLiteral("AKQJT98765432"));
        QVERIFY(!board.keys.sent.empty()); // the caret moves went through the keystroke sender
    }

    void threeHandsCompleteTheFourth()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w);
        QCOMPARE(w.txtInvoer[12]->text(), QStringLiteral("2"));
        QCOMPARE(w.txtInvoer[13]->text(), QStringLiteral("5432"));
        QCOMPARE(w.txtInvoer[15]->text(), QStringLiteral("5432"));
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("Game ready.")});
        for (QWidget *c : std::initializer_list<QWidget *> {w.cmdKopie, w.cmdDrukSpelAf, w.cmdOpslaan, w.chkTien,
                 w.chkPunten, w.cmdDraai, w.cmdVraagAntwoord, w.cmdNaarKlembord, w.picBiedBox, w.franietZichtbaar})
            QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
        QVERIFY(!w.chkUitKomst->isHidden());
        QCOMPARE(w.msfgOverzicht->item(West + 1, 1)->text(), QStringLiteral("13"));
        QCOMPARE(w.msfgOverzicht->item(North + 1, 2)->text(), QStringLiteral("37"));
        QCOMPARE(w.lblPunten[East]->text(), QStringLiteral("(3)"));
        QTRY_COMPARE(QApplication::focusWidget(), w.txtInvoer[0]);
    }

    void emptyNorthIsCompletedAndTakesTheFocusToItsClubs()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("1"));
        // East, South and West typed; North (spades AKQJ, AKQ in the others) is what is left.
        const QStringList west = {"2", "5432", "5432", "5432"};
        for (int field = 4; field < 12; ++field)
            typeHolding(w, field, sampleDeal().at(field));
        for (int suit = 0; suit < 4; ++suit)
            typeHolding(w, 12 + suit, west.at(suit));
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AKQJ"));
        QTRY_COMPARE(QApplication::focusWidget(), w.txtInvoer[3]);
    }

    void pastedDuplicateNeverMakesACompleteDeal()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w);
        board.messages.shown.clear();
        // A paste bypasses the key filter: West's spade 2 becomes a second ace of spades.
        giveFocus(w.txtInvoer[12]);
        w.txtInvoer[12]->selectAll();
        w.txtInvoer[12]->insert(QStringLiteral("a"));
        QCOMPARE(w.txtInvoer[12]->text(), QStringLiteral("A"));
        QCOMPARE(board.messages.shown.size(), 1);
        QVERIFY(board.messages.shown.first().startsWith(QLatin1String("This deal holds a card twice")));
        QVERIFY(!w.cmdOpslaan->isEnabled());
        QVERIFY(!w.picBiedBox->isEnabled());
    }

    void hiddenHandsComeBackWithTheirTensAndKeepTheirPointsHidden()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w);
        w.chkTien->setChecked(true);
        QCOMPARE(w.txtInvoer[4]->text(), QStringLiteral("10987"));

        w.chkNietZichtbaar[East]->setChecked(false);
        for (int suit = 0; suit < 4; ++suit)
            QCOMPARE(w.txtInvoer[FieldOf(East, suit)]->text(), QString());
        QVERIFY(w.lblPunten[East]->isHidden());
        QVERIFY(w.cmdOpslaan->isEnabled()); // the deal counts as complete while a hand is hidden
        w.chkNietZichtbaar[East]->setChecked(true);
        QCOMPARE(w.txtInvoer[4]->text(), QStringLiteral("10987"));
        QCOMPARE(w.txtInvoer[5]->text(), QStringLiteral("J109"));

        w.chkTien->setChecked(false);
        QCOMPARE(w.txtInvoer[4]->text(), QStringLiteral("T987"));
        QCOMPARE(w.holdings()[4], QStringLiteral("T987"));

        // Points come back for the shown hands only.
        w.chkNietZichtbaar[West]->setChecked(false);
        w.chkPunten->setChecked(false);
        QVERIFY(w.lblPunten[North]->isHidden());
        w.chkPunten->setChecked(true);
        QVERIFY(!w.lblPunten[North]->isHidden() && !w.lblPunten[East]->isHidden());
        QVERIFY(w.lblPunten[West]->isHidden());
    }
};

QTEST_MAIN(TestHandEntry)
#include "test_hand_entry.moc"
