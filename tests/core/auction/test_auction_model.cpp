#include "auction/auction_model.h"
#include "auction_script.h"

#include <QtTest>

#include <utility>

using namespace briqo;
using namespace briqo::test;

namespace {

// "[kinds] n<next note> b<first bid on offer> <Doubled><Redoubled> : grid"; b? when the bids on
// offer are not one unbroken run up to 7 no trump.
QString state(const AuctionModel &m)
{
    int first = 0;
    while (first < ContractBidCount && !m.bidVisible(first))
        ++first;
    for (int k = first; k < ContractBidCount; ++k)
        if (!m.bidVisible(k))
            first = -1;
    return QStringLiteral("[%1] n%2 b%3 %4%5 : %6")
        .arg(m.CallKinds())
        .arg(m.NoteCounter())
        .arg(first < 0 ? QStringLiteral("?") : QString::number(first))
        .arg(m.Doubled() ? 'X' : '-')
        .arg(m.Redoubled() ? 'X' : '-')
        .arg(captions(m));
}

QString flags(const ClickOutcome &o)
{
    QString f;
    for (const auto &[on, c] : { std::pair { o.ignored, 'i' }, { o.focusToCmdFocus, 'f' }, { o.setUnsavedChanges, 'u' },
             { o.disableSaveAndRotate, 's' }, { o.disableOutputs, 'o' }, { o.clearRememberedDeclarer, 'd' },
             { o.refused, 'r' }, { o.askDeleteAll, 'a' } })
        f += on ? QChar::fromLatin1(c) : QChar('.');
    QStringList hidden;
    for (int r : o.tail.hiddenRowNumbers)
        hidden << QString::number(r);
    return f + QStringLiteral(" t%1 %2").arg(int(o.tail.end)).arg(hidden.join(QLatin1Char(',')));
}

// Strain pictures stand beside contract bids and nowhere else.
bool picturesOnBidsOnly(const AuctionModel &m)
{
    for (int i = 0; i < AuctionCells; ++i) {
        const AuctionCell &c = m.cell(i / SeatCount, i % SeatCount);
        if (c.pictureVisible != (c.callVisible && cellNumber(c.caption) > 0))
            return false;
    }
    return true;
}

// File cells of one row-0 auction: "caption~code~note" per seat, the rest of the grid empty.
QList<FileCell> fileRow0(const QStringList &row0)
{
    QList<FileCell> file(AuctionCells);
    for (int s = 0; s < row0.size(); ++s) {
        const QStringList f = row0[s].split(QLatin1Char('~'));
        file[s * AuctionRows] = { f.value(0), f.value(1), f.value(2) };
    }
    return file;
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
        QTest::newRow("bid closes the lower bids") << 0 << "1C P 2H"
                                                   << "[121] n1 b8 -- : 1 Pas 2 .";
        QTest::newRow("double of right-hand opponent") << 0 << "1C X"
                                                       << "[13] n1 b1 X- : 1 DBL . .";
        QTest::newRow("double of left-hand opponent") << 0 << "1C P P X"
                                                      << "[1223] n1 b1 X- : 1 Pas Pas DBL";
        QTest::newRow("double of partner refused") << 0 << "1C P X"
                                                   << "[12] n1 b1 -- : 1 Pas . .";
        QTest::newRow("double without a bid refused") << 0 << "P X"
                                                      << "[2] n1 b0 -- : Pas . . .";
        QTest::newRow("redouble after double") << 0 << "1C X XX"
                                               << "[134] n1 b1 XX : 1 DBL RDBL .";
        QTest::newRow("redouble after pass pass double") << 0 << "1C P P X XX"
                                                         << "[12234] n1 b1 XX : 1 Pas Pas DBL|RDBL . . .";
        QTest::newRow("redouble after double pass pass") << 0 << "1C X P P XX"
                                                         << "[13224] n1 b1 XX : 1 DBL Pas Pas|RDBL . . .";
        QTest::newRow("second double refused") << 0 << "1C X X"
                                               << "[13] n1 b1 X- : 1 DBL . .";
        QTest::newRow("double after redouble refused") << 0 << "1C X XX X"
                                                       << "[134] n1 b1 XX : 1 DBL RDBL .";
        QTest::newRow("second redouble refused") << 0 << "1C X XX XX"
                                                 << "[134] n1 b1 XX : 1 DBL RDBL .";
        QTest::newRow("redouble without double refused") << 0 << "1C XX"
                                                         << "[1] n1 b1 -- : 1 . . .";
        QTest::newRow("redouble of partner's double refused") << 0 << "1C X P XX"
                                                              << "[132] n1 b1 X- : 1 DBL Pas .";
        QTest::newRow("new bid allows a new double") << 0 << "1C X 1H X"
                                                     << "[1313] n1 b3 X- : 1 DBL 1 DBL";
        QTest::newRow("nothing after four passes") << 0 << "P P P P P 1C X #"
                                                   << "[2222] n1 b0 -- : Pas Pas Pas Pas";
        QTest::newRow("East deals") << 1 << "1C P"
                                    << "[12] n1 b1 -- : - 1 Pas .";
        QTest::newRow("South deals") << 2 << "1C P"
                                     << "[12] n1 b1 -- : - - 1 Pas";
        QTest::newRow("West deals") << 3 << "1C P 2D"
                                    << "[121] n1 b7 -- : - - - 1|Pas 2 . .";
        QTest::newRow("numbering") << 0 << "1C #"
                                   << "[1] n2 b1 -- : 1(1) . . .";
        QTest::newRow("numbering twice gives the number back") << 0 << "1C # # P # 1H #"
                                                               << "[121] n2 b3 -- : 1 Pas 1(1) .";
        QTest::newRow("delete across a row with notes") << 0 << "1C # P 1H # P 2C # D"
                                                        << "[1212] n3 b3 -- : 1(1) Pas 1(2) Pas";
        QTest::newRow("delete a pass: box stays") << 0 << "1C # P 1H # P 2C # D D"
                                                  << "[121] n3 b3 -- : 1(1) Pas 1(2) .";
        QTest::newRow("delete a bid: box reopens") << 0 << "1C # P 1H # P D D"
                                                   << "[12] n2 b1 -- : 1(1) Pas . .";
        QTest::newRow("delete everything") << 0 << "1C # P D D D"
                                           << "[] n1 b0 -- : ";
        QTest::newRow("never a dealer dash") << 3 << "1C D D"
                                             << "[] n1 b0 -- : - - - .";
        QTest::newRow("numbering after delete does nothing") << 0 << "1C P D #"
                                                             << "[1] n1 b1 -- : 1 . . .";
        QTest::newRow("deleted redouble can be made again") << 0 << "1C X XX D XX"
                                                            << "[134] n1 b1 XX : 1 DBL RDBL .";
        QTest::newRow("deleted bid revives the earlier double") << 0 << "1C X 1H D XX"
                                                                << "[134] n1 b1 XX : 1 DBL RDBL .";
    }
    void clicksBuildTheAuction()
    {
        QFETCH(int, dealer);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        const AuctionModel m = auction(dealer, script);
        QCOMPARE(state(m), expected);
        QVERIFY(picturesOnBidsOnly(m));
    }

