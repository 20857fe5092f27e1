// The double-dummy table on the board: worked out in the background when the deal is complete,
// gone as soon as the deal changes, and in the picture only when the option asks for it.

#include "picture_board.h"

#include "analysis/double_dummy_cache.h"
#include "analysis/double_dummy_worker.h"
#include "base/profile.h"
#include "base/twips.h"
#include "output/board_picture.h"
#include "store/game.h"
#include "store/game_store.h"
#include "support/child_windows.h"
#include "ui/board/double_dummy_block.h"
#include "ui/overview/overview_window.h"

#include <QProgressDialog>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace briqo;
using namespace briqo::testing;

namespace {

constexpr int EastSpades = 4;
constexpr int SouthSpades = 8;

// The sample deal gives North every top card: in no trump North-South take all thirteen tricks,
// and par is the grand slam there.
void verifySampleTable(const DoubleDummyResult &result)
{
    for (int strain = 0; strain < StrainCount; ++strain) {
        // Declarer's tricks and the defenders' make thirteen, whichever partner declares.
        QCOMPARE(result.tricks[strain][North] + result.tricks[strain][East], 13);
        QCOMPARE(result.tricks[strain][South] + result.tricks[strain][West], 13);
    }
    QCOMPARE(result.tricks[NoTrumpStrain], (std::array<int, 4> {13, 0, 13, 0}));
    QCOMPARE(result.parContracts.size(), 1);
    QCOMPARE(result.parContracts.first().level, 7);
    QCOMPARE(result.parContracts.first().strain, int(NoTrumpStrain));
}

bool waitForTable(QSignalSpy &spy, int count = 1)
{
    while (spy.size() < count)
        if (!spy.wait(20000))
            return false;
    QCoreApplication::processEvents();
    return true;
}

// Controls of the window that the block would hide: every visible control without visible
// children of its own, on the board or around it.
QStringList coveredBy(frmBordix &w, const QWidget *block)
{
    const QRect area(block->mapTo(&w, QPoint(0, 0)), block->size());
    QStringList covered;
    for (QWidget *control : w.findChildren<QWidget *>()) {
        if (control == block || !control->isVisible() || control->isWindow())
            continue;
        const bool leaf = std::none_of(control->children().begin(), control->children().end(),
            [](QObject *child) { return child->isWidgetType() && static_cast<QWidget *>(child)->isVisible(); });
        if (leaf && QRect(control->mapTo(&w, QPoint(0, 0)), control->size()).intersects(area))
            covered << control->metaObject()->className() + QStringLiteral(" ") + control->objectName();
    }
    return covered;
}

} // namespace

class TestDoubleDummyBoard : public QObject {
    Q_OBJECT

private slots:
    void aCompleteDealShowsItsTableOnceWorkedOut()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QSignalSpy finished(w.doubleDummyWorker(), &DoubleDummyWorker::finished);
        activate(w);
        typeSampleDeal(w, QStringLiteral("5"));
        QVERIFY(waitForTable(finished));

        const DoubleDummyBlock *block = w.picAlles->doubleDummyBlock;
        QVERIFY(block->isVisible());
        QVERIFY(block->result());
        verifySampleTable(*block->result());
        // Game 5: North-South vulnerable.
        QCOMPARE(block->result()->parScore, 2220);
        QCOMPARE(block->parLines(), (QStringList {"Par", "NZ +2220", "7SA NZ"}));
        QCOMPARE(coveredBy(w, block), QStringList());
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            w.grab().save(QString::fromLocal8Bit(shots) + QStringLiteral("/dd_board.png"));

        // Taking a card away clears the table at once; the same deal again shows the same table.
        giveFocus(w.txtInvoer[EastSpades]);
        QTest::keyClick(w.txtInvoer[EastSpades], Qt::Key_Backspace);
        QCOMPARE(w.txtInvoer[EastSpades]->text(), QStringLiteral("T98"));
        QVERIFY(block->isHidden());
        typeHolding(w, EastSpades, QStringLiteral("7"));
        QTRY_VERIFY(block->isVisible());
        QCOMPARE(finished.size(), 1);

        // Another deal is worked out afresh: East and South swap the seven and the three of spades.
        giveFocus(w.txtInvoer[EastSpades]);
        QTest::keyClick(w.txtInvoer[EastSpades], Qt::Key_Backspace);
        giveFocus(w.txtInvoer[SouthSpades]);
        QTest::keyClick(w.txtInvoer[SouthSpades], Qt::Key_Backspace);
        typeHolding(w, EastSpades, QStringLiteral("3"));
        typeHolding(w, SouthSpades, QStringLiteral("7"));
        QCOMPARE(w.txtInvoer[SouthSpades]->text(), QStringLiteral("7654"));
        // The new deal's table is worked out from its last card on; until it is there, none shows.
        QVERIFY(block->isHidden() || finished.size() == 2);
        QVERIFY(waitForTable(finished, 2));
        QVERIFY(block->isVisible());
        verifySampleTable(*block->result());

