#include "auction/final_contract.h"
#include "auction/rotation.h"
#include "auction_script.h"

#include <QtTest>

using namespace briqo;
using namespace briqo::test;

class TestRotation : public QObject
{
    Q_OBJECT

private slots:
    void gridTurnsOneSeatWithTheDealer_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("newGame");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("declarer");
        QTest::newRow("North dealt, no calls: number only") << 1 << "" << 2 << "" << -1;
        QTest::newRow("North dealt, 1H by North") << 1 << "1H # P P P" << 2 << "- 1(1) Pas Pas|Pas . . ." << 1;
        QTest::newRow("East dealt, no calls") << 2 << "" << 3 << "- - . ." << -1;
        QTest::newRow("South dealt") << 3 << "1C # P P P" << 4 << "- - - 1(1)|Pas Pas Pas ." << 3;
        QTest::newRow("West dealt: the dash row goes") << 8 << "P 1H # P P P" << 5 << "Pas 1(1) Pas Pas|Pas . . ." << 1;
    }
    void gridTurnsOneSeatWithTheDealer()
    {
        QFETCH(int, game);
        QFETCH(QString, script);
        QFETCH(int, newGame);
        QFETCH(QString, grid);
        QFETCH(int, declarer);
        AuctionModel m = auction(dealerOfGame(game), script);
        const QString kinds = m.CallKinds();
        const int counter = m.NoteCounter();
        const RotationResult r = rotateGrid(m, game);
        QVERIFY(r.rotated);
        QCOMPARE(r.gameNumber, (long long)newGame);
        QCOMPARE(captions(m), grid);
        QCOMPARE(m.CallKinds(), kinds);
        QCOMPARE(m.NoteCounter(), counter);
        for (int i = 0; i < AuctionCells; ++i) // pictures move with their bids
            QCOMPARE(m.cell(i / 4, i % 4).pictureVisible, m.cell(i / 4, i % 4).caption == QLatin1String("1"));
        const auto fc = finalContract(m);
        QCOMPARE(fc ? fc->declarer : -1, declarer);
        QCOMPARE(r.showContract, !grid.isEmpty());
    }

    void lastRowWestDecidesWhetherTheBoardTurns()
    {
        AuctionModel m = auction(0, "1C");
        m.setCell(8, 2, {QStringLiteral("Pas"), QStringLiteral("5"), {}, true, false, false});
        QVERIFY(rotateGrid(m, 1).rotated); // a call in the last South cell moves to West
        QCOMPARE(m.cell(8, 3).caption, QStringLiteral("Pas"));
        const QList<FileCell> before = m.cellsForFile();
        const RotationResult r = rotateGrid(m, 2);
        QVERIFY(!canRotate(m) && !r.rotated);
        QCOMPARE(r.gameNumber, 2LL);
        QCOMPARE(m.cellsForFile(), before);
    }

    void dashesFollowTheGivenDealer()
    {
        AuctionModel m = auction(0, "1C");
        rotateGrid(m, 1, [](long long) { return 3; });
        QCOMPARE(captions(m), QStringLiteral("- - - ."));
        QCOMPARE(dealerOfGame(1260) * 10 + dealerOfGame(1261), 30); // the table's last dealer, then North
    }

    void handsMoveToTheNextSeat()
    {
        std::array<QString, 16> fields;
        for (int i = 0; i < 16; ++i)
            fields[i] = QString::number(i);
        const auto out = rotateHands(fields);
        QCOMPARE(QStringList(out.begin(), out.end()).join(QLatin1Char(',')),
                 QStringLiteral("12,13,14,15,0,1,2,3,4,5,6,7,8,9,10,11"));
    }
};

QTEST_APPLESS_MAIN(TestRotation)
#include "test_rotation.moc"
