#include "base/twips.h"
#include "store/text_file.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

using namespace briqo;

class TestGameStoreWindow : public QObject {
    Q_OBJECT

private slots:
    void gameNumberSetsUpDealerVulnerabilityAndDashes_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<int>("dashes");
        QTest::addColumn<QString>("dealer");
        QTest::addColumn<QString>("vulnerable");
        QTest::newRow("7 South") << "7" << 2 << "Zuid"
                                 << "Allen";
        QTest::newRow("8 West") << "8" << 3 << "West"
                                << "Niemand";
    }
    void gameNumberSetsUpDealerVulnerabilityAndDashes()
    {
        QFETCH(QString, game);
        QFETCH(int, dashes);
        QFETCH(QString, dealer);
        QFETCH(QString, vulnerable);
        TestBoard board;
        frmBordix &w = shown(board);
        typeGameNumber(w, game);
        QCOMPARE(w.lblVulin[1]->text(), dealer);
        QCOMPARE(w.lblVulin[2]->text(), vulnerable);
        for (int seat = 0; seat < 4; ++seat) {
            QCOMPARE(w.lblB[seat][0]->isVisible(), seat < dashes);
            if (seat < dashes)
                QCOMPARE(w.lblB[seat][0]->text(), QStringLiteral("-"));
        }
        QVERIFY(w.txtInvoer[15]->isEnabled());
    }

    void gameNumberTakesDigitsOnlyAndZeroIsNoGame()
    {
        TestBoard board;
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("a-12345"));
        QCOMPARE(w.txtSpel->text(), QStringLiteral("123"));
        typeGameNumber(w, QStringLiteral("00"));
        QVERIFY(w.lblVulin[1]->isHidden());
        QVERIFY(w.lblVulin[2]->isHidden());
        QVERIFY(!w.picBiedBox->isEnabled());
        typeGameNumber(w, QStringLiteral("0"));
        giveFocus(w.txtInvoer[0]);
        QCOMPARE(w.txtSpel->text(), QString());
        QVERIFY(!w.cmdToonBMP->isEnabled());
    }

    void savedGameIsWrittenByteForByteListedAndLoadsBack()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("7"));
        w.chkTien->setChecked(true);
        QTest::mouseClick(w.cmdOpslaan, Qt::LeftButton);

        const QString folder = board.folder() + QStringLiteral("/Games/Game 007/");
        const QByteArray auction = fileBytes(folder + QStringLiteral("Game 007 bidding.txt"));
        QCOMPARE(auction.count("\r\n"), 37);
        QVERIFY(auction.startsWith("\r\n-~~\r\n")); // South deals: North's first cell is "-"
        QCOMPARE(fileBytes(folder + QStringLiteral("Game 007 hands.txt")),
            QByteArray("AKQJ\r\nAKQ\r\nAKQ\r\nAKQ\r\nT987\r\nJT9\r\nJT9\r\nJT9\r\n6543\r\n876\r\n876\r\n876\r\n"
                       "2\r\n5432\r\n5432\r\n5432\r\n"));
        QVERIFY(!w.chkTien->isChecked());
        QCOMPARE(w.txtSpel->text(), QStringLiteral("8"));
        QCOMPARE(w.msfgOverzicht->item(North + 1, 1)->text(), QStringLiteral("0")); // the next board is empty
        QCOMPARE(listedGames(w), QStringList {QStringLiteral("Game 007")});
        QVERIFY(w.txtInvoer[0]->text().isEmpty());

        QVERIFY(selectGame(w, QStringLiteral("Game 007")));
        QTest::mouseClick(w.cmdLeesSpel, Qt::LeftButton);
        QCOMPARE(w.txtSpel->text(), QStringLiteral("7"));
        QCOMPARE(w.txtInvoer[12]->text(), QStringLiteral("2"));
        QCOMPARE(w.lblB[North][0]->text(), QStringLiteral("-"));
        QVERIFY(w.cmdOpslaan->isEnabled());
    }

    void yesToSavingWhileLoadingLoadsTheChosenGame()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("7"));
        w.cmdOpslaan_Click();
        // Game 3 with a call that was not saved, then game 7 chosen in the list.
        typeSampleDeal(w, QStringLiteral("3"));
        bid(w, {0});
        QVERIFY(w.board().unsavedChanges());
        QVERIFY(selectGame(w, QStringLiteral("Game 007")));
        board.messages.answers.enqueue(true); // save the board first
        board.messages.answers.enqueue(true); // and overwrite game 7 with it
        w.cmdLeesSpel_Click();
        QCOMPARE(w.txtSpel->text(), QStringLiteral("7"));
        QCOMPARE(w.txtNieuwNummer->text(), QStringLiteral("007"));
        QCOMPARE(w.board().auction().CallKinds(), QStringLiteral("1")); // the board saved under 7 is shown
        QVERIFY(!QFileInfo::exists(board.folder() + QStringLiteral("/Games/Game 008")));
    }

    void overwriteAsksAndNoKeepsTheStoredGame()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("5"));
        w.cmdOpslaan_Click();
        const QString hands = board.folder() + QStringLiteral("/Games/Game 005/Game 005 hands.txt");
        const QByteArray first = fileBytes(hands);

        selectGame(w, QStringLiteral("Game 005"));
        w.cmdLeesSpel_Click();
        w.chkNietZichtbaar[North]->setChecked(false); // the saved hands come from the hand lists
        w.chkTien->setChecked(true);
        board.messages.shown.clear();
        board.messages.answers.enqueue(false);
        w.cmdOpslaan_Click();
        QCOMPARE(board.messages.shown,
            QStringList {QStringLiteral("Game 005 already exists!\nDo you want to overwrite Game 005?")});
        QCOMPARE(fileBytes(hands), first);
        QCOMPARE(w.txtInvoer[4]->text(), QStringLiteral("T987"));
        QVERIFY(!w.chkTien->isChecked());
        QCOMPARE(w.txtSpel->text(), QStringLiteral("5"));

        board.messages.answers.enqueue(true);
        w.cmdOpslaan_Click();
        QCOMPARE(fileBytes(hands), first); // the hidden hand is saved from its list
        QCOMPARE(w.txtSpel->text(), QStringLiteral("6"));
        typeSampleDeal(w, QStringLiteral("999"));
        w.cmdOpslaan_Click();
        QCOMPARE(w.txtSpel->text(), QString()); // no game after 999
    }

    void unsavedCallsAreOfferedForSavingOnANewNumber()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("5"));
        bid(w, {0}); // North opens one club
        QVERIFY(w.board().unsavedChanges());
        board.messages.shown.clear();
        board.messages.answers.enqueue(true);
        typeGameNumber(w, QStringLiteral("6"));
        QCOMPARE(board.messages.shown.value(0),
            QStringLiteral(
                "You have not yet clicked the Save game button.\nIf you want to save the game, click the Yes button"));
        // Saved under the number in the field, which then moves on.
        QVERIFY(QFile::exists(board.folder() + QStringLiteral("/Games/Game 006/Game 006 bidding.txt")));
        QCOMPARE(w.txtSpel->text(), QStringLiteral("7"));
        QVERIFY(!w.board().unsavedChanges());
    }

    void listSortsEitherWayAndRemembersIt()
    {
        TestBoard board;
        frmBordix &w = board.window();
        const QString root = board.folder() + QStringLiteral("/Spellen/");
        for (const char *game : {"Spel 012", "Spel 003", "Spel 140"}) {
            QDir().mkpath(root + QLatin1String(game));
            QVERIFY(writeTextLines(
                root + QLatin1String(game) + QLatin1Char('/') + QLatin1String(game) + QStringLiteral(" bieding.txt"),
                QStringList(37, QStringLiteral("~~"))));
        }
        QDir().mkpath(root + QStringLiteral("Spel 007"));
        QVERIFY(
            writeTextLines(root + QStringLiteral("Spel 007/Spel 007 Uitkomst.txt"), {QStringLiteral("Oost - 1Heer")}));
        QVERIFY(writeTextLines(
            root + QStringLiteral("Spel 012/Spel 012 Contract.txt"), {QStringLiteral("Zuid 4 Schoppen")}));
        w.LeesSpellen();
        QCOMPARE(listedGames(w), (QStringList {"Spel 003", "Spel 012", "Spel 140"}));
        QVERIFY(w.cmdToonLijst->isEnabled());

        w.chkSorteer->setChecked(true);
        QCOMPARE(listedGames(w), (QStringList {"Spel 140", "Spel 012", "Spel 003"}));
        QCOMPARE(w.chkSorteer->text(), QStringLiteral("Sorteer laag naar hoog"));
        QVERIFY(fileBytes(board.folder() + QStringLiteral("/taal.ini")).contains("[Sorteer Spellen]\r\nHoe=1\r\n"));

        selectGame(w, QStringLiteral("Spel 012"));
        QCOMPARE(w.fraSpellen->title(), QStringLiteral("Spel 12: Zuid 4 Schoppen"));
        QCOMPARE(w.chosenEntry(), QStringLiteral("Spel 012"));
        selectGame(w, QStringLiteral("Spel 003"));
        QCOMPARE(w.fraSpellen->title(), QStringLiteral("Spellen"));
    }

    void renumberToolOffersNumbersOfTheSameDealer()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("5"));
        w.cmdOpslaan_Click();
        selectGame(w, QStringLiteral("Game 005"));
        w.cmdLeesSpel_Click();
        QCOMPARE(w.lstNummerHelp.at(w.vscrNieuwNummer->value()), QStringLiteral("005"));

        w.vscrNieuwNummer->setValue(w.vscrNieuwNummer->value() + 1);
        QCOMPARE(w.txtNieuwNummer->text(), QStringLiteral("001"));
        QCOMPARE(w.txtSpel->text(), QStringLiteral("1"));
        QCOMPARE(w.txtInvoer[0]->text(), QStringLiteral("AKQJ")); // the deal stays on the board
        QCOMPARE(w.lblVulin[1]->text(), QStringLiteral("North"));

        w.cmdOpslaan_Click();
        QVERIFY(QFile::exists(board.folder() + QStringLiteral("/Games/Game 001/Game 001 hands.txt")));
    }
};

QTEST_MAIN(TestGameStoreWindow)
#include "test_game_store_window.moc"
