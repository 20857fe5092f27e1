#include "auction/auction_model.h"
#include "auction_script.h"

#include <QtTest>

using namespace briqo;
using briqo::test::auction;
using briqo::test::captions;
using briqo::test::play;

Q_DECLARE_METATYPE(briqo::AuctionEnd)
Q_DECLARE_METATYPE(briqo::FileCell)

namespace {

QString visibleBids(const AuctionModel &m)
{
    QString s;
    for (int k = 0; k < ContractBidCount; ++k)
        s += m.bidVisible(k) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// Bids from k upwards on offer, the lower ones hidden.
QString bidsFrom(int k)
{
    return QString(k, QLatin1Char('0')) + QString(ContractBidCount - k, QLatin1Char('1'));
}

QList<FileCell> emptyFile()
{
    return QList<FileCell>(AuctionCells);
}

void putCell(QList<FileCell> &file, int row, int seat, const FileCell &c)
{
    file[seat * AuctionRows + row] = c;
}

} // namespace

class TestAuctionModel : public QObject
{
    Q_OBJECT

private slots:
    void doublesAndRedoublesFollowTheHistory_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("kinds");
        QTest::newRow("double of the right-hand opponent's bid") << "1C" << "X" << true << "13";
        QTest::newRow("double of the left-hand opponent's bid after two passes") << "1C P P" << "X" << true << "1223";
        QTest::newRow("double of partner's bid is refused") << "1C P" << "X" << false << "12";
        QTest::newRow("double before any bid is refused") << "P" << "X" << false << "2";
        QTest::newRow("redouble straight after the double") << "1C X" << "XX" << true << "134";
        QTest::newRow("redouble after a double that followed two passes") << "1C P P X" << "XX" << true << "12234";
        QTest::newRow("redouble by the bidder after two passes") << "1C X P P" << "XX" << true << "13224";
        QTest::newRow("second double is refused") << "1C X" << "X" << false << "13";
        QTest::newRow("double after a redouble is refused") << "1C X XX" << "X" << false << "134";
        QTest::newRow("second redouble is refused") << "1C X XX" << "XX" << false << "134";
        QTest::newRow("redouble without a double is refused") << "1C" << "XX" << false << "1";
        QTest::newRow("redouble of partner's double is refused") << "1C X P" << "XX" << false << "132";
        QTest::newRow("a new bid allows a new double") << "1C X 1H" << "X" << true << "1313";
        QTest::newRow("pass after four passes is ignored") << "P P P P" << "P" << false << "2222";
        QTest::newRow("bid after four passes is ignored") << "P P P P" << "1C" << false << "2222";
        QTest::newRow("numbering after four passes is ignored") << "P P P P" << "#" << false << "2222";
    }
    void doublesAndRedoublesFollowTheHistory()
    {
        QFETCH(QString, before);
        QFETCH(QString, call);
        QFETCH(bool, accepted);
        QFETCH(QString, kinds);
        AuctionModel m = auction(0, before);
        const QString grid = captions(m, 2);
        const ClickOutcome out = play(m, call);
        QCOMPARE(m.CallKinds(), kinds);
        QCOMPARE(out.refused || out.ignored, !accepted);
        if (!accepted) {
            QCOMPARE(captions(m, 2), grid);
            QCOMPARE(out.tail.end, AuctionEnd::NotRun);
        }
        if (out.refused) // a silent refusal still marks the board changed and disarms the outputs
            QVERIFY(out.setUnsavedChanges && out.disableOutputs && out.focusToCmdFocus);
    }