    // Flags: ignored, focus, unsaved, no save/rotate, no outputs, forget declarer, refused, ask.
    void outcomeTellsTheWindowWhatToDo_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("expected");
        QTest::newRow("number before any call") << "" << 38 << "i....... t0 ";
        QTest::newRow("call after four passes") << "P P P P" << 35 << "if...... t0 ";
        QTest::newRow("numbering after four passes") << "P P P P" << 38 << "if...... t0 ";
        QTest::newRow("pass after a finished auction") << "1C P P P" << 35 << ".fu.o... t3 8,7,6,5,4,3,2";
        QTest::newRow("refused double") << "1C P" << 36 << ".fu.o.r. t0 ";
        QTest::newRow("delete last") << "1C" << 39 << ".fusod.. t2 ";
        QTest::newRow("delete all asks first") << "1C" << 40 << ".fu....a t0 ";
        QTest::newRow("four passes") << "P P P" << 35 << ".fu.o... t1 ";
        QTest::newRow("bid and three passes") << "1C P P" << 35 << ".fu.o... t3 8,7,6,5,4,3,2,1";
        QTest::newRow("three passes only") << "P P" << 35 << ".fu.o... t2 ";
        QTest::newRow("goes on") << "P P P" << 0 << ".fu.o... t4 ";
        QTest::newRow("delete after four passes") << "P P P P" << 39 << ".fusod.. t2 ";
        QTest::newRow("outside the box") << "1C" << 41 << "i....... t0 ";
    }
    void outcomeTellsTheWindowWhatToDo()
    {
        QFETCH(QString, before);
        QFETCH(int, k);
        QFETCH(QString, expected);
        AuctionModel m = auction(0, before);
        QCOMPARE(flags(m.click(k, QStringLiteral("Pas"))), expected);
    }

    void callWithNoFreeCellIsRefused()
    {
        for (int dealer : { 0, 3 }) {
            AuctionModel m;
            m.resetForGame(dealer);
            for (int i = 0; i < AuctionCells - dealer; ++i) // bid, pass, bid, ...: never ends
                QVERIFY(!m.click(i % 2 ? BoxButton::Pass : i / 2, QStringLiteral("Pas")).refused);
            const QString full = state(m);
            QVERIFY(m.click(34, QStringLiteral("7")).refused);
            QCOMPARE(state(m), full);
        }
    }

    void deleteAllClearsBackToTheDealer()
    {
        AuctionModel m = auction(1, "1C X XX #");
        QVERIFY(m.click(BoxButton::DeleteAll, QString()).askDeleteAll);
        QCOMPARE(m.CallKinds(), QStringLiteral("134")); // nothing changes before the answer
        m.clearAll(1);
        QCOMPARE(state(m), QStringLiteral("[] n1 b0 -- : - . . ."));
        QCOMPARE(m.commonTail().end, AuctionEnd::TooShort);
    }

    void loadingDerivesTheAuctionState_data()
    {
        QTest::addColumn<QString>("kinds");
        QTest::addColumn<QStringList>("row0");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1H pass 2C") << "121" << QStringList { "1~2~", "Pas~5~", "2~0~" }
                                    << "[121] n1 b6 -- : 1 Pas 2 .";
        QTest::newRow("1C 1S") << "11" << QStringList { "1~0~", "1~3~" } << "[11] n1 b4 -- : 1 1 . .";
        QTest::newRow("passes only") << "22" << QStringList { "Pas~5~", "Pas~5~" } << "[22] n1 b0 -- : Pas Pas . .";
        QTest::newRow("doubled, highest note + 1") << "1322" << QStringList { "-~~", "1~4~(3)", "DBL~6~", "Pas~5~(1)" }
                                                   << "[1322] n4 b5 X- : - 1(3) DBL Pas(1)";
        QTest::newRow("redoubled") << "134" << QStringList { "1~4~", "DBL~6~", "RDBL~7~" }
                                   << "[134] n1 b5 XX : 1 DBL RDBL .";
        QTest::newRow("double before the last bid")
            << "131" << QStringList { "1~0~", "DBL~6~", "2~0~(2)" } << "[131] n3 b6 -- : 1 DBL 2(2) .";
    }
    void loadingDerivesTheAuctionState()
    {
        QFETCH(QString, kinds);
        QFETCH(QStringList, row0);
        QFETCH(QString, expected);
        AuctionModel m = auction(0, "7N");
        const QList<FileCell> file = fileRow0(row0);
        m.loadFrom(kinds, file);
        QCOMPARE(state(m), expected);
        QCOMPARE(m.cellsForFile(), file);
        QVERIFY(picturesOnBidsOnly(m));
    }

    void loadingSetsTheLastCallForNumbering()
    {
        AuctionModel m;
        m.loadFrom(QStringLiteral("12"), fileRow0({ "-~~", "1~0~", "Pas~5~" }));
        QCOMPARE(m.LastCallSeat(), 2);
        m.loadFrom(QStringLiteral("1"), fileRow0({ "-~~", "1~0~" }));
        play(m, "#");
        QCOMPARE(captions(m), QStringLiteral("- 1(1) . ."));
        m.loadFrom(QStringLiteral("2"), fileRow0({ "-~~", "-~~", "-~~" }));
        play(m, "D"); // the dashes before the dealer are no calls
        QCOMPARE(state(m), QStringLiteral("[2] n1 b0 -- : - - - ."));
        m.loadFrom(QString(), { { "-", "", "" } }); // a short file: the rest is empty
        QCOMPARE(m.LastCallRow(), -1);
        QCOMPARE(captions(m), QStringLiteral("- . . ."));
    }
};

QTEST_APPLESS_MAIN(TestAuctionModel)
#include "test_auction_model.moc"
