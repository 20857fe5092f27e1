#include "auction_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

namespace {

// "[kinds] n<next note> b<first bid on offer> <Doubled><Redoubled> : grid"; b? when the bids on
// offer are not one unbroken run up to 7 no trump.
QString state(const AuctionModel &m)
{
    QString box;
    for (int k = 0; k < ContractBidCount; ++k)
        box += m.bidVisible(k) ? '+' : '-';
    const int first = int(box.lastIndexOf('-')) + 1;
    const QString bids = box.count('+') == ContractBidCount - first ? QString::number(first) : "?";
    return QStringLiteral("[%1] n%2 b%3 %4%5 : %6")
        .arg(m.CallKinds(), QString::number(m.NoteCounter()), bids, m.Doubled() ? "X" : "-", m.Redoubled() ? "X" : "-",
            captions(m));
}

} // namespace

class TestAuctionModel : public QObject {
    Q_OBJECT

private slots:
    void clicksBuildTheAuction_data()
    {
        QTest::addColumn<int>("dealer");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        row("bid closes the lower bids", 0, "1C P 2H", "[121] n1 b8 -- : 1 Pas 2 .");
        row("double of right-hand opponent", 0, "1C X", "[13] n1 b1 X- : 1 DBL . .");
        row("double of left-hand opponent", 0, "1C P P X", "[1223] n1 b1 X- : 1 Pas Pas DBL");
        row("double of partner refused", 0, "1C P X", "[12] n1 b1 -- : 1 Pas . .");
        row("new bid allows a new double", 0, "1C X 1H X", "[1313] n1 b3 X- : 1 DBL 1 DBL");
        row("redouble after double", 0, "1C X XX", "[134] n1 b1 XX : 1 DBL RDBL .");
        row("redouble after pass pass double", 0, "1C P P X XX", "[12234] n1 b1 XX : 1 Pas Pas DBL|RDBL . . .");
        row("redouble after double pass pass", 0, "1C X P P XX", "[13224] n1 b1 XX : 1 DBL Pas Pas|RDBL . . .");
        row("redouble of partner's double refused", 0, "1C X P XX", "[132] n1 b1 X- : 1 DBL Pas .");
        row("nothing after four passes", 0, "P P P P P 1C X #", "[2222] n1 b0 -- : Pas Pas Pas Pas");
        row("numbering twice gives the number back", 0, "1C # # P # 1H #", "[121] n2 b3 -- : 1 Pas 1(1) .");
        row("delete across a row with notes", 0, "1C # P 1H # P 2C # D", "[1212] n3 b3 -- : 1(1) Pas 1(2) Pas");
        row("dealer out of range is North", 7, "1C", "[1] n1 b1 -- : 1 . . .");
        row("delete back to the dealer", 3, "1C # P D D", "[] n1 b0 -- : - - - .");
        row("numbering after delete does nothing", 0, "1C P D #", "[1] n1 b1 -- : 1 . . .");
        row("deleted redouble can be made again", 0, "1C X XX D XX", "[134] n1 b1 XX : 1 DBL RDBL .");
        row("deleted bid revives the earlier double", 0, "1C X 1H D XX", "[134] n1 b1 XX : 1 DBL RDBL .");
    }
    void clicksBuildTheAuction()
    {
        QFETCH(int, dealer);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QCOMPARE(state(auction(dealer, script)), expected);
    }

    // Flags: ignored, focus, unsaved, no save/rotate, no outputs, forget declarer, refused, ask;
    // then how the tail ended / the row numbers it hides, and the history after the click.
    void outcomeTellsTheWindowWhatToDo_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("expected");
        row("number before any call", "", 38, "i....... t0/0 []");
        row("outside the box", "1C", 41, "i....... t0/0 [1]");
        row("numbering after four passes", "P P P P", 38, "if...... t0/0 [2222]");
        row("delete after four passes", "P P P P", 39, ".fusod.. t2/0 [222]");
        row("delete all only asks", "1C", 40, ".fu....a t0/0 [1]");
        row("refused double", "1C P", 36, ".fu.o.r. t0/0 [12]");
        row("four passes", "P P P", 35, ".fu.o... t1/0 [2222]");
        row("three passes only", "P P", 35, ".fu.o... t2/0 [222]");
        row("bid and three passes", "1C P P", 35, ".fu.o... t3/8 [1222]");
        row("goes on", "P P P", 0, ".fu.o... t4/0 [2221]");
    }
    void outcomeTellsTheWindowWhatToDo()
    {
        QFETCH(QString, before);
        QFETCH(int, k);
        QFETCH(QString, expected);
        AuctionModel m = auction(0, before);
        const ClickOutcome o = m.click(k, "Pas");
        QString f;
        for (bool on : {o.ignored, o.focusToCmdFocus, o.setUnsavedChanges, o.disableSaveAndRotate, o.disableOutputs,
                 o.clearRememberedDeclarer, o.refused, o.askDeleteAll})
            f += on ? QStringLiteral("ifusodra")[f.size()] : QChar('.');
        const QString tail = QStringLiteral(" t%1/%2 [%3]").arg(int(o.tail.end)).arg(o.tail.hiddenRowNumbers.size());
        QCOMPARE(f + tail.arg(m.CallKinds()), expected);
    }

    void callWithNoFreeCellIsRefused()
    {
        AuctionModel m;
        for (int i = 0; i < AuctionCells; ++i) // bid, pass, bid, ...: never ends
            QVERIFY(!m.click(i % 2 ? BoxButton::Pass : i / 2, "Pas").refused);
        const QString full = state(m);
        QVERIFY(m.click(34, "7").refused);
        QCOMPARE(state(m), full);
    }

    void savedAuctionLoadsBackAndGoesOn()
    {
        for (const char *script : {"1C # # P 1H # X XX", "1C X 1H", "P P"}) {
            const AuctionModel saved = auction(1, script);
            AuctionModel m = auction(0, "7N");
            m.loadFrom(saved.CallKinds(), saved.cellsForFile());
            QCOMPARE(state(m), state(saved)); // notes, box and doubles follow from the calls read
            QCOMPARE(m.cellsForFile(), saved.cellsForFile());
        }
        AuctionModel m;
        m.loadFrom("1", auction(1, "1C").cellsForFile());
        m.click(BoxButton::Number, {}); // the last call is known again
        QCOMPARE(captions(m), "- 1(1) . .");
        m.loadFrom("2", auction(3, "").cellsForFile());
        m.click(BoxButton::DeleteLast, {}); // the dashes before the dealer are no calls
        QCOMPARE(state(m), "[2] n1 b0 -- : - - - .");
        m.loadFrom({}, {{"-", "", ""}}); // a short file: the rest is empty
        QCOMPARE(m.LastCallRow(), -1);
        QCOMPARE(captions(m), "- . . .");
    }
};

QTEST_APPLESS_MAIN(TestAuctionModel)
#include "test_auction_model.moc"
