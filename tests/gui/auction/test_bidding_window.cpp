#include "base/twips.h"
#include "resources/pictures.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace briqo;

namespace {

constexpr int OneClub = 0;
constexpr int OneHeart = 2;
constexpr int OneSpade = 3;
constexpr int FourHearts = 17;
constexpr int Pass = 35;
constexpr int Double = 36;
constexpr int Number = 38;
constexpr int DeleteLast = 39;
constexpr int DeleteAll = 40;

} // namespace

class TestBiddingWindow : public QObject {
    Q_OBJECT

private slots:
    void callsFillTheGridAndLowerBidsLeaveTheBox()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("2")); // East deals: North's first cell is "-"
        QTest::mouseClick(w.lblBB[OneHeart], Qt::LeftButton);
        QCOMPARE(w.lblB[East][0]->text(), QStringLiteral("1"));
        QVERIFY(w.picB[East][0]->isVisible());
        QCOMPARE(pictureIdOf(w.picB[East][0]), 108);
        QCOMPARE(w.board().auction().cell(0, East).code, QStringLiteral("2"));
        for (int k = 0; k <= OneHeart; ++k)
            QVERIFY(w.picBBA[k]->isHidden());
        QVERIFY(!w.picBBA[OneSpade]->isHidden());
        // Clicking the picture of a button is the same call.
        QTest::mouseClick(w.picBB[OneSpade], Qt::LeftButton);
        QCOMPARE(w.lblB[South][0]->text(), QStringLiteral("1"));
        QCOMPARE(pictureIdOf(w.picB[South][0]), 109);
        bid(w, {Double});
        QCOMPARE(w.lblB[West][0]->text(), QStringLiteral("DBL"));
        QVERIFY(w.picB[West][0]->isHidden());
        QVERIFY(w.board().unsavedChanges());
        QVERIFY(!w.cmdKopie->isEnabled()); // no picture while the auction is under way
    }

    void finishedAuctionShowsContractAndWritesItsFile_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("declarer");
        QTest::addColumn<QByteArray>("contractFile");
        QTest::newRow("Dutch") << 10 << "Noord" << QByteArray("Spellen/Spel 001/Spel 001 Contract.txt");
        QTest::newRow("English") << 11 << "North" << QByteArray("Games/Game 001/Game 001 Contract.txt");
    }
    void finishedAuctionShowsContractAndWritesItsFile()
    {
        QFETCH(int, language);
        QFETCH(QString, declarer);
        QFETCH(QByteArray, contractFile);
        TestBoard board(language);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("1"));
        // North opens one heart, South raises to four, and North named hearts first.
        bid(w, {OneHeart, Number, Pass, FourHearts, Pass, Pass, Pass});
        QCOMPARE(w.lblA[North][0]->text(), QStringLiteral("(1)"));
        QVERIFY(w.lblA[North][0]->isVisible());
        QCOMPARE(w.lblVulin[3]->text(), QStringLiteral("4"));
        QCOMPARE(pictureIdOf(w.picEind), 108);
        QVERIFY(w.picEind->isVisible());
        QCOMPARE(w.lblVulin[4]->text(), declarer);
        QVERIFY(!w.picBiedBox->isEnabled());
        QVERIFY(w.lblNum[1]->isVisible());
        for (int row = 2; row < 9; ++row)
            QVERIFY(w.lblNum[row]->isHidden());
        QCOMPARE(w.AuctionBottom, 570.0 + 300 + 270 + 128);
        const QString expected = (language == 10 ? QStringLiteral("Noord 4 Harten") : QStringLiteral("North 4 Hearts"));
        QCOMPARE(fileBytes(board.folder() + QLatin1Char('/') + QString::fromLatin1(contractFile)),
            expected.toLatin1() + "\r\n");
        QCOMPARE(w.declarer(), std::optional<int>(0));
    }

    void passedOutShowsPassAndWritesNoContract()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("3"));
        bid(w, {Pass, Pass, Pass});
        bid(w, {Pass});
        QCOMPARE(w.lblVulin[3]->text(), QStringLiteral("Pass"));
        QVERIFY(w.picEind->isHidden());
        QVERIFY(!w.picBiedBox->isEnabled());
        QVERIFY(!QFile::exists(board.folder() + QStringLiteral("/Games/Game 003/Game 003 Contract.txt")));
    }

    void deletingTheLastCallReopensTheBox()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("4")); // West deals
        bid(w, {OneClub, Pass, OneSpade}); // West, North, East
        QCOMPARE(w.lblB[East][1]->text(), QStringLiteral("1"));
        bid(w, {DeleteLast});
        QVERIFY(w.lblB[East][1]->isHidden());
        QCOMPARE(w.lblB[North][1]->text(), QStringLiteral("Pass"));
        QVERIFY(w.picBBA[1]->isVisible()); // one diamond is on offer again
        QVERIFY(w.picBBA[0]->isHidden());
        QVERIFY(!w.cmdOpslaan->isEnabled());
    }

    void deletingTheWholeAuctionAsksFirst()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("6")); // East deals
        bid(w, {OneHeart, Pass, Pass, Pass});
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("East"));
        board.messages.shown.clear();

        board.messages.answers.enqueue(false);
        bid(w, {DeleteAll});
        QCOMPARE(board.messages.shown, QStringList {QStringLiteral("Clear the entire bidding.\nAre you Sure?")});
        QCOMPARE(w.board().auction().CallKinds(), QStringLiteral("1222"));
        QVERIFY(w.lblB[East][0]->isVisible());

        board.messages.answers.enqueue(true);
        bid(w, {DeleteAll});
        QCOMPARE(w.board().auction().CallKinds(), QString());
        QCOMPARE(w.lblB[North][0]->text(), QStringLiteral("-"));
        QVERIFY(w.lblB[East][0]->isHidden());
        QVERIFY(w.lblVulin[4]->isHidden());
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AKQJ")); // the hands stay
        QVERIFY(w.cmdOpslaan->isEnabled());
        bid(w, {OneClub});
        QCOMPARE(w.lblB[East][0]->text(), QStringLiteral("1"));
    }

    void savedHalfAuctionIsReloadedAndContinued()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("1"));
        bid(w, {OneHeart, Number, Double, Pass});
        w.cmdOpslaan_Click();
        QVERIFY(selectGame(w, QStringLiteral("Game 001")));
        w.cmdLeesSpel_Click();
        QCOMPARE(w.board().auction().CallKinds(), QStringLiteral("132"));
        QCOMPARE(w.lblB[East][0]->text(), QStringLiteral("DBL"));
        QCOMPARE(w.lblA[North][0]->text(), QStringLiteral("(1)"));
        QVERIFY(w.picBBA[OneHeart + 1]->isVisible());
        bid(w, {OneSpade, Number});
        QCOMPARE(w.lblA[West][0]->text(), QStringLiteral("(2)")); // notes go on after the stored ones
        bid(w, {Pass, Pass, Pass});
        QCOMPARE(w.lblVulin[4]->text(), QStringLiteral("West"));
        QCOMPARE(w.store().load(w.currentGameNumber()).contract, QStringLiteral("West 1 Spades"));
    }
};

QTEST_MAIN(TestBiddingWindow)
#include "test_bidding_window.moc"