        // A new game number empties the board, and the table with it.
        typeGameNumber(w, QStringLiteral("6"));
        QVERIFY(DoubleDummyWorker::waitForIdle(20000));
        QCoreApplication::processEvents();
        QVERIFY(block->isHidden());
        QCOMPARE(finished.size(), 2);
    }

    void aTableOfADealThatChangedIsNeverShown()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QSignalSpy finished(w.doubleDummyWorker(), &DoubleDummyWorker::finished);
        activate(w);
        typeSampleDeal(w, QStringLiteral("1"));
        // The card goes, mostly before the solver has finished the complete deal; on a quick
        // machine its answer may come first, and then the change takes it away again.
        giveFocus(w.txtInvoer[EastSpades]);
        QTest::keyClick(w.txtInvoer[EastSpades], Qt::Key_Backspace);
        QVERIFY(w.picAlles->doubleDummyBlock->isHidden());
        QVERIFY(DoubleDummyWorker::waitForIdle(20000));
        QCoreApplication::processEvents();
        // An answer for the complete deal may still arrive; it is not shown for the changed one.
        QVERIFY(w.picAlles->doubleDummyBlock->isHidden());
    }

    void hidingAHandKeepsTheTable()
    {
        TestBoard board;
        frmBordix &w = board.window();
        QSignalSpy finished(w.doubleDummyWorker(), &DoubleDummyWorker::finished);
        activate(w);
        typeSampleDeal(w, QStringLiteral("1"));
        QVERIFY(waitForTable(finished));
        QTest::mouseClick(w.chkNietZichtbaar[West], Qt::LeftButton);
        QCoreApplication::processEvents();
        QVERIFY(w.txtInvoer[FieldOf(West, Spades)]->text().isEmpty());
        QVERIFY(w.picAlles->doubleDummyBlock->isVisible());
        QCOMPARE(w.picAlles->doubleDummyBlock->result()->parScore, 1520); // game 1: nobody vulnerable
        QVERIFY(DoubleDummyWorker::waitForIdle(20000));
        QCOMPARE(finished.size(), 1);
    }

    void anExportedPbnFileCarriesTheTableAndALinFileDoesNot()
    {
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        typeSampleDeal(w, QStringLiteral("5"));
        const QString pbn = board.folder() + QStringLiteral("/board.pbn");
        const QString lin = board.folder() + QStringLiteral("/board.lin");
        board.files.toSave << pbn << lin;
        // Straight away: the export works the table out itself when the background has not.
        w.exportBoardGame();
        w.exportBoardGame();
        const QByteArray written = fileBytes(pbn);
        QVERIFY(written.contains("[OptimumScore \"NS 2220\"]\r\n[OptimumResultTable "));
        QVERIFY(written.contains("\r\nN NT 13\r\n"));
        QVERIFY(!fileBytes(lin).isEmpty());
        QVERIFY(!fileBytes(lin).contains("2220"));
    }

    void theOptionPutsTheTableInThePictureAndIsRemembered()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        QSignalSpy finished(w.doubleDummyWorker(), &DoubleDummyWorker::finished);
        readyForPicture(p.board, QStringLiteral("5"));
        QVERIFY(waitForTable(finished));
        DoubleDummyBlock *block = w.picAlles->doubleDummyBlock;
        QVERIFY(!w.chkDoubleDummy->isChecked()); // off when the INI file says nothing

        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage plain = p.board.clipboard.image();
        QVERIFY(block->isVisible()); // the window shows it, the picture not

        QTest::mouseClick(w.chkDoubleDummy, Qt::LeftButton);
        QVERIFY(w.chkDoubleDummy->isChecked());
        const QString ini = p.board.folder() + QStringLiteral("/taal.ini");
        QCOMPARE(ReadIni(QStringLiteral("Opties"), QStringLiteral("DDTabel"), ini), QStringLiteral("1"));

        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage withTable = p.board.clipboard.image();
        // The block fits beside South's hand: the picture keeps its size and gains the table.
        QCOMPARE(withTable.size(), plain.size());
        QVERIFY(withTable != plain);
        if (const QByteArray shots = qgetenv("BRIQO_SHOTS"); !shots.isEmpty())
            withTable.save(QString::fromLocal8Bit(shots) + QStringLiteral("/dd_picture.png"));
        QVERIFY(block->isVisible());
        QCOMPARE(block->pos(), QPoint(toPx(DoubleDummyBlockLeft), toPx(DoubleDummyBlockTop)));

        // The option is read back at start-up; switching it off is written too.
        {
            const QSignalBlocker quiet(w.chkDoubleDummy);
            w.chkDoubleDummy->setChecked(false);
        }
        w.readDoubleDummyOption();
        QVERIFY(w.chkDoubleDummy->isChecked());
        QTest::mouseClick(w.chkDoubleDummy, Qt::LeftButton);
        QCOMPARE(ReadIni(QStringLiteral("Opties"), QStringLiteral("DDTabel"), ini), QStringLiteral("0"));
    }

    void aPictureTakenBeforeTheBackgroundFinishesHasTheTable()
    {
        PictureBoard p;
        frmBordix &w = p.window();
        WriteIni(QStringLiteral("Opties"), QStringLiteral("DDTabel"), QStringLiteral("1"),
            p.board.folder() + QStringLiteral("/taal.ini"));
        w.readDoubleDummyOption();
        readyForPicture(p.board, QStringLiteral("5"));
        QTest::mouseClick(w.cmdNaarKlembord, Qt::LeftButton);
        const QImage taken = p.board.clipboard.image();
        {
            const QSignalBlocker quiet(w.chkDoubleDummy);
            w.chkDoubleDummy->setChecked(false);
        }
        QVERIFY(w.boardPictureNow() != taken);
    }

    // The par column is solved once: the overview opened again, or in a later run, finds every
    // table in the cache and asks the solver for none.
    void theOverviewSolvesEachDealOnlyOnce()
    {
        QTemporaryDir cacheFolder;
        DoubleDummyCache::shared().useFolder(cacheFolder.path());
        TestBoard board(LanguageEnglish);
        frmBordix &w = shown(board);
        w.chkDoubleDummy->setChecked(true);
        const GameStore store = w.store();
        for (const long long n : {3, 4, 9}) {
            Game game;
            game.number = n;
            for (int i = 0; i < FieldCount; ++i)
                game.holdings[i] = sampleHoldings(LanguageEnglish)[(i + 4 * (n % 2)) % FieldCount];
            QVERIFY(store.save(game));
            QVERIFY(store.writeContract(n, QStringLiteral("North 3 NT")));
        }
        w.LeesSpellen();

        const auto parColumn = [](OverviewWindow *overview) {
            QStringList pars;
            for (int r = 1; r < overview->msfgResultaat->rowCount(); ++r)
                pars << overview->msfgResultaat->item(r, 3)->text();
            return pars;
        };
        QStringList first;
        for (int round = 0; round < 3; ++round) {
            // The third time as a later run would: only the cache file knows the tables.
            if (round == 2)
                DoubleDummyCache::shared().useFolder(cacheFolder.path());
            QTest::mouseClick(w.cmdToonLijst, Qt::LeftButton);
            OverviewWindow *overview = openWindow<OverviewWindow>();
            QVERIFY(overview);
            QSignalSpy solved(overview->parWorker(), &DoubleDummyWorker::finished);
            QTRY_COMPARE_WITH_TIMEOUT(overview->parsWaiting(), 0, 20000);
            // Games 3 and 9 share their table. A later run reads the file on the worker thread
            // at the first game, and finds the others in memory.
            QCOMPARE(solved.size(), round == 0 ? 2 : round == 1 ? 0 : 1);
            QVERIFY(!overview->parProgress());
            if (round == 0)
                first = parColumn(overview);
            QCOMPARE(parColumn(overview), first);
            overview->close();
            finishClosing();
        }
        // Games 3 and 9 (East-West vulnerable) hold the same deal, with West's hand the top cards;
        // game 4 (both vulnerable) gives them to North.
        QCOMPARE(first, (QStringList {"EW +2220: 7NT EW", "NS +2220: 7NT NS", "EW +2220: 7NT EW"}));
        DoubleDummyCache::shared().useFolder(QString());
    }

    void aStoredGameCarriesItsTableIntoThePicture()
    {
        Game game;
        game.number = 5;
        game.holdings = sampleHoldings(LanguageDutch);
        BoardView board;
        board.setUpCaptions(LanguageDutch, 2026);
        board.showGame(game, BoardOptions {});
        const PictureFrame plain = prepareBoardPicture(board, false);
        QVERIFY(board.doubleDummyBlock->isHidden());

        BoardView withTable;
        withTable.setUpCaptions(LanguageDutch, 2026);
        BoardOptions options;
        options.doubleDummy = solveDeal(game.holdings, LanguageDutch, VulnerabilityOf(game.number));
        QVERIFY(options.doubleDummy);
        withTable.showGame(game, options);
        const PictureFrame frame = prepareBoardPicture(withTable, false);
        const QWidget *block = withTable.doubleDummyBlock;
        QVERIFY(!block->isHidden());
        QCOMPARE(frame.size, plain.size);
        // Below West's hand, above the maker's notice in the corner, inside the frame.
        const QFrame *westClubs = withTable.picAchter[FieldOf(West, Clubs)];
        QVERIFY(block->y() > westClubs->geometry().bottom());
        QVERIFY(block->geometry().bottom() < withTable.lblMakerNote[0]->y());
        QVERIFY(block->geometry().right() < withTable.picSymbool[FieldOf(South, Clubs)]->x());
        QVERIFY(block->geometry().bottom() + frame.boardOffset.y() < frame.size.height());
    }
};

QTEST_MAIN(TestDoubleDummyBoard)
#include "test_double_dummy_board.moc"
