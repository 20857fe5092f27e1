#include "base/profile.h"
#include "base/twips.h"
#include "resources/pictures.h"
#include "store/game_store.h"
#include "support/board_driver.h"
#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace briqo;

namespace {

// The value column stands 64 twips right of the widest caption (one pixel of rounding allowed).
void checkValueColumn(frmBordix &w)
{
    double widest = 0;
    for (QLabel *info : w.lblInfo)
        widest = std::max(widest, widthTw(info));
    QVERIFY(std::abs(w.InfoValueLeft - (leftTw(w.lblInfo[0]) + widest + 64)) < 1);
    for (int i = 0; i <= 5; ++i) {
        QVERIFY(std::abs(leftTw(w.lblVulin[i]) - w.InfoValueLeft) <= 15);
        QCOMPARE(w.lblVulin[i]->y(), w.lblInfo[i]->y());
    }
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void aChildWindowGivingBackTheActivationRunsTheActivation()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        typeGameNumber(w, QStringLiteral("1"));
        giveFocus(w.txtInvoer[2]);

        QWidget other; // a window that is not one of the board's child windows
        QWidget child;
        markAsChildWindow(&child);
        for (QWidget *window : {&other, &child}) {
            window->show();
            QApplication::setActiveWindow(window);
            QTRY_VERIFY(window->isActiveWindow());
            window->hide();
            QApplication::setActiveWindow(&w);
            QTRY_VERIFY(w.isActiveWindow());
            QCoreApplication::processEvents();
        }
        // Only the child window's return moves the focus to the game number.
        QTRY_COMPARE(QApplication::focusWidget(), w.txtSpel);
    }

    void resizingCentresTheWindow()
    {
        TestBoard board(11);
        frmBordix &w = shown(board);
        w.resize(300, 200);
        const QRect screen = w.screen()->geometry();
        QTRY_COMPARE(w.frameGeometry().center().x(), screen.center().x());
    }