    void callsStartAfterTheDealersDashes_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<QString>("grid");
        QTest::newRow("North") << 0 << "1 Pas 2 Pas|. . . .";
        QTest::newRow("East") << 1 << "- 1 Pas 2|Pas . . .";
        QTest::newRow("South") << 2 << "- - 1 Pas|2 Pas . .";
        QTest::newRow("West") << 3 << "- - - 1|Pas 2 Pas .";
    }
    void callsStartAfterTheDealersDashes()
    {
        QFETCH(int, dealer);
        QFETCH(QString, grid);
        AuctionModel m;
        m.resetForGame(dealer);
        for (int s = 0; s < dealer; ++s)
            QVERIFY(m.cell(0, s).code.isEmpty() && !m.cell(0, s).pictureVisible);
        play(m, QStringLiteral("1C P 2D P"));
        QCOMPARE(captions(m, 2), grid);
    }

    void contractBidShowsItsStrainAndClosesLowerBids()
    {
        AuctionModel m = auction(0, "1C");
        const AuctionCell c = m.cell(0, 0);
        QCOMPARE(c.caption, QStringLiteral("1"));
        QCOMPARE(c.code, QStringLiteral("0"));
        QVERIFY(c.callVisible && c.pictureVisible && !c.noteVisible);
        QCOMPARE(visibleBids(m), bidsFrom(1));
        play(m, "P");
        QCOMPARE(m.cell(0, 1).code, QStringLiteral("5"));
        QVERIFY(!m.cell(0, 1).pictureVisible);
        play(m, "2H");
        QCOMPARE(visibleBids(m), bidsFrom(8));
        QCOMPARE(m.LastCallRow(), 0);
        QCOMPARE(m.LastCallSeat(), 2);
    }

    void numberingTwiceGivesTheNumberBack()
    {
        AuctionModel m = auction(0, "1C #");
        QCOMPARE(m.cell(0, 0).note, QStringLiteral("(1)"));
        QVERIFY(m.cell(0, 0).noteVisible);
        QCOMPARE(m.NoteCounter(), 2);
        play(m, "#");
        QVERIFY(!m.cell(0, 0).noteVisible);
        QCOMPARE(m.cell(0, 0).note, QStringLiteral("*"));
        QCOMPARE(m.NoteCounter(), 1);
        play(m, "P #"); // a pass takes no note
        QVERIFY(!m.cell(0, 1).noteVisible);
        play(m, "1H #");
        QCOMPARE(m.cell(0, 2).note, QStringLiteral("(1)"));
    }

    void deleteLastWalksBackAcrossRowsWithNotes()
    {
        AuctionModel m = auction(0, "1C # P 1H # P 2C #");
        QCOMPARE(m.NoteCounter(), 4);
        ClickOutcome out = play(m, "D");
        QVERIFY(out.disableSaveAndRotate && out.clearRememberedDeclarer && out.disableOutputs);
        QCOMPARE(captions(m, 2), QStringLiteral("1 Pas 1 Pas|. . . ."));
        QCOMPARE(m.NoteCounter(), 3);
        QCOMPARE(m.CallKinds(), QStringLiteral("1212"));
        QCOMPARE(visibleBids(m), bidsFrom(3)); // above 1 hearts again
        play(m, "D");                          // a pass: the box stays above 1 hearts
        QCOMPARE(visibleBids(m), bidsFrom(3));
        play(m, "D");
        QCOMPARE(m.NoteCounter(), 2);
        QCOMPARE(visibleBids(m), bidsFrom(1));
        play(m, "D D");
        QCOMPARE(visibleBids(m), bidsFrom(0));
        QCOMPARE(m.NoteCounter(), 1);
        QVERIFY(play(m, "D").ignored); // nothing left to delete
    }

    void deleteLastNeverTakesADealerDash()
    {
        AuctionModel m = auction(3, "");
        m.loadFrom(QStringLiteral("2"), m.cellsForFile()); // a history with no call on the grid
        play(m, "D");
        QCOMPARE(captions(m, 1), QStringLiteral("- - - ."));
        QCOMPARE(m.CallKinds(), QStringLiteral("2"));
    }

    void deleteLastRederivesTheDoubleState_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("doubled");
        QTest::addColumn<bool>("redoubled");
        QTest::newRow("redouble taken back") << "1C X XX D" << true << false;
        QTest::newRow("double taken back") << "1C X D" << false << false;
        QTest::newRow("new bid taken back: the earlier double counts again") << "1C X 1H D" << true << false;
    }
    void deleteLastRederivesTheDoubleState()
    {
        QFETCH(QString, script);
        QFETCH(bool, doubled);
        QFETCH(bool, redoubled);
        const AuctionModel m = auction(0, script);
        QCOMPARE(m.Doubled(), doubled);
        QCOMPARE(m.Redoubled(), redoubled);
    }

    void tailTellsHowTheAuctionStands_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<AuctionEnd>("end");
        QTest::addColumn<QList<int>>("hiddenRows");
        QTest::newRow("four passes") << "P P P P" << AuctionEnd::PassedOut << QList<int>{};
        QTest::newRow("bid and three passes") << "1C P P P" << AuctionEnd::Finished
                                              << QList<int>{8, 7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("three passes alone are too short") << "P P P" << AuctionEnd::TooShort << QList<int>{};
        QTest::newRow("auction goes on") << "P P P 1C" << AuctionEnd::Continues << QList<int>{};
        QTest::newRow("deleting from a passed-out auction") << "P P P P D" << AuctionEnd::TooShort << QList<int>{};
    }
    void tailTellsHowTheAuctionStands()
    {
        QFETCH(QString, script);
        QFETCH(AuctionEnd, end);
        QFETCH(QList<int>, hiddenRows);
        AuctionModel m;
        const ClickOutcome out = play(m, script);
        QCOMPARE(out.tail.end, end);
        QCOMPARE(out.tail.hiddenRowNumbers, hiddenRows);
    }

    void callThatFindsNoFreeCellIsRefused_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<int>("calls");
        QTest::newRow("North deals: 36 calls") << 0 << 36;
        QTest::newRow("West deals: 33 calls") << 3 << 33;
    }
    void callThatFindsNoFreeCellIsRefused()
    {
        QFETCH(int, dealer);
        QFETCH(int, calls);
        AuctionModel m;
        m.resetForGame(dealer);
        for (int i = 0; i < calls; ++i) // bid, pass, bid, pass: the auction never ends
            QVERIFY(!m.click(i % 2 ? BoxButton::Pass : i / 2, QStringLiteral("x")).refused);
        const QString bids = visibleBids(m);
        const ClickOutcome out = m.click(34, QStringLiteral("7"));
        QVERIFY(out.refused);
        QCOMPARE(m.CallKinds().size(), calls);
        QCOMPARE(visibleBids(m), bids);
        QVERIFY(m.cell(8, 3).callVisible);
    }

    void deleteAllAsksFirstThenClears()
    {
        AuctionModel m = auction(1, "1C X XX #");
        ClickOutcome out = m.click(BoxButton::DeleteAll, QString());
        QVERIFY(out.askDeleteAll && out.setUnsavedChanges && !out.disableOutputs);
        QCOMPARE(out.tail.end, AuctionEnd::NotRun);
        QCOMPARE(m.CallKinds(), QStringLiteral("134")); // No leaves everything
        m.clearAll(1);
        QCOMPARE(captions(m, 1), QStringLiteral("- . . ."));
        QCOMPARE(m.CallKinds(), QString());
        QCOMPARE(m.NoteCounter(), 1);
        QVERIFY(!m.Doubled() && !m.Redoubled());
        QCOMPARE(visibleBids(m), bidsFrom(0));
        QCOMPARE(m.commonTail().end, AuctionEnd::TooShort);
        QVERIFY(m.click(BoxButton::DeleteAll, QString()).ignored); // nothing to delete
    }

    void loadingDerivesStateFromTheCalls_data()
    {
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<bool>("doubled");
        QTest::addColumn<bool>("redoubled");
        QTest::newRow("doubled") << "1322" << true << false;
        QTest::newRow("redoubled") << "134" << true << true;
        QTest::newRow("double before the last bid no longer counts") << "1312" << false << false;
    }
    void loadingDerivesStateFromTheCalls()
    {
        QFETCH(QString, kinds);
        QFETCH(bool, doubled);
        QFETCH(bool, redoubled);
        QList<FileCell> file = emptyFile();
        putCell(file, 0, 0, {"1", "4", "(2)"});
        putCell(file, 0, 1, {"Pas", "5", ""});
        putCell(file, 0, 2, {"2", "0", "(1)"});
        putCell(file, 1, 3, {"3", "4", "(3)"}); // West holds the highest note
        AuctionModel m;
        m.loadFrom(kinds, file);
        QCOMPARE(m.Doubled(), doubled);
        QCOMPARE(m.Redoubled(), redoubled);
        QCOMPARE(m.NoteCounter(), 4);
        QCOMPARE(m.LastCallRow(), 1);
        QCOMPARE(m.LastCallSeat(), 3);
        QVERIFY(m.cell(0, 0).pictureVisible && m.cell(0, 0).noteVisible);
        QVERIFY(m.cell(0, 1).callVisible && !m.cell(0, 1).pictureVisible);
        QVERIFY(!m.cell(1, 0).callVisible);
        QCOMPARE(m.cellsForFile(), file);
    }

    void loadingOpensTheBoxAboveTheHighestBid_data()
    {
        QTest::addColumn<QList<FileCell>>("row0");
        QTest::addColumn<int>("firstOnOffer");
        QTest::newRow("1H pass 2C") << QList<FileCell>{{"1", "2", ""}, {"Pas", "5", ""}, {"2", "0", ""}} << 6;
        QTest::newRow("1C 1S") << QList<FileCell>{{"1", "0", ""}, {"1", "3", ""}} << 4;
        QTest::newRow("passes only") << QList<FileCell>{{"Pass", "5", ""}, {"Pass", "5", ""}} << 0;
        QTest::newRow("dashes only") << QList<FileCell>{{"-", "", ""}, {"-", "", ""}} << 0;
    }
    void loadingOpensTheBoxAboveTheHighestBid()
    {
        QFETCH(QList<FileCell>, row0);
        QFETCH(int, firstOnOffer);
        QList<FileCell> file = emptyFile();
        for (int s = 0; s < row0.size(); ++s)
            putCell(file, 0, s, row0[s]);
        AuctionModel m = auction(0, "7N"); // whatever was on offer before
        m.loadFrom(QStringLiteral("12"), file);
        QCOMPARE(visibleBids(m), bidsFrom(firstOnOffer));
    }

    void loadingToleratesAShortFile()
    {
        AuctionModel m = auction(2, "1C");
        m.loadFrom(QString(), {{"-", "", ""}});
        QCOMPARE(captions(m, 1), QStringLiteral("- . . ."));
        QCOMPARE(m.LastCallRow(), -1);
        QCOMPARE(m.cellsForFile().size(), AuctionCells);
        QVERIFY(play(m, "#").ignored);
    }
};

QTEST_APPLESS_MAIN(TestAuctionModel)
#include "test_auction_model.moc"