    void startsInDutchWithoutSettingsFile()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QCOMPARE(w.LanguageNumber, 10);
        QCOMPARE(w.windowTitle(), QStringLiteral("Briqo 1.0.5"));
        QCOMPARE(w.lblInfo[5]->text(), QStringLiteral("Uitkomst:"));
        QCOMPARE(w.lblBB[40]->text(), QStringLiteral("Wis hele bieding"));
        QCOMPARE(pictureIdOf(w.picBB[4]), 110);
        QCOMPARE(pictureIdOf(w.picSymbool[6]), 103);
        QVERIFY(w.lblMakerNote[0]->text().endsWith(QLatin1String("2026")));
        checkValueColumn(w);
        QVERIFY(!w.txtInvoer[0]->isEnabled()); // the board's start, as the window shows it
    }

    void storedGamesAreListedAtStartEitherAtOnceOrJustAfterTheWindowShows()
    {
        TestBoard board;
        const GameStore store(board.folder(), LanguageDutch);
        for (long long n : {4, 17}) {
            Game game;
            game.number = n;
            game.auction = AuctionFile {};
            store.save(game);
        }
        frmBordix now(board->services(), board.folder());
        QCOMPARE(now.lstSpellen->count(), 2);

        frmBordix later(board->services(), board.folder(), nullptr, frmBordix::GameListAtStart::AfterShow);
        QCOMPARE(later.lstSpellen->count(), 0);
        QVERIFY(!later.cmdToonLijst->isEnabled());
        later.show();
        QTRY_COMPARE(later.lstSpellen->count(), 2);
        QCOMPARE(later.lstSpellen->item(0)->text(), QStringLiteral("Spel 004"));
        QVERIFY(later.cmdToonLijst->isEnabled());
        // The activation still follows: the caret waits in the game number.
        QApplication::setActiveWindow(&later);
        QVERIFY(QTest::qWaitForWindowActive(&later));
        QTRY_VERIFY(later.txtSpel->hasFocus());
    }

    void summaryGridShowsSeatsWithZeroesAndRedPoints()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QTableWidget *grid = w.msfgOverzicht;
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("Kaarten"));
        QCOMPARE(grid->item(0, 2)->text(), QStringLiteral("Punten"));
        for (int seat = 0; seat < 4; ++seat) {
            QCOMPARE(grid->item(seat + 1, 0)->text(), SeatName(seat, 10));
            QCOMPARE(grid->item(seat + 1, 1)->text(), QStringLiteral("0"));
            QCOMPARE(grid->item(seat + 1, 2)->text(), QStringLiteral("0"));
            QCOMPARE(grid->item(seat + 1, 2)->foreground().color(), QColor(255, 0, 0));
        }
        // Sized to its columns, its right edge on East's clubs field.
        int columns = 0;
        for (int c = 0; c < 3; ++c)
            columns += grid->columnWidth(c);
        QVERIFY(std::abs(grid->width() - columns) <= 2);
        QCOMPARE(grid->x() + grid->width(), w.picAchter[7]->x() + w.picAchter[7]->width());
    }

    void englishFlagSwitchesEveryCaptionAndIsRemembered()
    {
        TestBoard board;
        frmBordix &w = board.window();
        const double dutchColumn = w.InfoValueLeft;
        QTest::mouseClick(w.cmdTaal(11), Qt::LeftButton);

        QCOMPARE(w.LanguageNumber, 11);
        QCOMPARE(w.lblInfo[2]->text(), QStringLiteral("Vulnerable:"));
        QCOMPARE(w.lblBieding[1]->text(), QStringLiteral("East"));
        QCOMPARE(w.lblBB[35]->text(), QStringLiteral("Pass"));
        QCOMPARE(w.cmdVraagAntwoord->text(), QStringLiteral("Question and answer"));
        QCOMPARE(w.msfgOverzicht->item(0, 1)->text(), QStringLiteral("Cards"));
        QCOMPARE(w.cmdDownload->text().simplified(), QStringLiteral("Download update"));
        for (int k = 4; k < 35; k += 5)
            QCOMPARE(pictureIdOf(w.picBB[k]), 111);
        checkValueColumn(w);
        QVERIFY(w.InfoValueLeft != dutchColumn);

        QVERIFY(fileBytes(board.folder() + QStringLiteral("/taal.ini")).contains("[Taal]\r\nnummer=11\r\n"));
        QCOMPARE(w.txtSpel->text(), QString());
        QVERIFY(!w.cmdOpslaan->isEnabled());

        // North and South are centred on the board.
        for (int seat : {0, 2}) {
            const QLabel *name = w.lblWind[seat];
            QVERIFY(std::abs((name->x() + name->width() / 2.0) - w.picAlles->width() / 2.0) <= 1);
        }

        // After a finished auction of one row, a switch is a fresh start: every row is numbered.
        activate(w);
        typeSampleDeal(w, QStringLiteral("5"));
        bid(w, {0, 35, 35, 35});
        QVERIFY(w.lblNum[1]->isHidden());
        QTest::mouseClick(w.cmdTaal(10), Qt::LeftButton);
        for (const QLabel *row : w.lblNum)
            QVERIFY(row->isVisibleTo(w.fraBieding));
        QCOMPARE(w.lblInfo[2]->text(), QStringLiteral("Kwetsbaar:"));
        QCOMPARE(pictureIdOf(w.picBB[34]), 110);
        QVERIFY(std::abs(w.InfoValueLeft - dutchColumn) < 1);
    }

    void flagsRunThroughTheirFramesInStep()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QList<int> dutch;
        QList<int> british;
        for (int tick = 0; tick < 17; ++tick) {
            w.timVlaggen_Timer();
            dutch << w.cmdTaal(10)->property("pictureId").toInt();
            british << w.cmdTaal(11)->property("pictureId").toInt();
        }
        QCOMPARE(dutch.first(), 112);
        QCOMPARE(dutch.at(14), 126);
        QCOMPARE(dutch.at(15), 112);
        QCOMPARE(british.first(), 127);
        QCOMPARE(british.at(14), 141);
        QCOMPARE(british.at(16), 128);
    }

    void relayoutFollowsALowerAuctionFrame()
    {
        TestBoard board;
        frmBordix &w = board.window();
        w.VerplaatsObjecten();
        QList<double> before;
        for (QLabel *symbol : w.picSymbool)
            before << topTw(symbol);
        const double northName = topTw(w.lblWind[0]);

        setHeightTw(w.fraBieding, heightTw(w.fraBieding) - 1000);
        w.VerplaatsObjecten();
        for (int f = 0; f < 16; ++f) {
            QCOMPARE(topTw(w.picSymbool[f]), before[f] - 1005); // 1000 twips is 66.7 pixels: rounded to 67
            QCOMPARE(w.picAchter[f]->y(), w.picSymbool[f]->y());
        }
        for (int f : {1, 2, 3, 5, 6, 7, 9, 10, 11})
            QCOMPARE(topTw(w.picSymbool[f]) - topTw(w.picSymbool[f - 1]), 480.0);
        QCOMPARE(topTw(w.picSymbool[4]) - topTw(w.picSymbool[3]), 510.0);
        QCOMPARE(topTw(w.picSymbool[8]) - topTw(w.picSymbool[7]), 510.0);
        for (int f = 12; f < 16; ++f)
            QCOMPARE(w.picSymbool[f]->y(), w.picSymbool[f - 8]->y());
        QCOMPARE(topTw(w.lblWind[0]), northName - 1005);
        QCOMPARE(w.lblWind[3]->y(), w.lblWind[1]->y());
        QVERIFY(w.lblPunten[2]->y() < w.lblWind[2]->y());
    }

    void escapeEndsTheProgramFromAField()
    {
        TestBoard board;
        QTest::keyClick(board->txtSpel, Qt::Key_Escape);
        QVERIFY(board.ended);
    }

    void closingClearsTheClipboard()
    {
        TestBoard board;
        board.clipboard.setText(QStringLiteral("picture"));
        board->close();
        QCOMPARE(board.clipboard.text(), QString());
        QVERIFY(board.clipboard.clears > 0);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
